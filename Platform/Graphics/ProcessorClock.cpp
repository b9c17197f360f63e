#include "Platform/Graphics/ProcessorClock.h"

#include <time.h>

#include <mutex>

#include "Platform/Graphics/SanitizedBuild.h"

namespace platform::graphics {

namespace {

// The sanitizers' instrumented builds run this code several times slower
// than the ordinary build (measured on real documents: a set-up up to 9
// times, a frame 3 to 4 times); their clock counts what the ordinary build
// would have taken, so that the deadlines cut the same documents in both.
constexpr double instrumentationSlowdown = kSanitizedBuild ? 10 : 1;

// The kernel's count of the calling thread's processor time.
class ThreadProcessorClock final : public ProcessorClock {
public:
    double threadSeconds() const override {
        timespec time{};
        if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time) != 0) return 0;
        return (static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9) /
               instrumentationSlowdown;
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
