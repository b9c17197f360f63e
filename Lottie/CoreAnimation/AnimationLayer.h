#pragma once
// A layer of the Core Animation engine's tree that installs animations of its
// own: the root layer asks each of its direct sublayers that is one, in order,
// in every display pass, and each installs its property animations and then
// its sublayers'. Implemented by the engine's layer classes.

#include "Lottie/CoreAnimation/LayerAnimationContext.h"

namespace lottie {

class AnimationLayer {
public:
    virtual ~AnimationLayer() = default;

    // Throws CompatibilityTracker::Error in abort mode; the first error ends the pass.
    virtual void setupAnimations(const LayerAnimationContext& context) = 0;
    // Whether this layer remaps the time of the layers below it by keyframes (a
    // precomposition with time remapping): their properties are then resampled
    // once per frame, which the root layer counts before it builds anything.
    virtual bool remapsTime() const { return false; }

protected:
    AnimationLayer() = default;
    AnimationLayer(const AnimationLayer&) = default;
    AnimationLayer& operator=(const AnimationLayer&) = default;
};

}  // namespace lottie
