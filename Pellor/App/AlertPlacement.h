#pragma once
// Where an alert over a window shows: over that window as it stands. A window
// just shown is not where it will stay until the window manager has placed
// it, and a dialog places itself over its parent as the parent is when the
// dialog shows; an alert shown at once over a new window would be left over
// the window's first position. So an alert waits until its window is on
// screen (exposed), then shows centred on the window's frame, kept within the
// screen.
//
// A Qt child of the alert while it waits, made by showWhenPlaced(); main
// thread only.

#include <QObject>
#include <QPointer>
#include <functional>

class QWidget;

namespace pellor {

class AlertPlacement : public QObject {
    Q_OBJECT

public:
    // Runs `show` once the alert's window (its parent's window) is on screen:
    // at once when it is already, or when the alert has no parent. A later
    // call for the same alert replaces a wait still running.
    static void showWhenPlaced(QWidget& alert, std::function<void()> show);
    // Moves the alert to the middle of its window, within the window's screen.
    static void centreOnWindow(QWidget& alert);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AlertPlacement(QWidget& alert, QWidget& window, std::function<void()> show);
    static bool isOnScreen(const QWidget& window);
    void watch(bool on);

    QPointer<QWidget> window_;
    std::function<void()> show_;
};

}  // namespace pellor
