#include "Pellor/Styles/OnAppearOnceViewModifier.h"

#include <QEvent>
#include <QWidget>

namespace pellor {

OnAppearOnceViewModifier::OnAppearOnceViewModifier(QWidget* widget, std::function<void()> action)
    : QObject(widget), action_(std::move(action)) {
    widget->installEventFilter(this);
}

bool OnAppearOnceViewModifier::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Show && !didAppear_) {
        // The flag is set before the action runs, so an action that shows the
        // widget again does not run itself twice.
        didAppear_ = true;
        if (action_) action_();
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace pellor
