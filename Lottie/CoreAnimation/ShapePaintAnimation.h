#pragma once
// The paint of the shape layer that draws one path item on the Core Animation
// engine: a fill's rule, colour and opacity, a stroke's join, cap, miter limit,
// colour, width, opacity, dash pattern and dash phase. Rules, joins, caps,
// limits and the dash pattern are set once; the rest are animations. Called by
// the layer tree while it installs animations; keeps nothing.

#include <optional>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/DashElement.h"
#include "Lottie/Model/ShapeItems/Fill.h"
#include "Lottie/Model/Protocols/StrokeShapeItem.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace lottie {

struct ShapePaintAnimation {
    // The dash and gap lengths (a length of exactly 0 made 0.01, which the
    // compositor can draw) and the offset of the last offset element.
    struct DashKeyframes {
        std::vector<KeyframeGroup<LottieVector1D>> dashesAndGaps;
        KeyframeGroup<LottieVector1D> offset{std::vector<Keyframe<LottieVector1D>>{}};
    };
    static DashKeyframes dashKeyframes(const DashPattern& pattern);

    // The issue of a value the compositor can only take as it stands ("stroke
    // dashPattern", "repeater copies").
    static std::string multipleKeyframesIssue(const std::string& what) {
        return "The Core Animation rendering engine does not support animating multiple keyframes\nfor " + what +
               " values, due to limitations of Core Animation.";
    }

    // Whether the stroke's opacity goes on the layer: not on a layer that only
    // outlines, as the mask of a gradient stroke whose gradient layer carries it.
    enum class StrokeOpacity { onLayer, elsewhere };

    // Both throw what the provider path, the builder and the tracker (in abort
    // mode) throw; what was set or added before stays.
    static void animateFill(platform::compositor::ShapeLayer& layer, const Fill& fill,
                            const LayerAnimationContext& context);
    static void animateStroke(platform::compositor::ShapeLayer& layer, const StrokeShapeItem& stroke,
                              const LayerAnimationContext& context, StrokeOpacity opacity = StrokeOpacity::onLayer);
};

}  // namespace lottie
