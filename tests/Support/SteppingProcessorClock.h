#pragma once
// A processor clock whose readings the test decides: each thread has a time
// of its own that moves on by the clock's step at every reading the thread
// makes, so that a deadline passes after as many readings as the test says,
// not after a time, and the threads working for one deadline add up as they
// would. Installed as the process's processor clock while an Installation
// lives. Header-only: the test support library does not link the graphics
// library.

#include <map>
#include <memory>
#include <mutex>
#include <thread>

#include "Platform/Graphics/ProcessorClock.h"

namespace testsupport {

class SteppingProcessorClock final : public platform::graphics::ProcessorClock {
public:
    explicit SteppingProcessorClock(double step) : step_(step) {}

    // The calling thread's time, which then moves on by the step.
    double threadSeconds() const override {
        std::lock_guard lock(mutex_);
        ++readings_;
        double& time = times_[std::this_thread::get_id()];
        const double reading = time;
        time += step_;
        return reading;
    }

    void setStep(double step) {
        std::lock_guard lock(mutex_);
        step_ = step;
    }
    long readings() const {
        std::lock_guard lock(mutex_);
        return readings_;
    }

    // Installs a clock of `step` for as long as it lives; the system's clock
    // comes back afterwards.
    class Installation {
    public:
        explicit Installation(double step) : clock_(std::make_shared<SteppingProcessorClock>(step)) {
            platform::graphics::ProcessorClock::install(clock_);
        }
        ~Installation() { platform::graphics::ProcessorClock::install(nullptr); }
        Installation(const Installation&) = delete;
        Installation& operator=(const Installation&) = delete;
        SteppingProcessorClock& clock() { return *clock_; }

    private:
        std::shared_ptr<SteppingProcessorClock> clock_;
    };

private:
    mutable std::mutex mutex_;
    mutable std::map<std::thread::id, double> times_;
    mutable long readings_ = 0;
    double step_;
};

}  // namespace testsupport
