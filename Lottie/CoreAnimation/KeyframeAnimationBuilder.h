#pragma once
// The one operation through which an animated property of the Core Animation
// engine becomes something the compositor plays. Given a property's keyframes,
// the layer property it drives and the mapping of keyframe values into
// compositor values, it yields, in this order of checks:
//
//   no keyframes                  -> nothing
//   one keyframe                  -> nothing (the layer's default or its model
//                                    value already shows it), the layer's model
//                                    value (set here), or a basic animation
//                                    holding the value
//   under complex time remapping  -> the same, built again from the keyframes
//                                    resampled onto the root timeline
//   one calculation-mode run      -> one keyframe animation over the whole animation
//   several runs                  -> a group of run animations placed in seconds
//
// An After Effects expression is never evaluated: the first one met by a root
// layer's tree logs a warning once, and the keyframes are used as they are.
// Callers attach the result through attach(), which wraps it in the play
// request's timing (AnimationTimingWrapper) and adds it under the key path.
// Runs inside the root layer's display pass; keeps nothing.

#include <memory>
#include <string>

#include "Lottie/CoreAnimation/AnimationTimingWrapper.h"
#include "Lottie/CoreAnimation/CalculationModeRuns.h"
#include "Lottie/CoreAnimation/ComplexTimeRemapping.h"
#include "Lottie/CoreAnimation/LayerPropertyDescriptor.h"
#include "Platform/Compositor/BasicAnimation.h"

namespace lottie {

struct KeyframeAnimationBuilder {
    // The warning logged (once per root layer) for a property with an expression.
    static std::string expressionsWarningMessage(const std::string& keyPath, const LayerAnimationContext& context);

    // Throws what the mapping and the time computations throw (a compatibility
    // issue in abort mode among them); changes the layer only by the model value
    // of the single-keyframe case.
    template <Interpolatable T>
    static std::shared_ptr<platform::compositor::Animation> animationForKeyframes(
        const LayerPropertyDescriptor& property, const KeyframeGroup<T>& keyframes,
        const KeyframeValueMapping<T>& mapping, const LayerAnimationContext& context,
        platform::compositor::Layer& layer) {
        const std::vector<Keyframe<T>>& frames = keyframes.keyframes();
        if (frames.empty()) return nullptr;
        logExpressionsWarningIfNeeded(keyframes.unsupportedAfterEffectsExpression().has_value(), property.keyPath,
                                      context);
        if (frames.size() == 1) {
            const platform::compositor::AnimatableValue value = mapping(frames.front().value());
            context.samplingAccount().charge(1, SamplingBudget::bytesOf(value));
            return singleValueAnimation(property, value, layer);
        }
        if (context.mustUseComplexTimeRemapping) {
            const KeyframeGroup<T> resampled = ComplexTimeRemapping::resample(keyframes, context);
            return animationForKeyframes(property, resampled, mapping, context.withoutTimeRemapping(), layer);
        }
        return animationForRuns(property.keyPath, frames, mapping, context);
    }

    // The keyframes (at least one) cut into calculation-mode runs: one keyframe
    // animation for one run, a group of timed run animations for several. Throws
    // what the mapping and the time computations throw.
    template <class T>
    static std::shared_ptr<platform::compositor::Animation> animationForRuns(const std::string& keyPath,
                                                                             const std::vector<Keyframe<T>>& frames,
                                                                             const KeyframeValueMapping<T>& mapping,
                                                                             const LayerAnimationContext& context) {
        const std::vector<std::vector<Keyframe<T>>> runs = CalculationModeRuns::split(frames);
        if (runs.size() == 1) return KeyframeRunAnimation::make(keyPath, runs.front(), std::nullopt, context, mapping);
        std::vector<std::shared_ptr<platform::compositor::Animation>> animations;
        animations.reserve(runs.size());
        for (std::size_t index = 0; index < runs.size(); ++index) {
            animations.push_back(CalculationModeRuns::timedRunAnimation(index, runs, keyPath, context, mapping));
        }
        auto group = platform::compositor::AnimationGroup::make();
        group->setAnimations(std::move(animations));
        return group;
    }

    // Builds the property's animation and, when there is one, adds it to the layer
    // in the play request's timing under the property's key path. An error ends
    // the property with nothing added and reaches the caller.
    template <Interpolatable T>
    static void attach(const LayerPropertyDescriptor& property, const KeyframeGroup<T>& keyframes,
                       const KeyframeValueMapping<T>& mapping, const LayerAnimationContext& context,
                       platform::compositor::Layer& layer) {
        if (context.derivesOnly) return;
        if (auto animation = animationForKeyframes(property, keyframes, mapping, context, layer)) {
            layer.addAnimation(AnimationTimingWrapper::wrappedInTimingGroup(animation, context, layer), property.keyPath);
        }
    }

private:
    static void logExpressionsWarningIfNeeded(bool hasExpression, const std::string& keyPath,
                                              const LayerAnimationContext& context);
    // Nothing when the value is the default or the layer's model value already,
    // the layer's model value when the layer shows its default now, else a
    // basic animation from and to the value.
    static std::shared_ptr<platform::compositor::Animation> singleValueAnimation(
        const LayerPropertyDescriptor& property, const platform::compositor::AnimatableValue& value,
        platform::compositor::Layer& layer);
};

}  // namespace lottie
