#include "Lottie/CoreAnimation/AnimationTimingWrapper.h"

#include <cmath>
#include <limits>

#include "Lottie/CoreAnimation/SharedAnimations.h"
#include "Platform/Compositor/MediaClock.h"

namespace lottie {

using platform::compositor::AnimationGroup;
using platform::compositor::FillMode;

std::shared_ptr<AnimationGroup> AnimationTimingWrapper::wrappedInTimingGroup(
    const std::shared_ptr<platform::compositor::Animation>& inner, const LayerAnimationContext& context,
    const platform::compositor::Layer& layer) {
    const LottieAnimation& animation = *context.animation;
    const LayerAnimationContext::TimingConfiguration& timing = context.timingConfiguration;
    const double framerate = animation.framerate;

    inner->setDuration(context.innerDuration());
    inner->setSpeed(context.endFrame < context.startFrame ? -1 : 1);
    inner->setTimeOffset((context.startFrame - animation.startFrame) / framerate);

    auto group = AnimationGroup::make();
    // Other views of the document build the same inner animation: they share one.
    group->setSharedAnimations({SharedAnimations::shared().share(inner)});
    group->setDuration(std::fabs(context.endFrame - context.startFrame) / framerate);
    group->setAutoreverses(timing.autoreverses);
    group->setRepeatCount(timing.repeatCount);
    group->setTimeOffset(timing.timeOffset);
    group->setFillMode(FillMode::both);
    group->setRemovedOnCompletion(false);
    if (timing.speed == 0) {
        // A begin time of exactly 0 would mean "when added"; one just below the
        // layer's time now is kept as it is, and equals that time for any time of
        // ordinary size.
        const double now = layer.convertTime(platform::compositor::MediaClock::currentTime(), nullptr);
        group->setBeginTime(now - std::numeric_limits<double>::denorm_min());
    }
    return group;
}

}  // namespace lottie
