#include "Lottie/Views/ViewDisplayLink.h"

#include <QScreen>
#include <cmath>

#include "Platform/Graphics/KeptStorage.h"

namespace lottie {

namespace {

bool& timersOn() {
    static bool enabled = true;
    return enabled;
}

int& runningLinks() {
    static int count = 0;
    return count;
}

// Called as a link stops ticking: the last one to stop gives back what the
// drawing code keeps from frame to frame, as no frame is being drawn.
void noteStopped() {
    if (--runningLinks() == 0) platform::graphics::KeptStorage::release();
}

int periodFor(double refreshRate) {
    // A screen that reports no sensible rate is taken to refresh at 60 Hz.
    const double rate = std::isfinite(refreshRate) && refreshRate >= 1 ? refreshRate : 60;
    return std::max(1, static_cast<int>(std::lround(1000.0 / rate)));
}

}  // namespace

ViewDisplayLink::ViewDisplayLink(std::shared_ptr<platform::compositor::Layer> root, FrameDrawer drawer, QObject* parent)
    : QObject(parent), link_(std::move(root)), drawer_(std::move(drawer)) {
    timer_.setTimerType(Qt::PreciseTimer);
    timer_.setInterval(periodFor(60));
    connect(&timer_, &QTimer::timeout, this, [this] { tick(); });
}

ViewDisplayLink::~ViewDisplayLink() {
    if (running_) noteStopped();
}

int ViewDisplayLink::runningCount() { return runningLinks(); }

void ViewDisplayLink::setTimersEnabled(bool enabled) { timersOn() = enabled; }

bool ViewDisplayLink::timersEnabled() { return timersOn(); }

void ViewDisplayLink::setScreen(const QScreen* screen) {
    timer_.setInterval(periodFor(screen ? screen->refreshRate() : 60));
}

void ViewDisplayLink::schedule() {
    if (link_.isActive()) start();
}

void ViewDisplayLink::setFrameObserver(std::function<void()> observer) {
    frameObserver_ = std::move(observer);
    if (frameObserver_) start();
}

bool ViewDisplayLink::tick() {
    const LottieLogger::Scope reporting(logger_);
    // While the last frame is still being drawn, this refresh shows the last
    // whole picture, and the link keeps ticking.
    const bool underWay = frameUnderWay_ && frameUnderWay_();
    const bool drew = !underWay && link_.advance();
    if (drew) {
        ++framesDrawn_;
        drawer_([this] { link_.display(); });
    }
    // The observer may clear itself (a host dropping its binding), so it runs
    // from a copy, and only then is the link allowed to stop.
    if (const std::function<void()> observer = frameObserver_) observer();
    if (!drew && !underWay && !frameObserver_) stop();
    return drew;
}

void ViewDisplayLink::start() {
    if (running_) return;
    running_ = true;
    ++runningLinks();
    if (timersOn()) timer_.start();
}

void ViewDisplayLink::stop() {
    if (!running_) return;
    running_ = false;
    timer_.stop();
    if (onStop_) onStop_();
    noteStopped();
}

}  // namespace lottie
