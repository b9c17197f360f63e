#include "Platform/Graphics/ProcessorDeadline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace platform::graphics {

namespace {

// Longer than any work, and short enough that nanoseconds of many such
// readings add up within 64 bits.
constexpr double maximumSeconds = 1e6;

// What the calling thread counts toward, kept alive, and its last reading of
// the deadline's clock.
struct Account {
    std::shared_ptr<ProcessorDeadline> deadline;
    double lastReading = 0;
};

thread_local Account account;

}  // namespace

ProcessorDeadline::ProcessorDeadline(double seconds)
    : clock_(ProcessorClock::installed()),
      seconds_(std::isfinite(seconds) && seconds > 0 ? std::min(seconds, maximumSeconds) : 0),
      nanoseconds_(std::llround(seconds_ * 1e9)),
      spentNanoseconds_(0),
      passed_(nanoseconds_ == 0) {}

ProcessorDeadline::ProcessorDeadline(double seconds, std::shared_ptr<ProcessorDeadline> within, double withinSeconds,
                                     std::string passedWithin)
    : ProcessorDeadline(seconds) {
    if (!within) return;
    within_ = std::move(within);
    withinNanoseconds_ = std::llround((std::isfinite(withinSeconds) && withinSeconds > 0
                                           ? std::min(withinSeconds, maximumSeconds)
                                           : 0) *
                                      1e9);
    passedWithin_ = std::move(passedWithin);
    if (within_->spentNanoseconds_.load(std::memory_order_relaxed) >= withinNanoseconds_ && !passed_) {
        passedByWithin_.store(true, std::memory_order_relaxed);
        passed_.store(true, std::memory_order_relaxed);
    }
}

double ProcessorDeadline::spent() const {
    return static_cast<double>(spentNanoseconds_.load(std::memory_order_relaxed)) * 1e-9;
}

void ProcessorDeadline::add(double seconds) {
    // A reading that went back (a clock that is no clock) counts nothing.
    if (!(seconds > 0)) return;
    const std::int64_t nanoseconds = std::llround(std::min(seconds, maximumSeconds) * 1e9);
    const std::int64_t total = spentNanoseconds_.fetch_add(nanoseconds, std::memory_order_relaxed) + nanoseconds;
    if (within_) {
        within_->add(seconds);
        if (!passed_.load(std::memory_order_relaxed) &&
            within_->spentNanoseconds_.load(std::memory_order_relaxed) >= withinNanoseconds_ &&
            total < nanoseconds_) {
            passedByWithin_.store(true, std::memory_order_relaxed);
        }
    }
    if (total >= nanoseconds_ || passedByWithin_.load(std::memory_order_relaxed)) {
        passed_.store(true, std::memory_order_relaxed);
    }
}

void ProcessorDeadline::read() {
    Account& here = account;
    const double reading = clock_->threadSeconds();
    add(reading - here.lastReading);
    here.lastReading = reading;
    unitsLeft_ = unitsPerReading;
}

const std::shared_ptr<ProcessorDeadline>& ProcessorDeadline::current() { return account.deadline; }

void ProcessorDeadline::countToward(const std::shared_ptr<ProcessorDeadline>& deadline) {
    Account& here = account;
    if (here.deadline == deadline) return;
    double reading = 0;
    bool read = false;
    if (here.deadline) {
        reading = here.deadline->clock_->threadSeconds();
        read = true;
        here.deadline->add(reading - here.lastReading);
    }
    if (deadline) {
        // One reading serves both when they keep the same clock.
        if (!read || here.deadline->clock_ != deadline->clock_) reading = deadline->clock_->threadSeconds();
        here.lastReading = reading;
    }
    here.deadline = deadline;
    counting_ = deadline.get();
    unitsLeft_ = unitsPerReading;
}

std::string ProcessorDeadline::describe(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g s", seconds);
    return text;
}

std::string ProcessorDeadline::limitDescription() const {
    if (passedByWithin_.load(std::memory_order_relaxed)) {
        return describe(within_->seconds()) + " of processor time " + passedWithin_;
    }
    return describe(seconds_) + " of processor time";
}

ProcessorDeadline::Scope::Scope(std::shared_ptr<ProcessorDeadline> deadline) : outer_(account.deadline) {
    countToward(deadline);
}

ProcessorDeadline::Scope::~Scope() { countToward(outer_); }

}  // namespace platform::graphics
