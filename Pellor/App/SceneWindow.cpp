#include "Pellor/App/SceneWindow.h"

#include <QApplication>
#include <QScreen>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "Pellor/App/AppCommands.h"
#include "Pellor/Player/FrameWithinArea.h"
#include "Pellor/Resources/ApplicationIcon.h"

namespace pellor {

SceneWindow::SceneWindow(PellorApp& app, const QString& identifier, QWidget* parent)
    : QMainWindow(parent), app_(app), identifier_(identifier) {
    setWindowIcon(applicationIcon());
    AppCommands::install(*this, app);
}

void SceneWindow::hideMenuBarKeepingShortcuts() {
    // A hidden menu bar's shortcuts do not fire; the same actions on the
    // (visible) window do.
    for (QAction* top : menuBar()->actions()) {
        if (QMenu* menu = top->menu()) addActions(menu->actions());
    }
    menuBar()->hide();
}

void SceneWindow::setMovableByWindowBackground(bool movable) {
    movableByBackground_ = movable;
    dragOffset_.reset();
}

void SceneWindow::keyPressEvent(QKeyEvent* event) {
    if (closesOnEscape_ && event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        close();
        return;
    }
    QMainWindow::keyPressEvent(event);
}

void SceneWindow::mousePressEvent(QMouseEvent* event) {
    if (!movableByBackground_ || event->button() != Qt::LeftButton) return QMainWindow::mousePressEvent(event);
    event->accept();
    if (windowHandle() && windowHandle()->startSystemMove()) return;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void SceneWindow::mouseMoveEvent(QMouseEvent* event) {
    if (!dragOffset_ || !(event->buttons() & Qt::LeftButton)) return QMainWindow::mouseMoveEvent(event);
    event->accept();
    move(event->globalPosition().toPoint() - *dragOffset_);
}

void SceneWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (dragOffset_ && event->button() == Qt::LeftButton) dragOffset_.reset();
    QMainWindow::mouseReleaseEvent(event);
}

QSize SceneWindow::sizeWithinScreen(QSize preferred) const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return preferred;
    // The frame the window manager adds is unknown before the window is shown.
    const QRect area = screen->availableGeometry();
    const QSize room(area.width() * 9 / 10, area.height() * 9 / 10);
    return preferred.boundedTo(room).expandedTo(minimumSizeHint());
}

void SceneWindow::keepWithinScreen() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const QRect frame(pos(), size());
    if (!area.contains(frame)) move(keptWithin(frame, area).topLeft());
}

SceneWindow* SceneWindow::find(const QString& identifier) {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* window = qobject_cast<SceneWindow*>(widget);
        if (window && window->identifier() == identifier) return window;
    }
    return nullptr;
}

}  // namespace pellor
