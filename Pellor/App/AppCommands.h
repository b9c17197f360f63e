#pragma once
// The menus of every window, built the Linux way: "File" with Open…, Open
// Recent, Close, Settings… and Quit; "Help" with About Pellor, Check for
// Updates…, a divider and Developer Website. The application has no "New"
// command (its documents are read-only) and no "Edit" or "View" menu. The
// commands that live in the application menu elsewhere sit here: "About
// Pellor" and "Check for Updates…" in Help, "Settings…" and "Quit" in File.
// Stateless: the menus are the window's Qt children.

#include <QKeySequence>

class QMainWindow;
class QMenu;

namespace pellor {

class PellorApp;

class AppCommands {
public:
    static void install(QMainWindow& window, PellorApp& app);
    // The key of Quit, in every window that answers it: Ctrl+Q, the Linux
    // form of the command key's shortcut, whatever the desktop's key scheme.
    static QKeySequence quitKey();

private:
    // The items of the window's Open Recent menu.
    static void fillRecentMenu(QMenu& menu, QMainWindow& window, PellorApp& app);
};

}  // namespace pellor
