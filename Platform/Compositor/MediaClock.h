#pragma once
// The clock that media time is read from: seconds on a monotonic scale with an
// arbitrary origin. Every layer's time and every animation's begin time count from
// it. The process has one installed clock, replaceable: the monotonic system clock
// in the application (the default), a ManualClock in tests, which move it by hand.
// Main thread only.

#include <memory>

namespace platform::compositor {

class MediaClock {
public:
    virtual ~MediaClock() = default;

    virtual double now() const = 0;

    // The installed clock's time.
    static double currentTime();
    // Installs a clock; null goes back to the monotonic system clock.
    static void install(std::shared_ptr<MediaClock> clock);
    static std::shared_ptr<MediaClock> installed();
};

}  // namespace platform::compositor
