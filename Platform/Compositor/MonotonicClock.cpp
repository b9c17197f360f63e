#include "Platform/Compositor/MonotonicClock.h"

#include <chrono>

namespace platform::compositor {

double MonotonicClock::now() const {
    static const auto origin = std::chrono::steady_clock::now();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - origin).count();
}

}  // namespace platform::compositor
