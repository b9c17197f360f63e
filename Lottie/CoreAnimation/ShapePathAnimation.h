#pragma once
// The "path" animation of the shape layer that draws one path item on the Core
// Animation engine: custom paths (rounded when a rounded-corners item applies),
// paths merged into one item by the layer tree, ellipses, rectangles, stars and
// polygons. Every keyframe becomes a finished path once, drawn
// `pathMultiplier` times when a trim runs past the path's end. Items that
// cannot be animated this way are compatibility issues. Called by the layer
// tree while it installs animations; keeps nothing.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/ShapeItems/Rectangle.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Lottie/Values/BezierPath.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct ShapePathAnimation {
    static constexpr const char* combinedRoundedCornersIssue =
        "Rounded corners support is not currently implemented for combined shape items";
    static constexpr const char* starRoundedCornersIssue =
        "Rounded corners support is currently not implemented for polygon items";
    static constexpr const char* unexpectedShapeTypeIssue = "Unexpected shape type ";

    // Adds at most one animation under "path". Throws what the combining, the
    // builder and the tracker (in abort mode) throw.
    static void animateShapePath(platform::compositor::Layer& layer, const ShapeItem& item,
                                 const LayerAnimationContext& context, int pathMultiplier,
                                 const RoundedCorners* roundedCorners);

    // Size, position and corner radius; where the rectangle's own radius is not
    // above 0, the radius of a rounded-corners item that rounds (some radius
    // above 0) takes its place, and corners the rectangle rounds itself stay
    // as they are, as the main-thread engine draws them. Sampled, and blended
    // from sample to sample, where a radius reaches half the shorter side or
    // the corners turn square between keyframes. The combined keyframes are
    // charged to `account`.
    static KeyframeGroup<Rectangle::Keyframe> rectangleKeyframes(const Rectangle& rectangle,
                                                                 const RoundedCorners* roundedCorners,
                                                                 const SamplingAccount& account = {});

    // The item's keyframes as unrounded Bezier paths, timing kept, for drawing
    // several path items as one path: custom paths, ellipses, rectangles, stars
    // and polygons; none for any other item. Combined keyframes are charged
    // to `account`.
    static KeyframeGroupPtr<BezierPath> bezierPathKeyframes(const ShapeItem& item, const SamplingAccount& account = {});

    // One path item at any frame, built from its values interpolated at that
    // frame as the main-thread engine builds it, with the times of its
    // keyframes: for custom paths, ellipses, rectangles, stars and polygons.
    struct PathSampler {
        std::function<BezierPath(double frame)> pathAt;
        std::vector<KeyframesCombined::Timing> timings;
    };
    static std::optional<PathSampler> pathSampler(const ShapeItem& item, const SamplingAccount& account = {});

    // The class name an unexpected item is reported by.
    static std::string className(const ShapeItem& item);
};

}  // namespace lottie
