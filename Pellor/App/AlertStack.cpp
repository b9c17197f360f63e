#include "Pellor/App/AlertStack.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QWindow>
#include <algorithm>

namespace pellor {

AlertStack::AlertStack(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

AlertStack::~AlertStack() {
    if (qApp) qApp->removeEventFilter(this);
}

bool AlertStack::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Hide) {
        auto* box = qobject_cast<QMessageBox*>(watched);
        // A box's show event comes before its native window is made visible,
        // and so before Qt works out which windows it blocks.
        if (box && box->isWindow()) type == QEvent::Show ? stack(*box) : unstack(*box);
    }
    return QObject::eventFilter(watched, event);
}

QWidget* AlertStack::hostOf(const QMessageBox& box) {
    if (box.windowModality() != Qt::WindowModal || !box.parentWidget()) return nullptr;
    return box.parentWidget()->window();
}

void AlertStack::stack(QMessageBox& box) {
    std::erase_if(shown_, [&box](const QPointer<QMessageBox>& other) {
        return other.isNull() || other == &box || !other->isVisible();
    });
    QWidget* host = hostOf(box);
    QWindow* own = box.windowHandle();
    if (!host || !own) return;
    // A window-modal dialog lets through only the dialogs that stand on it
    // (its transient children): the newest alert stands on the window, and
    // the one that stood there before moves onto the newest.
    QWindow* window = host->windowHandle();
    for (const QPointer<QMessageBox>& other : shown_) {
        QWindow* handle = other->windowHandle();
        if (handle && handle->transientParent() == window && hostOf(*other) == host) handle->setTransientParent(own);
    }
    shown_.emplace_back(&box);
}

void AlertStack::unstack(QMessageBox& box) {
    std::erase_if(shown_, [&box](const QPointer<QMessageBox>& other) { return other.isNull() || other == &box; });
    QWindow* own = box.windowHandle();
    if (!own) return;
    QWindow* below = own->transientParent();
    for (const QPointer<QMessageBox>& other : shown_) {
        QWindow* handle = other->windowHandle();
        if (!handle || handle->transientParent() != own) continue;
        // Onto what the box that went stood on while it is still there, else
        // onto the window the alert was shown over.
        QWindow* onto = below && below->isVisible() ? below : nullptr;
        if (!onto) {
            QWidget* host = hostOf(*other);
            onto = host ? host->windowHandle() : nullptr;
        }
        handle->setTransientParent(onto);
    }
}

}  // namespace pellor
