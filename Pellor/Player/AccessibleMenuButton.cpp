#include "Pellor/Player/AccessibleMenuButton.h"

#include <QMenu>

#include "Pellor/Player/MenuButton.h"

namespace pellor {

AccessibleMenuButton::AccessibleMenuButton(MenuButton* button) : QAccessibleWidget(button, QAccessible::ButtonMenu) {}

MenuButton& AccessibleMenuButton::button() const { return *static_cast<MenuButton*>(widget()); }

bool AccessibleMenuButton::menuOpen() const { return button().menu()->isVisible(); }

// Named as the button is, or for what it shows.
QString AccessibleMenuButton::text(QAccessible::Text kind) const {
    const QString text = QAccessibleWidget::text(kind);
    if (kind == QAccessible::Name && text.isEmpty()) return button().text();
    return text;
}

QAccessible::State AccessibleMenuButton::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.pressed = button().isDown();
    state.hasPopup = true;
    state.expandable = true;
    state.expanded = menuOpen();
    state.collapsed = !menuOpen();
    return state;
}

int AccessibleMenuButton::childCount() const { return menuOpen() ? 1 : 0; }

QAccessibleInterface* AccessibleMenuButton::child(int index) const {
    return index == 0 && menuOpen() ? QAccessible::queryAccessibleInterface(button().menu()) : nullptr;
}

int AccessibleMenuButton::indexOfChild(const QAccessibleInterface* child) const {
    return child && menuOpen() && child->object() == button().menu() ? 0 : -1;
}

QAccessibleInterface* AccessibleMenuButton::childAt(int x, int y) const {
    QAccessibleInterface* menu = child(0);
    return menu && menu->rect().contains(x, y) ? menu : nullptr;
}

QStringList AccessibleMenuButton::actionNames() const {
    return QStringList{pressAction(), showMenuAction()} + QAccessibleWidget::actionNames();
}

// Either opens the menu, as a click does.
void AccessibleMenuButton::doAction(const QString& name) {
    if (!button().isEnabled()) return;
    if (name == pressAction() || name == showMenuAction()) {
        button().click();
        return;
    }
    QAccessibleWidget::doAction(name);
}

}  // namespace pellor
