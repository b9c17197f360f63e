#pragma once
// The Bezier paths of the parametric shape items: ellipse, rectangle with
// rounded corners, regular polygon and star, each built from the values of one
// frame. Both rendering engines build their paths here, so identical input gives
// identical paths. Pure functions; every result is closed, whatever the direction.
//
// Coordinates have y growing downwards, so `clockwise` is clockwise on screen;
// `userSetClockwise` builds exactly the `clockwise` path. Roundedness is in
// percent, rotation in degrees.
//
// Point counts must be finite and not negative to describe a shape; a count that
// is not (and is therefore not a shape at all) builds the first vertex alone, and
// counts above maximumPointCount are built with that many points so that a
// hostile document cannot ask for billions of vertices.
//
// Roundedness counts up to 100 percent either way, the format's range. A rounded
// point's handles reach sideways along the circle, and once they reach past
// their neighbours the curves cross one another: a star of ten thousand fully
// rounded points crosses itself millions of times, and drawing it takes
// seconds. So the roundedness is further reduced until the handles, over all
// vertices, reach across no more than maximumHandleCrossings neighbours; a
// star of 100 points keeps its full range.

#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
#include "Lottie/Values/BezierPath.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Size.h"

namespace lottie {

struct ShapePathBuilders {
    static constexpr double maximumPointCount = 5'000;
    static constexpr double maximumHandleCrossings = 3'500;

    // Five vertices: top, side, bottom, other side, top again.
    static BezierPath makeEllipse(platform::graphics::Size size, platform::graphics::Point center,
                                  PathDirection direction);
    // How many vertices a rectangle has. `asNeeded`: five straight ones when
    // its corners are not rounded, nine otherwise. `alwaysNine`: nine even when
    // not rounded (each corner's two vertices then lie on the corner point), so
    // that the paths of every radius share one structure and can be morphed
    // into one another point by point.
    enum class RectangleVertices { asNeeded, alwaysNine };
    // Five straight vertices, or nine with the corners rounded by
    // min(width / 2, height / 2, cornerRadius).
    static BezierPath makeRoundedRectangle(platform::graphics::Point position, platform::graphics::Size size,
                                           double cornerRadius, PathDirection direction,
                                           RectangleVertices vertices = RectangleVertices::asNeeded);
    // 1 + ceil(points) vertices on the radius, the first at (rotation - 90) degrees.
    static BezierPath makePolygon(platform::graphics::Point position, double numberOfPoints, double outerRadius,
                                  double outerRoundedness, double rotation, PathDirection direction);
    // 1 + 2 x ceil(points) vertices alternating between the radii; a fractional
    // count starts with a partial point.
    static BezierPath makeStar(platform::graphics::Point position, double outerRadius, double innerRadius,
                               double outerRoundedness, double innerRoundedness, double numberOfPoints,
                               double rotation, PathDirection direction);

    // The count a builder works with: 0 for a negative or non-finite count, at
    // most maximumPointCount.
    static double sanitizedPointCount(double numberOfPoints);
    // The roundedness, in percent, that makeStar and makePolygon build with: 0
    // for a non-finite value, else bounded as the header says.
    static double boundedStarRoundedness(double roundedness, double numberOfPoints);
    static double boundedPolygonRoundedness(double roundedness, double numberOfPoints);
};

}  // namespace lottie
