#pragma once
// The "path" animation of a star or a regular polygon on the Core Animation
// engine: the item's seven animated parameters merged into one keyframe group,
// each merged value built into a finished path by the same path builders the
// main-thread engine uses (which also guard point counts that are negative,
// not finite or huge), so that the compositor plays the outline without work
// of the process. The copies of one star that a display pass animates (a
// repeater's) share its samples and outlines (PassResults). Called by
// ShapePathAnimation; keeps nothing.

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/ShapeItems/Star.h"
#include "Platform/Compositor/AnimatableValue.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Path.h"

namespace lottie {

// One outline of a star as the compositor plays it; copies share the path.
struct StarOutline {
    platform::compositor::AnimatableValue path;
};

// Only keyframes resampled under complex time remapping are blended this way;
// the compositor blends the paths of the others itself, point by point.
template <>
struct Interpolation<StarOutline> {
    static StarOutline interpolate(const StarOutline& from, const StarOutline& to, double amount) {
        return {platform::compositor::AnimatableValue::blend(from.path, to.path, amount)};
    }
};

struct StarPathAnimation {
    // A star's combined keyframes and the outline of each.
    struct Outlines {
        KeyframeGroup<Star::Keyframe> values;
        KeyframeGroup<StarOutline> outlines;
    };

    // Whether outlines built at the keyframes alone, blended point by point as
    // the compositor blends paths, show the item between its keyframes: only
    // while nothing but the radii animate, which move every point along a
    // straight line. A turn, a change of point count, a move (perhaps along a
    // curve) or a change of roundness cannot be shown that way.
    static bool blendsBetweenKeyframes(const Star& star);

    // How many degrees the outline turns from one sample to the next at most,
    // as the samples are cut: a point 400 units out strays 0.06 from its arc
    // half way. Samples that turn further apart are cut into equal steps of
    // time, at most mostStepsPerSample of them; a spin faster than that is
    // kept as sampled.
    static constexpr double largestTurn = 2;
    static constexpr double mostStepsPerSample = 32;

    // Position, outer radius, inner radius, outer roundness, inner roundness,
    // points and rotation, in this order; an absent inner group counts as a
    // constant 0. Combined keyframe by keyframe where the outlines blend (see
    // above), else sampled each tenth of a frame (and more often where the
    // outline turns fast, see largestTurn), each property with its own easing,
    // and blended from sample to sample. Never carries an expression.
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
