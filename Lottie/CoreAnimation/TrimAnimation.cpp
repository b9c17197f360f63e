#include "Lottie/CoreAnimation/TrimAnimation.h"

#include <algorithm>
#include <cmath>
#include <set>
#include <utility>

#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

using platform::compositor::AnimatableValue;
using Group = KeyframeGroup<LottieVector1D>;
using Pair = std::pair<double, double>;

// Start and end together, as the ordering and the offset combine them.
template <>
struct Interpolation<Pair> {
    static Pair interpolate(const Pair& from, const Pair& to, double amount) {
        return {Interpolation<double>::interpolate(from.first, to.first, amount),
                Interpolation<double>::interpolate(from.second, to.second, amount)};
    }
};


namespace {

Group constant(double value) { return Group(LottieVector1D(value)); }

// The keyframes of `group` with each value changed by `change`, timing kept.
template <class T, class Change>
Group mapped(const KeyframeGroup<T>& group, const Change& change) {
    std::vector<Keyframe<LottieVector1D>> keyframes;
    keyframes.reserve(group.keyframes().size());
    for (const Keyframe<T>& keyframe : group.keyframes()) {
        keyframes.push_back(keyframe.replacingValue(LottieVector1D(change(keyframe.value()))));
    }
    return Group(std::move(keyframes));
}

std::pair<Group, Group> split(const KeyframeGroup<Pair>& pairs) {
    return {mapped(pairs, [](const Pair& pair) { return pair.first; }),
            mapped(pairs, [](const Pair& pair) { return pair.second; })};
}

template <class Test>
bool holdsAtEveryTime(const Trim& trim, const Test& test) {
    std::set<double> times;
    for (const auto& keyframe : trim.start()->keyframes()) times.insert(keyframe.time());
    for (const auto& keyframe : trim.end()->keyframes()) times.insert(keyframe.time());
    // Without keyframes on one side there is nothing to compare: the groups stay as they are.
    if (trim.start()->keyframes().empty() || trim.end()->keyframes().empty()) return true;
    KeyframeInterpolator<LottieVector1D> start(trim.start()->keyframes());
    KeyframeInterpolator<LottieVector1D> end(trim.end()->keyframes());
    return std::ranges::all_of(times, [&](double time) { return test(start.value(time).value, end.value(time).value); });
}

std::pair<Group, Group> orderedStartAndEnd(const Trim& trim, const SamplingAccount& account) {
    if (TrimAnimation::isStartAtMostEnd(trim)) return {*trim.start(), *trim.end()};
    if (TrimAnimation::isEndAtMostStart(trim)) return {*trim.end(), *trim.start()};
    // Sampled, so that the smaller of the two is the start at every frame, not
    // only at the keyframes: combined index by index, a start running from 0
    // to 100 past an end of 50 would show the range 25 to 75 half way.
    return split(KeyframesCombined::combined(
        account, true,
        [](const LottieVector1D& a, const LottieVector1D& b) {
            return a.value < b.value ? Pair{a.value, b.value} : Pair{b.value, a.value};
        },
        *trim.start(), *trim.end()));
}

bool allFinite(const Group& group) {
    return std::ranges::all_of(group.keyframes(), [](const auto& keyframe) { return std::isfinite(keyframe.value().value); });
}

double extreme(const Group& group, double empty, bool smallest) {
    if (group.keyframes().empty()) return empty;
    double result = group.keyframes().front().value().value;
    for (const auto& keyframe : group.keyframes()) {
        result = smallest ? std::min(result, keyframe.value().value) : std::max(result, keyframe.value().value);
    }
    return result;
}

}  // namespace

bool TrimAnimation::isStartAtMostEnd(const Trim& trim) {
    return holdsAtEveryTime(trim, [](double start, double end) { return start <= end; });
}

bool TrimAnimation::isEndAtMostStart(const Trim& trim) {
    return holdsAtEveryTime(trim, [](double start, double end) { return end <= start; });
}

TrimAnimation::StrokeKeyframes TrimAnimation::strokeKeyframes(const Trim& trim, const SamplingAccount& account) {
    StrokeKeyframes result = offsetStrokeKeyframes(trim, account);
    // Numbers past the doubles' range (interpolated between huge values) draw the whole path.
    if (!allFinite(result.start) || !allFinite(result.end)) return {constant(0), constant(100), 1};
    if (result.pathMultiplier <= maximumPathMultiplier) return result;
    // Whole path lengths before the start draw nothing, so they are dropped.
    const double lengths = std::floor(extreme(result.start, 0, true) / 100);
    const auto shifted = [lengths](const LottieVector1D& value) { return value.value - lengths * 100; };
    result.start = mapped(result.start, shifted);
    result.end = mapped(result.end, shifted);
    const double multiplier = std::ceil(extreme(result.end, 100, false) / 100);
    result.pathMultiplier = static_cast<int>(std::clamp(multiplier, 1.0, double(maximumPathMultiplier)));
    return result;
}

TrimAnimation::StrokeKeyframes TrimAnimation::offsetStrokeKeyframes(const Trim& trim, const SamplingAccount& account) {
    if (!allFinite(*trim.start()) || !allFinite(*trim.end()) || !allFinite(*trim.offset())) {
        return {constant(0), constant(100), 1};
    }
    auto [start, end] = orderedStartAndEnd(trim, account);
    const auto& offsets = trim.offset()->keyframes();
    if (std::ranges::all_of(offsets, [](const auto& keyframe) { return keyframe.value().value == 0; })) {
        return {std::move(start), std::move(end), 1};
    }
    std::tie(start, end) = split(KeyframesCombined::combined(
        account, false,
        [](const LottieVector1D& s, const LottieVector1D& e, const LottieVector1D& o) {
            const double shift = o.value / 360 * 100;
            return Pair{s.value + shift, e.value + shift};
        },
        start, end, *trim.offset()));
    const double lo = std::floor(extreme(start, 0, true) / 100);
    const double hi = extreme(end, 100, false) / 100;
    if (lo < 0) {
        const auto shifted = [lo](const LottieVector1D& value) { return value.value + std::abs(lo) * 100; };
        start = mapped(start, shifted);
        end = mapped(end, shifted);
    }
    // At least one path, so that an empty trim's fractions stay defined; a
    // count past the cap is brought down by the caller.
    const double multiplier = std::clamp(std::abs(lo) + std::abs(std::ceil(hi)), 1.0, double(maximumPathMultiplier) + 1);
    return {std::move(start), std::move(end), static_cast<int>(multiplier)};
}

int TrimAnimation::animateTrim(platform::compositor::Layer& layer, const Trim& trim,
                               const LayerAnimationContext& context) {
    const StrokeKeyframes keyframes = strokeKeyframes(trim, context.samplingAccount());
    const double multiplier = keyframes.pathMultiplier;
    const KeyframeValueMapping<LottieVector1D> fraction = [multiplier](const LottieVector1D& percent) {
        return AnimatableValue(percent.value / multiplier / 100);
    };
    KeyframeAnimationBuilder::attach(LayerProperties::strokeStart(), keyframes.start, fraction, context, layer);
    KeyframeAnimationBuilder::attach(LayerProperties::strokeEnd(), keyframes.end, fraction, context, layer);
    return keyframes.pathMultiplier;
}

}  // namespace lottie
