#pragma once
// Several keyframe groups of different value types merged into one group of
// combined values, for a compositor property that depends on several document
// properties (a transform from its ten components, a shadow offset from an
// angle and a distance). Two ways:
//
//   index by index   when every animating group (two or more keyframes) has the
//                    same times, hold flags and easing tangents as the first one:
//                    the combined keyframes keep that timing, easing included;
//                    a static group repeats its one value
//   by sampling      otherwise, or when the caller asks: every group evaluated
//                    each tenth of a frame from the earliest keyframe time to the
//                    latest, the latest included, each sample a holding keyframe
//
// Keyframes at one single time give one combined keyframe; a group without
// keyframes gives an empty result. The result never carries an expression.
// What the combined keyframes take is charged to the given account before they
// are made (a static group repeated at every index of a long animating one
// costs as much as a sample), and each sample counts toward the set-up's
// deadline as it is made. Stateless; an exception of the combining
// function or of the account passes out unchanged.

#include <cmath>
#include <cstddef>
#include <optional>
#include <tuple>
#include <type_traits>
#include <utility>
#include <vector>

#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

struct KeyframesCombined {
    // The timing of one keyframe, as the combination compares and copies it.
    struct Timing {
        double time = 0;
        bool isHold = false;
        std::optional<LottieVector2D> inTangent;
        std::optional<LottieVector2D> outTangent;
        std::optional<LottieVector3D> spatialInTangent;
        std::optional<LottieVector3D> spatialOutTangent;

        template <class T>
        static Timing of(const Keyframe<T>& keyframe) {
            return {keyframe.time(),       keyframe.isHold(),           keyframe.inTangent(),
                    keyframe.outTangent(), keyframe.spatialInTangent(), keyframe.spatialOutTangent()};
        }
        // Time, hold flag and easing tangents equal, numbers compared exactly.
        bool sharesTiming(const Timing& other) const;
    };

    // What to do with groups of these timings: the group whose keyframes are
    // combined index by index, or the sample times.
    struct Plan {
        std::optional<std::size_t> baseGroup;
        std::vector<double> sampleTimes;
        bool empty = false;
    };
    static constexpr double sampleInterval = 0.1;
    // Ten samples a frame over 100000 frames (almost an hour at 30 frames per
    // second); what lies beyond is no animation but a hostile document.
    static constexpr std::size_t maximumSampleCount = 1'000'000;
    // The sample time `index` intervals after `earliest`, in one rounding, so
    // that errors do not add up.
    static double sampleTime(double earliest, std::size_t index) {
        return std::fma(static_cast<double>(index), sampleInterval, earliest);
    }
    // How many sample times from `earliest` lie below `latest`, up to the cap.
    static std::size_t sampleCount(double earliest, double latest);
    static Plan plan(const std::vector<std::vector<Timing>>& groups, bool manualInterpolation);
    // The earliest and the latest keyframe time of the groups: infinity and
    // minus infinity without any keyframe.
    static std::pair<double, double> timeSpan(const std::vector<std::vector<Timing>>& groups);
    static bool sharesTiming(const std::vector<Timing>& a, const std::vector<Timing>& b);

    // The typed form: `combine` takes one value of each group, in group order.
    template <class Combine, Interpolatable... T>
    static auto combined(const SamplingAccount& account, bool manualInterpolation, const Combine& combine,
                         const KeyframeGroup<T>&... groups) {
        using R = std::decay_t<std::invoke_result_t<const Combine&, const T&...>>;
        const std::vector<std::vector<Timing>> timings = {timingsOf(groups)...};
        const Plan steps = plan(timings, manualInterpolation);
        std::vector<Keyframe<R>> keyframes;
        if (steps.empty) return KeyframeGroup<R>(std::move(keyframes));
        const double extraBytes = (0.0 + ... + SamplingBudget::largestExtraBytes(groups));
        account.charge(valueCount(steps, timings), static_cast<double>(sizeof(Keyframe<R>)) + extraBytes);
        if (steps.baseGroup) {
            const std::vector<Timing>& base = timings[*steps.baseGroup];
            for (std::size_t i = 0; i < base.size(); ++i) {
                keyframes.push_back(keyframeAt(base[i], combine(valueAt(groups, i)...)));
            }
        } else {
            auto interpolators = std::make_tuple(KeyframeInterpolator<T>(groups.keyframes())...);
            for (double time : steps.sampleTimes) {
                account.checkDeadline();
                R value = std::apply([&](auto&... each) { return combine(each.value(time)...); }, interpolators);
                keyframes.emplace_back(std::move(value), time, true, std::nullopt, std::nullopt, std::nullopt,
                                       std::nullopt);
            }
        }
        return KeyframeGroup<R>(std::move(keyframes));
    }

    // The array form: groups of one type give lists of their values.
    template <Interpolatable T>
    static KeyframeGroup<std::vector<T>> combined(const SamplingAccount& account,
                                                  const std::vector<const KeyframeGroup<T>*>& groups,
                                                  bool manualInterpolation) {
        std::vector<std::vector<Timing>> timings;
        for (const KeyframeGroup<T>* group : groups) timings.push_back(timingsOf(*group));
        const Plan steps = plan(timings, manualInterpolation);
        std::vector<Keyframe<std::vector<T>>> keyframes;
        if (steps.empty) return KeyframeGroup<std::vector<T>>(std::move(keyframes));
        double bytesEach = sizeof(Keyframe<std::vector<T>>);
        for (const KeyframeGroup<T>* group : groups) bytesEach += sizeof(T) + SamplingBudget::largestExtraBytes(*group);
        account.charge(valueCount(steps, timings), bytesEach);
        if (steps.baseGroup) {
            const std::vector<Timing>& base = timings[*steps.baseGroup];
            for (std::size_t i = 0; i < base.size(); ++i) {
                std::vector<T> values;
                for (const KeyframeGroup<T>* group : groups) values.push_back(valueAt(*group, i));
                keyframes.push_back(keyframeAt(base[i], std::move(values)));
            }
        } else {
            std::vector<KeyframeInterpolator<T>> interpolators;
            for (const KeyframeGroup<T>* group : groups) interpolators.emplace_back(group->keyframes());
            for (double time : steps.sampleTimes) {
                account.checkDeadline();
                std::vector<T> values;
                for (KeyframeInterpolator<T>& interpolator : interpolators) values.push_back(interpolator.value(time));
                keyframes.emplace_back(std::move(values), time, true, std::nullopt, std::nullopt, std::nullopt,
                                       std::nullopt);
            }
        }
        return KeyframeGroup<std::vector<T>>(std::move(keyframes));
    }

    // Samples made by combined() (each a holding keyframe) turned into
    // keyframes that the compositor blends from one to the next, so that
    // between two samples the value moves on instead of waiting a tenth of a
    // frame for the next; a sample still holds where one of `groups` (those it
    // was sampled from) holds its value at that time.
    template <class R, Interpolatable... T>
    static KeyframeGroup<R> blendedSamples(const KeyframeGroup<R>& samples, const KeyframeGroup<T>&... groups) {
        const std::vector<std::vector<Timing>> timings = {timingsOf(groups)...};
        std::vector<Keyframe<R>> keyframes;
        keyframes.reserve(samples.keyframes().size());
        for (const Keyframe<R>& sample : samples.keyframes()) {
            keyframes.emplace_back(sample.value(), sample.time(), holdsAt(timings, sample.time()), std::nullopt,
                                   std::nullopt, std::nullopt, std::nullopt);
        }
        return KeyframeGroup<R>(std::move(keyframes));
    }
    // Whether a group of these timings holds its value from `time` on to a later keyframe.
    static bool holdsAt(const std::vector<std::vector<Timing>>& groups, double time);

    // The timing of each keyframe of the group.
    template <class T>
    static std::vector<Timing> timingsOf(const KeyframeGroup<T>& group) {
        std::vector<Timing> timings;
        timings.reserve(group.keyframes().size());
        for (const Keyframe<T>& keyframe : group.keyframes()) timings.push_back(Timing::of(keyframe));
        return timings;
    }

private:
    // How many combined keyframes the plan makes.
    static double valueCount(const Plan& steps, const std::vector<std::vector<Timing>>& timings) {
        if (steps.baseGroup) return static_cast<double>(timings[*steps.baseGroup].size());
        return static_cast<double>(steps.sampleTimes.size());
    }

    // A static group gives its one value at every index.
    template <class T>
    static const T& valueAt(const KeyframeGroup<T>& group, std::size_t index) {
        const auto& keyframes = group.keyframes();
        return keyframes.size() == 1 ? keyframes.front().value() : keyframes[index].value();
    }

    template <class R>
    static Keyframe<R> keyframeAt(const Timing& timing, R value) {
        return Keyframe<R>(std::move(value), timing.time, timing.isHold, timing.inTangent, timing.outTangent,
                           timing.spatialInTangent, timing.spatialOutTangent);
    }
};

}  // namespace lottie
