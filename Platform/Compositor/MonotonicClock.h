#pragma once
// The system's monotonic clock as a media clock, in seconds since its first reading
// in this process: the clock the application runs on.

#include "Platform/Compositor/MediaClock.h"

namespace platform::compositor {

class MonotonicClock : public MediaClock {
public:
    double now() const override;
};

}  // namespace platform::compositor
