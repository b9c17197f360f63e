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
// Roundedness is kept as given up to maximumRoundedness percent either way,
// far past what documents use (their stars reach a few hundred percent, inner
// and outer); a point rounded more has handles hundreds of radii long and is
// built with that bound. Rounded points whose handles reach past their
// neighbours make curves that cross one another, and a star of thousands of
// such points crosses itself millions of times: what that costs to draw is
// counted, like any drawing, against the frame's work budget.

#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
#include "Lottie/Values/BezierPath.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Size.h"

namespace lottie {

struct ShapePathBuilders {
    static constexpr double maximumPointCount = 5'000;
    static constexpr double maximumRoundedness = 1'000;

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
    // for a non-finite value, else within maximumRoundedness either way.
    static double boundedRoundedness(double roundedness);
};

}  // namespace lottie
