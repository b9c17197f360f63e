#include "Pellor/App/SceneWindow.h"

#include <QApplication>

#include "Pellor/App/AppCommands.h"
#include "Pellor/Resources/ApplicationIcon.h"

namespace pellor {

SceneWindow::SceneWindow(PellorApp& app, const QString& identifier, QWidget* parent)
    : QMainWindow(parent), app_(app), identifier_(identifier) {
    setWindowIcon(applicationIcon());
    AppCommands::install(*this, app);
}

SceneWindow* SceneWindow::find(const QString& identifier) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<SceneWindow*>(widget);
        if (window && window->identifier() == identifier) return window;
    }
    return nullptr;
}

}  // namespace pellor
