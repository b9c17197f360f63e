#include "Lottie/CoreAnimation/VisibilityAnimation.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <vector>

#include "Lottie/CoreAnimation/AnimationTimingWrapper.h"
#include "Lottie/CoreAnimation/ComplexTimeRemapping.h"
#include "Lottie/CoreAnimation/KeyframeAnimationBuilder.h"
#include "Lottie/CoreAnimation/LayerProperties.h"
#include "Lottie/CoreAnimation/SharedKeyframeLists.h"
#include "Lottie/Values/Hold.h"
#include "Platform/Compositor/KeyframeAnimation.h"

namespace lottie {

using platform::compositor::AnimatableValue;

std::array<double, 4> VisibilityAnimation::keyTimes(double inFrame, double outFrame,
                                                    const LayerAnimationContext& context) {
    const double shownFrom = std::clamp(context.progress(inFrame), 0.0, 1.0);
    // The out frame at the end frame ends the animation exactly, also while
    // paused, when the timeline runs one frame longer.
    const double endProgress =
        context.simpleTimeRemapping(outFrame) == context.animation->endFrame ? 1.0 : context.progress(outFrame);
    const double hiddenFrom = std::clamp(endProgress, shownFrom, 1.0);
    return {0.0, shownFrom, hiddenFrom, 1.0};
}

void VisibilityAnimation::animateVisibility(platform::compositor::Layer& layer, double inFrame, double outFrame,
                                            const LayerAnimationContext& context) {
    if (context.derivesOnly) return;
    const LayerPropertyDescriptor& property = LayerProperties::isHidden();
    if (context.mustUseComplexTimeRemapping) {
        const auto state = [](double time, bool hidden) {
            return Keyframe<Hold<bool>>(Hold<bool>{hidden}, time, true, std::nullopt, std::nullopt, std::nullopt,
                                        std::nullopt);
        };
        // In time order whatever the frames: hidden from 0 only when the layer
        // starts later, and never hidden again before it is shown. The out
        // frame is no part of the layer's time: hidden there.
        std::vector<Keyframe<Hold<bool>>> keyframes;
        if (inFrame > 0) keyframes.push_back(state(0, true));
        keyframes.push_back(state(inFrame, false));
        keyframes.push_back(state(std::max(outFrame, inFrame), true));
        // Resampled onto the root timeline here, so that the end frame can be
        // told apart from other root frames that the remapping takes to the
        // out frame: a layer that lasts until the animation's end frame, in
        // the time the remapping gives there, keeps showing at that frame
        // alone, as on the enclosing timeline.
        std::vector<Keyframe<Hold<bool>>> sampled =
            ComplexTimeRemapping::resample(KeyframeGroup<Hold<bool>>(std::move(keyframes)), context).keyframes();
        const double localEnd = context.complexTimeRemapping(context.animation->endFrame);
        const bool lastsUntilTheEnd =
            outFrame > inFrame && std::fabs(localEnd - outFrame) <= std::fabs(outFrame) * FLT_EPSILON;
        if (lastsUntilTheEnd && !sampled.empty() && sampled.back().time() == context.animation->endFrame) {
            sampled.back() = sampled.back().replacingValue(Hold<bool>{false});
        }
        KeyframeAnimationBuilder::attach<Hold<bool>>(
            property, KeyframeGroup<Hold<bool>>(std::move(sampled)),
            [](const Hold<bool>& hidden) { return AnimatableValue(hidden.value); }, context.withoutTimeRemapping(),
            layer);
        return;
    }
    const std::array<double, 4> times = keyTimes(inFrame, outFrame, context);
    auto animation = platform::compositor::KeyframeAnimation::make(property.keyPath);
    animation->setCalculationMode(platform::compositor::CalculationMode::discrete);
    if (times[2] < 1) {
        animation->setSharedValues(
            SharedKeyframeLists::values().shared({AnimatableValue(true), AnimatableValue(false), AnimatableValue(true)}));
        animation->setSharedKeyTimes(SharedKeyframeLists::keyTimes().shared({times.begin(), times.end()}));
    } else {
        // A layer that lasts until the end keeps showing there: a finished
        // animation rests on its end, the last key time, where a hidden state
        // starting at that same time would take over and blank the layer.
        // Shown from the start as well, it shows throughout: one value, so
        // that a picture kept of the layer (ContentCache) holds on every frame.
        const bool hiddenAtStart = times[1] > 0;
        animation->setSharedValues(
            SharedKeyframeLists::values().shared({AnimatableValue(hiddenAtStart), AnimatableValue(false)}));
        animation->setSharedKeyTimes(SharedKeyframeLists::keyTimes().shared({times[0], times[1], times[3]}));
    }
    layer.addAnimation(AnimationTimingWrapper::wrappedInTimingGroup(animation, context, layer), property.keyPath);
}

}  // namespace lottie
