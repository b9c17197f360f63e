#include "Lottie/Views/ViewDisplayLink.h"

#include <QScreen>
#include <cmath>

namespace lottie {

namespace {

bool& timersOn() {
    static bool enabled = true;
    return enabled;
}

int periodFor(double refreshRate) {
    // A screen that reports no sensible rate is taken to refresh at 60 Hz.
    const double rate = std::isfinite(refreshRate) && refreshRate >= 1 ? refreshRate : 60;
    return std::max(1, static_cast<int>(std::lround(1000.0 / rate)));
}

}  // namespace

ViewDisplayLink::ViewDisplayLink(std::shared_ptr<platform::compositor::Layer> root, std::function<void()> onFrame,
                                 QObject* parent)
    : QObject(parent), link_(std::move(root)), onFrame_(std::move(onFrame)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(periodFor(60));
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

void ViewDisplayLink::setTimersEnabled(bool enabled) { timersOn() = enabled; }

bool ViewDisplayLink::timersEnabled() { return timersOn(); }

void ViewDisplayLink::setScreen(const QScreen* screen) {
    timer_.setInterval(periodFor(screen ? screen->refreshRate() : 60));
}

void ViewDisplayLink::schedule() {
    if (running_ || !link_.isActive()) return;
    running_ = true;
    if (timersOn()) timer_.start();
}

bool ViewDisplayLink::tick() {
    if (!link_.tick()) {
        stop();
        return false;
    }
    ++framesDrawn_;
    if (onFrame_) onFrame_();
    return true;
}

void ViewDisplayLink::stop() {
    running_ = false;
    timer_.stop();
}

}  // namespace lottie
