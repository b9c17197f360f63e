#pragma once
// A styled button with a menu of its own, which it opens under itself. Screen
// readers find the open menu as the button's child and its items as the
// menu's (PlayerAccessibility), as they find the menus of a menu bar; a menu
// that Qt opens on its own stands outside the application's tree. Owned by
// its Qt parent; the menu is the button's.

#include "Pellor/Styles/StyledButton.h"

class QAction;
class QMenu;

namespace pellor {

class MenuButton : public StyledButton {
    Q_OBJECT

public:
    explicit MenuButton(std::shared_ptr<const ButtonStyle> style, QWidget* parent = nullptr);

    QMenu* menu() const { return menu_; }
    // Opens the menu under the button on `current`, so that the arrow keys move from there.
    void openMenu(QAction* current);

private:
    QMenu* menu_ = nullptr;
};

}  // namespace pellor
