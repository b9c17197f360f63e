#include "Lottie/CoreAnimation/KeyframesCombined.h"

#include <algorithm>
#include <iterator>
#include <limits>

namespace lottie {

namespace {

bool sameTangent(const std::optional<LottieVector2D>& a, const std::optional<LottieVector2D>& b) {
    if (a.has_value() != b.has_value()) return false;
    return !a || (a->x == b->x && a->y == b->y);
}

}  // namespace

bool KeyframesCombined::Timing::sharesTiming(const Timing& other) const {
    return time == other.time && isHold == other.isHold && sameTangent(inTangent, other.inTangent) &&
           sameTangent(outTangent, other.outTangent);
}

bool KeyframesCombined::sharesTiming(const std::vector<Timing>& a, const std::vector<Timing>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (!a[i].sharesTiming(b[i])) return false;
    }
    return true;
}

bool KeyframesCombined::holdsAt(const std::vector<std::vector<Timing>>& groups, double time) {
    return std::ranges::any_of(groups, [time](const std::vector<Timing>& group) {
        // The keyframe in force at `time`: the last one at or before it, unless it ends the group.
        const auto after = std::ranges::upper_bound(group, time, {}, &Timing::time);
        return after != group.begin() && after != group.end() && std::prev(after)->isHold;
    });
}

std::pair<double, double> KeyframesCombined::timeSpan(const std::vector<std::vector<Timing>>& groups) {
    double earliest = std::numeric_limits<double>::infinity();
    double latest = -std::numeric_limits<double>::infinity();
    for (const auto& group : groups) {
        for (const Timing& timing : group) {
            earliest = std::min(earliest, timing.time);
            latest = std::max(latest, timing.time);
        }
    }
    return {earliest, latest};
}

KeyframesCombined::Plan KeyframesCombined::plan(const std::vector<std::vector<Timing>>& groups,
                                                bool manualInterpolation) {
    Plan result;
    // A group without keyframes has no value to give at any index or time.
    if (groups.empty() || std::any_of(groups.begin(), groups.end(), [](const auto& group) { return group.empty(); })) {
        result.empty = true;
        return result;
    }
    std::optional<std::size_t> firstAnimating;
    bool sharedTiming = true;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].size() < 2) continue;
        if (!firstAnimating) firstAnimating = i;
        // The first animating group is compared with itself too, which a NaN time fails.
        sharedTiming = sharedTiming && sharesTiming(groups[*firstAnimating], groups[i]);
    }
    if (!manualInterpolation && sharedTiming) {
        result.baseGroup = firstAnimating.value_or(0);
        return result;
    }
    const auto [earliest, latest] = timeSpan(groups);
    // The latest time is sampled as well, so that the combined group ends on
    // the final values (and keyframes all at one time give one).
    const std::size_t count = sampleCount(earliest, latest);
    result.sampleTimes.reserve(count + 1);
    for (std::size_t i = 0; i < count; ++i) result.sampleTimes.push_back(sampleTime(earliest, i));
    if (std::isfinite(latest)) result.sampleTimes.push_back(latest);
    return result;
}

std::size_t KeyframesCombined::sampleCount(double earliest, double latest) {
    if (!(earliest < latest)) return 0;
    // Keyframe times beyond any real animation would otherwise ask for
    // samples without end. The times only grow with the index, so those
    // below the latest are a run from the first: found from an estimate.
    const double estimate = std::ceil((latest - earliest) / sampleInterval);
    std::size_t count = std::isfinite(estimate) && estimate < static_cast<double>(maximumSampleCount)
                            ? static_cast<std::size_t>(estimate)
                            : maximumSampleCount;
    while (count > 0 && !(sampleTime(earliest, count - 1) < latest)) --count;
    while (count < maximumSampleCount && sampleTime(earliest, count) < latest) ++count;
    return count;
}

}  // namespace lottie
