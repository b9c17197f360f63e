#include "Pellor/App/QuitKeyCatcher.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWindow>

#include "Pellor/App/AppCommands.h"

namespace pellor {

QuitKeyCatcher::QuitKeyCatcher(std::function<void()> quit, QObject* parent) : QObject(parent), quit_(std::move(quit)) {
    QCoreApplication::instance()->installEventFilter(this);
}

QuitKeyCatcher::~QuitKeyCatcher() {
    if (QCoreApplication* application = QCoreApplication::instance()) application->removeEventFilter(this);
}

bool QuitKeyCatcher::eventFilter(QObject* watched, QEvent* event) {
    // A key comes to a window first, once no shortcut has taken it, and then
    // to the window's focused widget: only the first counts.
    if (event->type() != QEvent::KeyPress || !watched->isWindowType()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (QKeySequence(key->keyCombination()) != AppCommands::quitKey()) return false;
    quit_();
    return true;
}

}  // namespace pellor
