#pragma once
// One run of keyframes (all sharing the first keyframe's calculation mode) as one
// compositor keyframe animation. Key times lie on the whole animation's
// progress scale (single precision, not clamped, so keyframes outside the
// animation lie below 0 or above 1) unless the caller gives run-relative ones;
// the mode is discrete when the first keyframe holds, else linear; one timing
// function per pair of keyframes comes from their easing tangents. The key path
// "transform.translation" moves along a motion path through the keyframes'
// points (curves where spatial tangents say so) and keeps its key times as they
// are; every other key path gets its mapped values, padded out to key times 0
// and 1 by the keyframe animation rules.
//
// Each mapped value, with its key time and timing function, is charged to the
// context's sampling budget as it is made: a keyframe value mapped into a path
// drawn a hundred times under a trim, or into a star of thousands of vertices,
// costs far more than the keyframe itself.
//
// The lists go to the animation through SharedKeyframeLists, so that other
// views of the document building the same run share them.
//
// The result carries no duration or begin time: the timing wrapper (or the run
// group) gives it those. Called by the keyframe animation builder; keeps nothing.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/KeyframeAnimationRules.h"
#include "Lottie/CoreAnimation/KeyframeValueMapping.h"
#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/CoreAnimation/SharedKeyframeLists.h"
#include "Lottie/Values/Keyframe.h"
#include "Platform/Compositor/KeyframeAnimation.h"
#include "Platform/Compositor/MotionPath.h"
#include "Platform/Graphics/Path.h"

namespace lottie {

struct KeyframeRunAnimation {
    static constexpr const char* motionPathKeyPath = "transform.translation";
    static constexpr const char* sourceFile = "Lottie/KeyframeRunAnimation";

    // `keyframes` holds at least one keyframe; throws what progress() or the
    // mapping throw.
    template <class T>
    static std::shared_ptr<platform::compositor::KeyframeAnimation> make(
        const std::string& keyPath, const std::vector<Keyframe<T>>& keyframes,
        std::optional<std::vector<double>> keyTimes, const LayerAnimationContext& context,
        const KeyframeValueMapping<T>& mapping) {
        using platform::compositor::CalculationMode;
        std::vector<double> times;
        if (keyTimes) {
            times = std::move(*keyTimes);
        } else {
            times.reserve(keyframes.size());
            for (const Keyframe<T>& keyframe : keyframes) {
                times.push_back(static_cast<double>(static_cast<float>(context.progress(keyframe.time()))));
            }
        }
        std::vector<platform::compositor::TimingFunction> timingFunctions =
            KeyframeAnimationRules::bezierTimingFunctions(keyframes);
        const CalculationMode mode = keyframes.front().isHold() ? CalculationMode::discrete : CalculationMode::linear;

        auto animation = platform::compositor::KeyframeAnimation::make(keyPath);
        if (keyPath == motionPathKeyPath) {
            platform::graphics::Path path = motionPath(keyframes, context, mapping);
            // The path, the table the compositor measures it by, and a key time
            // and timing function per keyframe.
            context.samplingAccount().charge(
                1, SamplingBudget::bytesOf(path) + platform::compositor::MotionPath::bytesFor(path) +
                       static_cast<double>(keyframes.size()) *
                           (sizeof(double) + sizeof(platform::compositor::TimingFunction)));
            // Measured once for all the copies that move along an equal path.
            using PreparedPath = platform::compositor::KeyframeAnimation::PreparedPath;
            animation->setPreparedPath(SharedKeyframeLists::motionPaths().sharedOrMade(
                platform::compositor::pathHash(path), [&path](const PreparedPath& held) { return held.path == path; },
                [&path] { return PreparedPath(std::move(path)); }));
        } else {
            std::vector<platform::compositor::AnimatableValue> values;
            values.reserve(keyframes.size() + 2);
            const SamplingAccount account = context.samplingAccount();
            for (const Keyframe<T>& keyframe : keyframes) {
                values.push_back(mapping(keyframe.value()));
                account.charge(1, SamplingBudget::bytesOf(values.back()) + sizeof(double) +
                                      sizeof(platform::compositor::TimingFunction));
            }
            KeyframeAnimationRules::conformToKeyframeAnimationRules(values, times, timingFunctions, mode,
                                                                    *context.logger);
            animation->setSharedValues(SharedKeyframeLists::values().shared(std::move(values)));
        }
        animation->setCalculationMode(mode);
        animation->setSharedKeyTimes(SharedKeyframeLists::keyTimes().shared(std::move(times)));
        animation->setSharedTimingFunctions(
            SharedKeyframeLists::timingFunctions().shared(std::move(timingFunctions)));
        return animation;
    }

private:
    template <class T>
    static platform::graphics::Point pointOf(const Keyframe<T>& keyframe, const LayerAnimationContext& context,
                                             const KeyframeValueMapping<T>& mapping) {
        const platform::compositor::AnimatableValue mapped = mapping(keyframe.value());
        if (const auto* point = mapped.get<platform::graphics::Point>()) return *point;
        context.logger->assertionFailure(
            [&keyframe] {
                return "Cannot create point from keyframe with value " + keyframeValueDescription(keyframe.value());
            },
            sourceFile, __LINE__);
        return {0, 0};
    }

    // Through every keyframe's point in order, then closed back to the first.
    template <class T>
    static platform::graphics::Path motionPath(const std::vector<Keyframe<T>>& keyframes,
                                               const LayerAnimationContext& context,
                                               const KeyframeValueMapping<T>& mapping) {
        platform::graphics::Path path;
        for (std::size_t i = 0; i < keyframes.size(); ++i) {
            if (i == 0) path.moveTo(pointOf(keyframes[0], context, mapping));
            if (i + 1 >= keyframes.size()) continue;
            const Keyframe<T>& from = keyframes[i];
            const Keyframe<T>& to = keyframes[i + 1];
            const auto& out = from.spatialOutTangent();
            const auto& in = to.spatialInTangent();
            if (out && in && (out->x != 0 || out->y != 0 || in->x != 0 || in->y != 0)) {
                const platform::graphics::Point end = pointOf(to, context, mapping);
                const platform::graphics::Point start = pointOf(from, context, mapping);
                const platform::graphics::Point control2 = pointOf(to, context, mapping);
                path.curveTo({start.x + out->x, start.y + out->y}, {control2.x + in->x, control2.y + in->y}, end);
            } else {
                path.lineTo(pointOf(to, context, mapping));
            }
        }
        path.closeSubpath();
        return path;
    }
};

}  // namespace lottie
