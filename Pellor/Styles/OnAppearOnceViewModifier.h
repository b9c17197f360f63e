#pragma once
// Runs an action the first time a widget is shown, and never again for that
// widget, however often it is hidden and shown. It is an event filter on the
// widget that waits for its first QEvent::Show; it is a Qt child of the widget,
// so it lives exactly as long as the widget's identity.

#include <QObject>
#include <functional>

class QWidget;

namespace pellor {

class OnAppearOnceViewModifier : public QObject {
    Q_OBJECT

public:
    // Installs itself on `widget`; no action only marks the first appearance.
    OnAppearOnceViewModifier(QWidget* widget, std::function<void()> action);

    bool didAppear() const { return didAppear_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> action_;
    bool didAppear_ = false;
};

}  // namespace pellor
