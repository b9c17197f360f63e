#include "Platform/Compositor/MediaTiming.h"

#include <cmath>
#include <limits>

namespace platform::compositor {

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

// Brings the active time into [0, activeDuration]. Values already inside stay as
// they are, so the very end of the active duration is not folded back to its start.
double wrapIntoActiveDuration(double time, double activeDuration) {
    if (!std::isfinite(activeDuration) || activeDuration <= 0) {
        return time;
    }
    if (time >= 0 && time <= activeDuration) {
        return time;
    }
    double wrapped = std::fmod(time, activeDuration);
    if (time > 0) {
        return wrapped == 0 ? activeDuration : wrapped;
    }
    wrapped += activeDuration;
    return wrapped >= activeDuration ? 0 : wrapped;
}

bool fillsBackwards(FillMode mode) { return mode == FillMode::backwards || mode == FillMode::both; }
bool fillsForwards(FillMode mode) { return mode == FillMode::forwards || mode == FillMode::both; }

}  // namespace

double MediaTiming::localTime(double parentTime, double beginTime, double speed, double timeOffset) {
    return (parentTime - beginTime) * speed + timeOffset;
}

double MediaTiming::parentTime(double localTime, double beginTime, double speed, double timeOffset) {
    if (speed == 0) {
        return beginTime;
    }
    return (localTime - timeOffset) / speed + beginTime;
}

double MediaTiming::simpleDuration() const { return duration > 0 ? duration : defaultDuration; }

double MediaTiming::passDuration() const { return simpleDuration() * (autoreverses ? 2 : 1); }

bool MediaTiming::repeatsForever() const {
    return repeatCount >= foreverRepeatCount || std::isinf(repeatCount);
}

double MediaTiming::activeDuration() const {
    if (repeatsForever()) {
        return infinity;
    }
    // A count that is not a positive number plays once, as 0 does.
    const double count = repeatCount > 0 ? static_cast<double>(repeatCount) : 1.0;
    return passDuration() * count;
}

MediaTiming::State MediaTiming::evaluate(double parent) const {
    State state;
    if (!std::isfinite(parent) || !std::isfinite(beginTime) || !std::isfinite(speed) ||
        !std::isfinite(timeOffset) || std::isnan(duration) || std::isnan(repeatCount)) {
        return state;
    }
    const double active = activeDuration();
    const double elapsed = (parent - beginTime) * speed;

    // p: how far playback has gone through the active duration, in curve order.
    double position = 0;
    bool applies = true;
    if (parent < beginTime) {
        state.phase = Phase::before;
        position = (speed >= 0 || !std::isfinite(active)) ? 0 : active;
        applies = fillsBackwards(fillMode);
    } else if (speed == 0) {
        state.phase = Phase::active;
        position = 0;
    } else if (speed > 0) {
        position = elapsed;
        state.phase = position >= active ? Phase::after : Phase::active;
        if (state.phase == Phase::after) {
            applies = fillsForwards(fillMode) || position == active;
            position = active;
        }
    } else if (!std::isfinite(active)) {
        // Backwards for ever has no end to start from: it runs back from its begin.
        position = elapsed;
        state.phase = Phase::active;
    } else {
        position = active + elapsed;
        state.phase = position <= 0 ? Phase::after : Phase::active;
        if (state.phase == Phase::after) {
            applies = fillsForwards(fillMode) || position == 0;
            position = 0;
        }
    }
    if (!applies) {
        return state;
    }

    const double activeTime = wrapIntoActiveDuration(position + timeOffset, active);
    const double simple = simpleDuration();
    const double pass = passDuration();
    double inPass = 0;
    if (std::isfinite(active) && activeTime >= active) {
        // The end of the active duration: a whole number of passes ends at the end
        // of a pass, a fractional count partway through one.
        const double passes = active / pass;
        const double fraction = passes - std::floor(passes);
        inPass = fraction == 0 ? pass : fraction * pass;
    } else {
        inPass = activeTime - pass * std::floor(activeTime / pass);
    }
    double simpleTime = inPass;
    if (autoreverses && inPass > simple) {
        simpleTime = 2 * simple - inPass;
    }
    if (simpleTime < 0) {
        simpleTime = 0;
    } else if (simpleTime > simple) {
        simpleTime = simple;
    }
    state.simpleTime = simpleTime;
    return state;
}

}  // namespace platform::compositor
