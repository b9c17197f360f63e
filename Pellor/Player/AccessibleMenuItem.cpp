#include "Pellor/Player/AccessibleMenuItem.h"

#include <QAction>
#include <QMenu>

namespace pellor {

namespace {

// The text without its mnemonic marks ("&Open" reads "Open", "&&" reads "&").
QString withoutMnemonics(const QString& text) {
    QString plain;
    plain.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && ++i >= text.size()) break;
        plain += text[i];
    }
    return plain;
}

}  // namespace

AccessibleMenuItem::AccessibleMenuItem(QMenu* menu, QAction* action) : menu_(menu), action_(action) {}

bool AccessibleMenuItem::isValid() const { return menu_ && action_; }

QObject* AccessibleMenuItem::object() const { return action_; }

QWindow* AccessibleMenuItem::window() const { return menu_ ? menu_->windowHandle() : nullptr; }

QAccessibleInterface* AccessibleMenuItem::parent() const {
    return menu_ ? QAccessible::queryAccessibleInterface(menu_.data()) : nullptr;
}

QString AccessibleMenuItem::text(QAccessible::Text kind) const {
    if (!action_) return {};
    switch (kind) {
    case QAccessible::Name: return withoutMnemonics(action_->text()).trimmed();
    case QAccessible::Description: return action_->toolTip() == action_->text() ? QString() : action_->toolTip();
    case QAccessible::Accelerator: return action_->shortcut().toString(QKeySequence::NativeText);
    default: return {};
    }
}

QRect AccessibleMenuItem::rect() const {
    if (!isValid()) return {};
    const QRect area = menu_->actionGeometry(action_);
    return QRect(menu_->mapToGlobal(area.topLeft()), area.size());
}

QAccessible::Role AccessibleMenuItem::role() const {
    return action_ && action_->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
}

QAccessible::State AccessibleMenuItem::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.invisible = !menu_->isVisible() || !action_->isVisible();
    state.disabled = !action_->isEnabled();
    state.focusable = !action_->isSeparator();
    const bool active = menu_->activeAction() == action_;
    state.focused = active;
    state.selected = active;
    state.hotTracked = active;
    state.checkable = action_->isCheckable();
    state.checked = action_->isChecked();
    return state;
}

void* AccessibleMenuItem::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList AccessibleMenuItem::actionNames() const {
    if (!isValid() || action_->isSeparator() || !action_->isEnabled()) return {};
    return {pressAction()};
}

// As a click on the item: the menu closes and the item acts.
void AccessibleMenuItem::doAction(const QString& name) {
    if (name != pressAction() || !actionNames().contains(name)) return;
    const QPointer<QAction> action = action_;
    menu_->hide();
    if (action) action->trigger();
}

}  // namespace pellor
