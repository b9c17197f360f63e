#pragma once
// A media clock that moves only when told to: tests install one and advance it
// between display-link ticks, so that no test sleeps or reads the wall clock.

#include "Platform/Compositor/MediaClock.h"

namespace platform::compositor {

class ManualClock : public MediaClock {
public:
    explicit ManualClock(double start = 0) : time_(start) {}

    double now() const override { return time_; }
    void setTime(double time) { time_ = time; }
    void advance(double seconds) { time_ += seconds; }

private:
    double time_;
};

}  // namespace platform::compositor
