#include "Platform/Compositor/MediaTiming.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>

namespace platform::compositor {

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

// Which end of a period a time on one of its multiples belongs to.
enum class Seam {
    start,
    end,
    // 0 stays at the start, every other multiple shows the end: an offset of a
    // whole active duration holds the last value.
    closed,
};

// How far a time may lie from a multiple of a period and still count as on it: a
// few units in the last place of the largest magnitude involved. Sums of frame
// times such as (end - k) / fps + (k - start) / fps land within this of the
// multiple they stand for, on either side.
double roundingAllowance(double magnitude) { return 8 * std::numeric_limits<double>::epsilon() * magnitude; }

std::optional<double> nearestMultipleIndex(double time, double period, double allowance) {
    const double index = std::round(time / period);
    if (std::fabs(time - index * period) <= allowance) {
        return index;
    }
    return std::nullopt;
}

// Brings the time into [0, period]. Times strictly between two multiples keep
// their place; a time on a multiple is the end of one period and the start of the
// next at once, and `seam` says which of the two it shows.
double wrapIntoPeriod(double time, double period, Seam seam, double allowance) {
    // An active duration so short that it underflowed to 0 has nothing to wrap into.
    if (!(period > 0)) {
        return time;
    }
    if (const std::optional<double> index = nearestMultipleIndex(time, period, allowance)) {
        switch (seam) {
            case Seam::start: return 0;
            case Seam::end: return period;
            case Seam::closed: return *index >= 1 ? period : 0;
        }
    }
    const double wrapped = std::fmod(time, period);
    return wrapped < 0 ? wrapped + period : wrapped;
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

namespace {

// The last two timings evaluated on this thread, with their parent times and
// what they gave. The animations of one layer mostly share their timing, and
// each sits in a group of one timing too; each frame they are evaluated one
// after another at the layer's time: all but the first of each get the answer
// the first got. Compared bit for bit, so that the answer is always the one
// evaluate would give.
struct Evaluation {
    std::array<std::uint64_t, 5> values{};
    std::uint32_t repeatCount = 0;
    bool autoreverses = false;
    FillMode fillMode = FillMode::removed;
    bool valid = false;
    MediaTiming::State state;

    bool holds(const std::array<std::uint64_t, 5>& otherValues, const MediaTiming& timing) const {
        return valid && values == otherValues && repeatCount == std::bit_cast<std::uint32_t>(timing.repeatCount) &&
               autoreverses == timing.autoreverses && fillMode == timing.fillMode;
    }
};
struct LastEvaluations {
    std::array<Evaluation, 2> entries;
    // The entry the next new answer replaces.
    std::size_t next = 0;
};
thread_local LastEvaluations lastEvaluations;

std::array<std::uint64_t, 5> bitsOf(const MediaTiming& timing, double parent) {
    return {std::bit_cast<std::uint64_t>(timing.beginTime), std::bit_cast<std::uint64_t>(timing.duration),
            std::bit_cast<std::uint64_t>(timing.speed), std::bit_cast<std::uint64_t>(timing.timeOffset),
            std::bit_cast<std::uint64_t>(parent)};
}

}  // namespace

MediaTiming::State MediaTiming::evaluate(double parent) const {
    LastEvaluations& last = lastEvaluations;
    const std::array<std::uint64_t, 5> values = bitsOf(*this, parent);
    for (const Evaluation& entry : last.entries) {
        if (entry.holds(values, *this)) return entry.state;
    }
    const State state = evaluateAfresh(parent);
    Evaluation& entry = last.entries[last.next];
    last.next = (last.next + 1) % last.entries.size();
    entry.values = values;
    entry.repeatCount = std::bit_cast<std::uint32_t>(repeatCount);
    entry.autoreverses = autoreverses;
    entry.fillMode = fillMode;
    entry.state = state;
    entry.valid = true;
    return state;
}

MediaTiming::State MediaTiming::evaluateAfresh(double parent) const {
    State state;
    if (!std::isfinite(parent) || !std::isfinite(beginTime) || !std::isfinite(speed) ||
        !std::isfinite(timeOffset) || std::isnan(duration) || std::isnan(repeatCount)) {
        return state;
    }
    // The begin time is reached when the parent time lies within single-precision
    // rounding of it, as a key time is: a begin time meant for a frame is met by
    // parent times summed from frame times and media-clock readings, which land
    // to either side of it by more than a few ulps of the times themselves (the
    // clock's reading can be far larger). The allowance is far below a frame.
    if (parent < beginTime &&
        beginTime - parent <= std::max(roundingAllowance(std::max(std::fabs(parent), std::fabs(beginTime))),
                                       std::fabs(beginTime) * FLT_EPSILON)) {
        parent = beginTime;
    }
    const double active = activeDuration();
    const bool forever = !std::isfinite(active);
    const double pass = passDuration();
    const double elapsed = (parent - beginTime) * speed;
    // Where playback sets out from: the end of the active duration when reversed.
    // Backwards for ever has no end; it runs back from 0 through negative times.
    const double start = speed < 0 && !forever ? active : 0;
    // Scaled by the position actually used, so that a clamped time far outside
    // the active duration does not widen it.
    auto allowanceAt = [&](double p) {
        return roundingAllowance(std::max({std::fabs(p), std::fabs(timeOffset), forever ? pass : active}));
    };

    // p: how far playback has gone through the active duration, in curve order.
    double position = start;
    bool applies = true;
    if (parent < beginTime) {
        state.phase = Phase::before;
        applies = fillsBackwards(fillMode);
    } else if (speed == 0 || forever) {
        state.phase = Phase::active;
        position = speed == 0 ? 0 : elapsed;
    } else {
        position = start + elapsed;
        const double overrun = speed > 0 ? position - active : -position;
        state.phase = overrun >= 0 ? Phase::after : Phase::active;
        if (state.phase == Phase::after) {
            // The active interval is closed: its very end still shows, also when
            // rounding puts the time a few ulps past it.
            applies = fillsForwards(fillMode) || overrun <= allowanceAt(position);
            position = speed > 0 ? active : 0;
        }
    }
    if (!applies) {
        return state;
    }

    const double time = position + timeOffset;
    const double allowance = allowanceAt(position);
    // A playback that has not moved yet stands at the end it sets out from; once
    // it moves, a multiple of the active duration is the end it arrives at.
    const bool departing = std::fabs(position - start) <= allowance;
    const Seam seam = speed == 0 ? Seam::closed : (speed > 0) != departing ? Seam::end : Seam::start;
    const double simple = simpleDuration();
    double inPass = 0;
    if (forever) {
        // Reversed for ever sets out from the end of a pass, as a finite reversed
        // playback sets out from the end of its active duration.
        const bool atPassEnd = speed < 0 && departing && nearestMultipleIndex(time, pass, allowance);
        inPass = atPassEnd ? pass : time - pass * std::floor(time / pass);
    } else if (const double activeTime = wrapIntoPeriod(time, active, seam, allowance); activeTime >= active) {
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
    state.simpleTime = std::clamp(simpleTime, 0.0, simple);
    return state;
}

bool MediaTiming::appliesThroughout(std::optional<double> parentDuration) const {
    if (!std::isfinite(beginTime) || !std::isfinite(speed) || !std::isfinite(timeOffset) || std::isnan(duration) ||
        std::isnan(repeatCount)) {
        return false;
    }
    if (!parentDuration) {
        return fillMode == FillMode::both;
    }
    if (!std::isfinite(*parentDuration) || (beginTime > 0 && !fillsBackwards(fillMode))) {
        return false;
    }
    if (fillsForwards(fillMode) || speed == 0) {
        return true;
    }
    const double active = activeDuration();
    return !std::isfinite(active) || (*parentDuration - beginTime) * std::fabs(speed) <= active;
}

}  // namespace platform::compositor
