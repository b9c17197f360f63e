#pragma once
// Runs the library's main run loop on the Qt event loop. Installed once per
// process (install(), which the views call when they are made), it sets the run
// loop's wake-up handler: a post from any thread queues one drain onto the
// thread of the Qt application, and posts that arrive before that drain has run
// share it. After each drain it says so (drained()), so that the views can ask
// whether what ran left their layer trees in need of a frame.
//
// Owned by the Qt application object (its parent), so it goes away with it and
// takes its wake-up handler along. Tests may drain the run loop themselves: a
// queued drain that finds nothing to do is harmless.

#include <QObject>
#include <atomic>

namespace lottie {

class QtMainRunLoopBridge : public QObject {
    Q_OBJECT

public:
    // The process's bridge, made on first use; none without a Qt application.
    static QtMainRunLoopBridge* install();

    ~QtMainRunLoopBridge() override;

    // Drains the main run loop now, on the calling (main) thread.
    void drainNow();

signals:
    void drained();

private:
    explicit QtMainRunLoopBridge(QObject* parent);
    void scheduleDrain();

    std::atomic<bool> drainScheduled_{false};
};

}  // namespace lottie
