#include "Pellor/Player/MenuButton.h"

#include <QMenu>

#include "Pellor/Player/PlayerAccessibility.h"

namespace pellor {

MenuButton::MenuButton(std::shared_ptr<const ButtonStyle> style, QWidget* parent)
    : StyledButton(std::move(style), QString(), parent) {
    PlayerAccessibility::install();
    menu_ = new QMenu(this);
}

void MenuButton::openMenu(QAction* current) {
    menu_->popup(mapToGlobal(QPoint(0, height())));
    if (current) menu_->setActiveAction(current);
}

}  // namespace pellor
