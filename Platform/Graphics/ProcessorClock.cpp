#include "Platform/Graphics/ProcessorClock.h"

#include <time.h>

#include <mutex>

namespace platform::graphics {

namespace {

// The kernel's count of the calling thread's processor time.
class ThreadProcessorClock final : public ProcessorClock {
public:
    double threadSeconds() const override {
        timespec time{};
        if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time) != 0) return 0;
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
    }
};

struct Installed {
    std::mutex mutex;
    std::shared_ptr<ProcessorClock> clock;
};

// Never destroyed: a drawing on another thread may still ask for it while
// the process ends.
Installed& installedClock() {
    static auto* const installed = new Installed{{}, std::make_shared<ThreadProcessorClock>()};
    return *installed;
}

}  // namespace

std::shared_ptr<ProcessorClock> ProcessorClock::installed() {
    Installed& installed = installedClock();
    std::lock_guard lock(installed.mutex);
    return installed.clock;
}

void ProcessorClock::install(std::shared_ptr<ProcessorClock> clock) {
    if (!clock) clock = std::make_shared<ThreadProcessorClock>();
    Installed& installed = installedClock();
    std::lock_guard lock(installed.mutex);
    installed.clock = std::move(clock);
}

}  // namespace platform::graphics
