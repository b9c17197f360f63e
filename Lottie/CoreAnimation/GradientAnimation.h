#pragma once
// The animations of one gradient layer of a gradient fill or stroke on the
// Core Animation engine: its stop colours and locations (the colour stops on
// the colour layer, the opacity stops on the alpha layer), its opacity and,
// for linear and radial gradients, its start and end points in the layer's
// padded unit space. Called by the shape item layer while it installs
// animations, after the layer is laid out; keeps nothing.

#include "Lottie/CoreAnimation/GradientRenderLayer.h"
#include "Lottie/CoreAnimation/GradientStops.h"
#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/Protocols/GradientShapeItem.h"

namespace lottie {

struct GradientAnimation {
    // The start and end of a radial gradient, in the padded unit space.
    struct RadialPoints {
        platform::graphics::Point startPoint;
        platform::graphics::Point endPoint;
        bool operator==(const RadialPoints&) const = default;
    };

    // Throws what the provider path, the builder and the opacity animation
    // throw; what earlier steps set or added stays.
    static void animateGradient(GradientRenderLayer& layer, const GradientShapeItem& item, GradientStops::Kind kind,
                                const LayerAnimationContext& context);

    // The radius of a radial gradient is the distance from start to end; the
    // end point shown is the start moved by it along both axes.
    static KeyframeGroup<RadialPoints> radialKeyframes(const GradientRenderLayer& layer, const GradientShapeItem& item,
                                                       const SamplingAccount& account = {});
};

template <>
struct Interpolation<GradientAnimation::RadialPoints> {
    static GradientAnimation::RadialPoints interpolate(const GradientAnimation::RadialPoints& from,
                                                       const GradientAnimation::RadialPoints& to, double amount);
};

}  // namespace lottie
