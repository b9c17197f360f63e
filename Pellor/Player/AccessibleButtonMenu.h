#pragma once
// What assistive tools are told about the menu of a MenuButton: a pop-up menu
// whose parent is its button and whose children are its items, one for each
// of the menu's actions in order (the index Qt gives with the menu's focus
// events). The items are made on first asking and kept by Qt's accessibility
// cache until their action goes. Made by PlayerAccessibility's factory.

#include <QAccessibleWidget>

class QMenu;

namespace pellor {

class AccessibleButtonMenu final : public QAccessibleWidget {
public:
    explicit AccessibleButtonMenu(QMenu* menu);

    QAccessibleInterface* parent() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

private:
    QMenu& menu() const;
};

}  // namespace pellor
