#pragma once
// The "path" animation of the shape layer that draws one path item on the Core
// Animation engine: custom paths (rounded when a rounded-corners item applies),
// paths merged into one item by the layer tree, ellipses, rectangles, stars and
// polygons. Every keyframe becomes a finished path once, drawn
// `pathMultiplier` times when a trim runs past the path's end. Items that
// cannot be animated this way are compatibility issues. Called by the layer
// tree while it installs animations; keeps nothing.

#include <string>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/ShapeItems/Rectangle.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
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

    // Size, position and corner radius; the radius of a rounded-corners item
    // that rounds (some radius above 0) takes the place of the rectangle's own.
    // The combined keyframes are charged to `account`.
    static KeyframeGroup<Rectangle::Keyframe> rectangleKeyframes(const Rectangle& rectangle,
                                                                 const RoundedCorners* roundedCorners,
                                                                 const SamplingAccount& account = {});

    // The class name an unexpected item is reported by.
    static std::string className(const ShapeItem& item);
};

}  // namespace lottie
