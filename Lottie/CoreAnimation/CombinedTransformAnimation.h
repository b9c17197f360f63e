#pragma once
// The whole transform of a layer as one "transform" matrix animation, for the
// transforms the component animations cannot show: a skewed shape group, or a
// negative x scale in some keyframe. The ten components are combined into one
// group of matrices: one matrix while none of them moves, else matrices
// sampled each tenth of a frame that the compositor blends from one to the
// next (held where a component holds its value); a flipped layer's samples
// are worked out as the compositor asks for them (CombinedTransformSamples)
// rather than kept. A point of the layer is, in this order, moved by
// minus the anchor point, scaled, skewed about the skew axis, rotated about z,
// y and x, and moved by the position. Never overridden by a value provider.
// Called by TransformAnimations inside the display pass; keeps nothing.

#include "Lottie/CoreAnimation/CombinedTransformSamples.h"
#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/Protocols/TransformModel.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Transform3D.h"

namespace lottie {

struct CombinedTransformAnimation {
    // One value of each of the ten components (degrees, percent).
    struct Components {
        LottieVector3D anchorPoint;
        LottieVector3D position;
        double positionX = 0;
        double positionY = 0;
        LottieVector3D scale;
        double rotationX = 0;
        double rotationY = 0;
        double rotationZ = 0;
        double skew = 0;
        double skewAxis = 0;
    };

    // Whether the skew shows: a skew and a skew axis with keyframes, and a skew
    // value other than 0 (NaN included).
    static bool hasSkew(const TransformModel& transform);
    // Whether that skew changes: the skew or its axis has several keyframes.
    static bool hasSkewAnimation(const TransformModel& transform);
    // `splitPosition`: the position comes from the separate x and y values.
    static platform::graphics::Transform3D combinedTransformMatrix(const Components& components, bool splitPosition);

    // Throws what the builder throws.
    static void animateCombinedTransform(platform::compositor::Layer& layer, const TransformModel& transform,
                                         const LayerAnimationContext& context);

private:
    // The sampled matrices as samples worked out when the compositor asks
    // (CombinedTransformSamples); false, with nothing added, where those do
    // not serve. Throws what the sampling budget throws.
    static bool animateSamplesWhenAsked(platform::compositor::Layer& layer, const TransformModel& transform,
                                        const CombinedTransformSamples::Components& components, bool splitPosition,
                                        const LayerAnimationContext& context);
};

}  // namespace lottie
