#pragma once
// The "path" animation of a star or a regular polygon on the Core Animation
// engine: the item's seven animated parameters merged into one keyframe group,
// each merged value built into a finished path by the same path builders the
// main-thread engine uses (which also guard point counts that are negative,
// not finite or huge), so that the compositor plays the outline without work
// of the process. Called by ShapePathAnimation; keeps nothing.

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/ShapeItems/Star.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Path.h"

namespace lottie {

struct StarPathAnimation {
    // Position, outer radius, inner radius, outer roundness, inner roundness,
    // points and rotation, in this order; an absent inner group counts as a
    // constant 0. Never carries an expression.
    // Charged to `account`.
    static KeyframeGroup<Star::Keyframe> combinedKeyframes(const Star& star, const SamplingAccount& account = {});

    // The outline of a star or a polygon for one value; empty for an item of
    // neither type.
    static BezierPath outline(const Star& star, const Star::Keyframe& value);
    static platform::graphics::Path starPath(const Star& star, const Star::Keyframe& value, int pathMultiplier);
    static platform::graphics::Path polygonPath(const Star& star, const Star::Keyframe& value, int pathMultiplier);

    // Both throw what the combining and the builder throw; nothing is added then.
    static void animateStarPath(platform::compositor::Layer& layer, const Star& star,
                                const LayerAnimationContext& context, int pathMultiplier);
    static void animatePolygonPath(platform::compositor::Layer& layer, const Star& star,
                                   const LayerAnimationContext& context, int pathMultiplier);
};

}  // namespace lottie
