#pragma once
// Puts an animation built over the whole animation into the play request's time.
// Every animation the Core Animation engine attaches, the root layer's progress
// animation included, is built from the animation's start frame to its end
// frame and then wrapped here, so that all of them stay in step:
//
//   inner:  |<------------ whole animation: innerDuration ------------->|
//           startFrame            playFrom            playTo      endFrame
//   group:                           |<-- |playTo - playFrom| / fr -->|
//
// The group plays the stretch of the inner animation from the play range's first
// frame (the inner time offset) for the range's length, forwards or (for a
// reversed range) backwards at inner speed -1, and carries the request's repeat
// count, auto-reverse and time offset. It holds its ends (fill mode both) and
// stays attached once finished. While paused the group begins at the layer's
// current time, just below it, so the compositor takes the begin time as given
// rather than as "now".
//
// Used by the root layer and by every property animation; keeps nothing.

#include <memory>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Platform/Compositor/Animation.h"
#include "Platform/Compositor/AnimationGroup.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct AnimationTimingWrapper {
    // Changes `inner` (duration, speed, time offset) and returns the group that
    // holds it, or an equal animation another view made (SharedAnimations), which
    // the group's copies share; the caller adds the group to `layer` under its
    // own key, and changes `inner` no more.
    static std::shared_ptr<platform::compositor::AnimationGroup> wrappedInTimingGroup(
        const std::shared_ptr<platform::compositor::Animation>& inner, const LayerAnimationContext& context,
        const platform::compositor::Layer& layer);
};

}  // namespace lottie
