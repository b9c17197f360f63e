#pragma once
// What assistive tools are told about a MenuButton: a button with a pop-up,
// which a press opens, and whose child, while it is open, is the menu. Made
// by PlayerAccessibility's factory and owned by Qt's accessibility cache.

#include <QAccessibleWidget>

namespace pellor {

class MenuButton;

class AccessibleMenuButton final : public QAccessibleWidget {
public:
    explicit AccessibleMenuButton(MenuButton* button);

    QString text(QAccessible::Text kind) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QStringList actionNames() const override;
    void doAction(const QString& name) override;

private:
    MenuButton& button() const;
    bool menuOpen() const;
};

}  // namespace pellor
