#pragma once
// The transform of a layer, a shape group or a repeater copy on the Core
// Animation engine, one animation per component on the layer that shows it:
//
//   position      "transform.translation" (a motion path), or ".x" and ".y" when split
//   anchor point  "anchorPoint", in unit coordinates of the layer's bounds
//   scale         "transform.scale.x", ".y"       percent to factors
//   rotation      "transform.rotation.x", ".y", ".z"   degrees to radians
//
// A transform with a skew, or with a negative x scale in any keyframe, is one
// "transform" matrix animation instead (CombinedTransformAnimation). Position,
// scale and z rotation answer to value providers. Called by the layer tree
// inside the display pass; keeps nothing.

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/Protocols/TransformModel.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct TransformAnimations {
    static constexpr const char* sourceFile = "Lottie/TransformAnimations";
    static constexpr const char* missingPositionMessage =
        "`Transform` values must provide either `position` or `positionX` / `positionY` keyframes";
    static constexpr const char* emptyBoundsMessage = "Size must be non-zero before an animation can be played";

    // Throws what the builder, the provider path or the tracker throw; the
    // components after an error are not animated.
    static void addTransformAnimations(platform::compositor::Layer& layer, const TransformModel& transform,
                                       const LayerAnimationContext& context);
    static void animatePosition(platform::compositor::Layer& layer, const TransformModel& transform,
                                const LayerAnimationContext& context);
    static void animateAnchorPoint(platform::compositor::Layer& layer, const TransformModel& transform,
                                   const LayerAnimationContext& context);
    static void animateScale(platform::compositor::Layer& layer, const TransformModel& transform,
                             const LayerAnimationContext& context);
    static void animateRotation(platform::compositor::Layer& layer, const TransformModel& transform,
                                const LayerAnimationContext& context);
    // Whether some scale keyframe has an x below 0 (not -0, not NaN).
    static bool hasNegativeScaleX(const TransformModel& transform);
};

}  // namespace lottie
