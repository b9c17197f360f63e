#include "Pellor/App/AlertPlacement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "Pellor/Player/FrameWithinArea.h"

namespace pellor {

AlertPlacement::AlertPlacement(QWidget& alert, QWidget& window, std::function<void()> show)
    : QObject(&alert), window_(&window), show_(std::move(show)) {
    watch(true);
}

void AlertPlacement::showWhenPlaced(QWidget& alert, std::function<void()> show) {
    delete alert.findChild<AlertPlacement*>(QString(), Qt::FindDirectChildrenOnly);
    QWidget* window = alert.parentWidget() ? alert.parentWidget()->window() : nullptr;
    if (!window || isOnScreen(*window)) {
        show();
        return;
    }
    new AlertPlacement(alert, *window, std::move(show));
}

bool AlertPlacement::isOnScreen(const QWidget& window) {
    const QWindow* handle = window.windowHandle();
    return window.isVisible() && handle && handle->isExposed();
}

void AlertPlacement::watch(bool on) {
    if (!window_) return;
    // The window's handle exists only once it is shown; it is watched from then on.
    for (QObject* watched : {static_cast<QObject*>(window_.data()), static_cast<QObject*>(window_->windowHandle())}) {
        if (!watched) continue;
        on ? watched->installEventFilter(this) : watched->removeEventFilter(this);
    }
}

bool AlertPlacement::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (window_ && (type == QEvent::Expose || type == QEvent::Show)) {
        if (watched == window_) watch(true);
        if (isOnScreen(*window_)) {
            watch(false);
            // After the expose has been handled, not inside it.
            QMetaObject::invokeMethod(
                this,
                [this] {
                    const auto show = std::move(show_);
                    deleteLater();
                    show();
                },
                Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void AlertPlacement::centreOnWindow(QWidget& alert) {
    QWidget* window = alert.parentWidget() ? alert.parentWidget()->window() : nullptr;
    if (!window) return;
    QRect frame = alert.frameGeometry();
    frame.moveCenter(window->frameGeometry().center());
    // Within the screen, where a window partly off screen would otherwise take it.
    if (const QScreen* screen = window->screen()) frame = keptWithin(frame, screen->availableGeometry());
    alert.move(frame.topLeft());
}

}  // namespace pellor
