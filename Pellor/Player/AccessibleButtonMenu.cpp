#include "Pellor/Player/AccessibleButtonMenu.h"

#include <QMenu>

#include "Pellor/Player/AccessibleMenuItem.h"

namespace pellor {

AccessibleButtonMenu::AccessibleButtonMenu(QMenu* menu) : QAccessibleWidget(menu, QAccessible::PopupMenu) {}

QMenu& AccessibleButtonMenu::menu() const { return *static_cast<QMenu*>(widget()); }

QAccessibleInterface* AccessibleButtonMenu::parent() const {
    return QAccessible::queryAccessibleInterface(menu().parentWidget());
}

int AccessibleButtonMenu::childCount() const { return static_cast<int>(menu().actions().size()); }

QAccessibleInterface* AccessibleButtonMenu::child(int index) const {
    const QList<QAction*> actions = menu().actions();
    if (index < 0 || index >= actions.size()) return nullptr;
    QAction* action = actions[index];
    // Qt keeps an item it was given under its action, and drops it when the action goes.
    if (QAccessibleInterface* item = QAccessible::queryAccessibleInterface(action)) return item;
    auto* item = new AccessibleMenuItem(&menu(), action);
    QAccessible::registerAccessibleInterface(item);
    return item;
}

int AccessibleButtonMenu::indexOfChild(const QAccessibleInterface* child) const {
    if (!child) return -1;
    return static_cast<int>(menu().actions().indexOf(qobject_cast<QAction*>(child->object())));
}

QAccessibleInterface* AccessibleButtonMenu::childAt(int x, int y) const {
    QAction* action = menu().actionAt(menu().mapFromGlobal(QPoint(x, y)));
    return action ? child(static_cast<int>(menu().actions().indexOf(action))) : nullptr;
}

}  // namespace pellor
