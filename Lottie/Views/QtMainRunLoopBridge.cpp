#include "Lottie/Views/QtMainRunLoopBridge.h"

#include <QCoreApplication>
#include <QPointer>

#include "Platform/Foundation/MainRunLoop.h"

namespace lottie {

namespace {

QPointer<QtMainRunLoopBridge>& installedBridge() {
    static QPointer<QtMainRunLoopBridge> bridge;
    return bridge;
}

}  // namespace

QtMainRunLoopBridge* QtMainRunLoopBridge::install() {
    QPointer<QtMainRunLoopBridge>& bridge = installedBridge();
    if (!bridge && QCoreApplication::instance()) {
        bridge = new QtMainRunLoopBridge(QCoreApplication::instance());
    }
    return bridge.data();
}

QtMainRunLoopBridge::QtMainRunLoopBridge(QObject* parent) : QObject(parent) {
    platform::foundation::MainRunLoop::shared().setWakeUpHandler([this] { scheduleDrain(); });
    // Work posted before the bridge existed still needs its turn.
    if (platform::foundation::MainRunLoop::shared().pendingCount() > 0) scheduleDrain();
}

QtMainRunLoopBridge::~QtMainRunLoopBridge() {
    platform::foundation::MainRunLoop::shared().setWakeUpHandler({});
}

void QtMainRunLoopBridge::scheduleDrain() {
    // Called on the posting thread: only queue the drain, and only once until it runs.
    if (drainScheduled_.exchange(true)) return;
    QMetaObject::invokeMethod(this, [this] { drainNow(); }, Qt::QueuedConnection);
}

void QtMainRunLoopBridge::drainNow() {
    // Cleared first, so that work posted while draining schedules the next drain.
    drainScheduled_.store(false);
    platform::foundation::MainRunLoop::shared().drain();
    emit drained();
}

}  // namespace lottie
