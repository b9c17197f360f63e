#include "Pellor/App/AlertGate.h"

#include <QApplication>
#include <QMessageBox>

namespace pellor {

AlertGate::AlertGate(QObject* parent) : QObject(parent) {}

AlertGate::~AlertGate() {
    if (!held_.empty() && qApp) qApp->removeEventFilter(this);
}

bool AlertGate::isAlertOpen() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qobject_cast<QMessageBox*>(widget)) return true;
    }
    return false;
}

void AlertGate::whenNoAlertIsOpen(std::function<void()> action) {
    if (!action) return;
    if (held_.empty() && !isAlertOpen()) {
        action();
        return;
    }
    held_.push_back(std::move(action));
    // Every alert that goes is a chance that none is left; watch them only while something waits.
    if (held_.size() == 1) qApp->installEventFilter(this);
}

bool AlertGate::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Hide && qobject_cast<QMessageBox*>(watched)) {
        // After the alert's own closing has run its course (it may close a
        // window and open another), not in the middle of it.
        QMetaObject::invokeMethod(this, &AlertGate::releaseIfClear, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void AlertGate::releaseIfClear() {
    if (held_.empty() || isAlertOpen()) return;
    qApp->removeEventFilter(this);
    auto actions = std::move(held_);
    held_.clear();
    for (auto& action : actions) action();
}

}  // namespace pellor
