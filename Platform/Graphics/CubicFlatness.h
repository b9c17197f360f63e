#pragma once
// Whether a cubic curve is flat enough to be moved along as the straight line
// through its ends: both control points lie within a small distance of that
// line (twice the areas of the triangles they make with the ends, in square
// units). Both engines ask it when they move a point along a spatial curve,
// so that they take the same curves for lines. Stateless.

#include <cmath>

#include "Platform/Graphics/Point.h"

namespace platform::graphics {

struct CubicFlatness {
    CubicFlatness() = delete;

    static constexpr double tolerance = 0.05;

    // The curve from `a` to `b` with control points `c1` and `c2`.
    static bool isFlat(Point a, Point c1, Point c2, Point b) {
        const double first = c2.x * (a.y - c1.y) + c1.x * (c2.y - a.y) + (c1.y - c2.y) * a.x;
        const double second = (c1.y - c2.y) * b.x + c1.x * (c2.y - b.y) + c2.x * (b.y - c1.y);
        return std::fabs(first) < tolerance && std::fabs(second) < tolerance;
    }
};

}  // namespace platform::graphics
