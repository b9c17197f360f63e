#include "Pellor/Review/ReviewDelayTimer.h"

#include <QPointer>
#include <QTimer>
#include <algorithm>

namespace pellor {

std::function<void()> QtReviewDelayTimer::schedule(std::chrono::milliseconds delay, std::function<void()> fire) {
    // The timer deletes itself once it has fired or been cancelled, so a wait
    // that nobody cancels costs nothing after it ends.
    auto* timer = new QTimer();
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, fire = std::move(fire)] {
        timer->deleteLater();
        fire();
    });
    timer->start(std::max(delay, std::chrono::milliseconds(0)));
    return [guard = QPointer<QTimer>(timer)] {
        if (!guard) return;
        guard->stop();
        guard->deleteLater();
    };
}

}  // namespace pellor
