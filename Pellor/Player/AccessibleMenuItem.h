#pragma once
// What assistive tools are told about one item of a MenuButton's menu: a menu
// item (or separator) named by its text, focused while it is the menu's
// active item, which a press chooses as a click would. Made by its
// AccessibleButtonMenu and owned by Qt's accessibility cache, which drops it
// with its action.

#include <QAccessible>
#include <QPointer>

class QAction;
class QMenu;

namespace pellor {

class AccessibleMenuItem final : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    AccessibleMenuItem(QMenu* menu, QAction* action);

    bool isValid() const override;
    QObject* object() const override;
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text kind) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QStringList actionNames() const override;
    void doAction(const QString& name) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QMenu> menu_;
    QPointer<QAction> action_;
};

}  // namespace pellor
