#include "Pellor/App/UnansweredAlert.h"

#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMessageBox>

#include "Pellor/App/AlertPlacement.h"

namespace pellor {

UnansweredAlert::UnansweredAlert(QMessageBox& box) : QObject(&box), box_(box) {}

void UnansweredAlert::present(QMessageBox& box) {
    auto* alert = new UnansweredAlert(box);
    // However it is answered (a button, Escape, the window manager's close button).
    connect(&box, &QDialog::finished, alert, [alert] {
        alert->answered_ = true;
        alert->box_.deleteLater();
    });
    alert->showOver(box.parentWidget() ? box.parentWidget()->window() : nullptr);
}

void UnansweredAlert::showOver(QWidget* window) {
    if (window_) window_->removeEventFilter(this);
    window_ = window;
    if (box_.parentWidget() != window) box_.setParent(window, box_.windowFlags());
    // Over a window it blocks that window alone and stays on top of it; the
    // other windows (those of the same request among them) go on answering.
    box_.setWindowModality(window ? Qt::WindowModal : Qt::ApplicationModal);
    if (window) window->installEventFilter(this);
    // Over the window where it stands once the window manager has placed it.
    AlertPlacement::showWhenPlaced(box_, [this] {
        box_.show();
        AlertPlacement::centreOnWindow(box_);
    });
}

bool UnansweredAlert::eventFilter(QObject* watched, QEvent* event) {
    // A window that closes hides (and, being a document's, is deleted later with
    // its children); a minimised one stays visible.
    if (watched == window_ && event->type() == QEvent::Hide && !window_->isVisible() && !answered_) {
        // Shown again at once, before anything that waits for the alerts to
        // be answered (the welcome window) can take its absence for an answer.
        showOver(windowOtherThan(window_));
    }
    return QObject::eventFilter(watched, event);
}

QWidget* UnansweredAlert::windowOtherThan(const QWidget* closing) const {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget != closing && widget->isVisible() && qobject_cast<QMainWindow*>(widget)) return widget;
    }
    return nullptr;
}

}  // namespace pellor
