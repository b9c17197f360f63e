#include "Platform/Compositor/MediaClock.h"

#include "Platform/Compositor/MonotonicClock.h"

namespace platform::compositor {

namespace {

std::shared_ptr<MediaClock>& installedClock() {
    static std::shared_ptr<MediaClock> clock = std::make_shared<MonotonicClock>();
    return clock;
}

}  // namespace

double MediaClock::currentTime() { return installedClock()->now(); }

void MediaClock::install(std::shared_ptr<MediaClock> clock) {
    installedClock() = clock ? std::move(clock) : std::make_shared<MonotonicClock>();
}

std::shared_ptr<MediaClock> MediaClock::installed() { return installedClock(); }

}  // namespace platform::compositor
