#pragma once
// One vertex of a cubic Bezier path: the point and the two control points of
// the segments that arrive at it and leave it. Both control points are
// absolute positions, not offsets; a vertex whose control points equal its
// point has no handles. A plain value; paths own their vertices.

#include <cmath>
#include <cstddef>

#include "Platform/Graphics/HashCombine.h"
#include "Platform/Graphics/Point.h"

namespace lottie {

struct CurveSplit;

struct CurveVertex {
    platform::graphics::Point point;
    platform::graphics::Point inTangent;
    platform::graphics::Point outTangent;

    constexpr CurveVertex() = default;
    constexpr CurveVertex(platform::graphics::Point pointValue, platform::graphics::Point in,
                          platform::graphics::Point out)
        : point(pointValue), inTangent(in), outTangent(out) {}
    // A vertex without handles.
    static constexpr CurveVertex corner(platform::graphics::Point pointValue) {
        return {pointValue, pointValue, pointValue};
    }

    // True when both control points lie on the point.
    constexpr bool isCorner() const { return inTangent == point && outTangent == point; }

    // The length of the segment from this vertex to `next`, summed over `steps`
    // chords; a segment without handles is measured exactly.
    double curveLength(const CurveVertex& next, int steps = 25) const;

    // The point of the segment to `next` at parameter t (this point for t <= 0,
    // next's for t >= 1).
    platform::graphics::Point pointOnCurve(const CurveVertex& next, double t) const;

    // The segment to `next` cut in two at parameter t.
    CurveSplit splitCurve(const CurveVertex& next, double t) const;

    // The segment to `next` cut at `atLength` along it, given the length
    // stored for the segment. The cut divides the curve's arc length in the
    // ratio atLength : curveLength, so a stored length measured with a few
    // chords still spans the whole curve and a cut at it lands on `next`.
    CurveSplit trimCurve(const CurveVertex& next, double atLength, double curveLength) const;

    constexpr bool operator==(const CurveVertex&) const = default;
};

// The straight-line distance the path code measures with.
inline double pointDistance(platform::graphics::Point from, platform::graphics::Point to) {
    double dx = to.x - from.x;
    double dy = to.y - from.y;
    return std::sqrt(dx * dx + dy * dy);
}

// lerp(from, to, t) = from + (to - from) * t, coordinate by coordinate.
constexpr platform::graphics::Point lerpPoint(platform::graphics::Point from, platform::graphics::Point to, double t) {
    return {(to.x - from.x) * t + from.x, (to.y - from.y) * t + from.y};
}

}  // namespace lottie

template <>
struct std::hash<lottie::CurveVertex> {
    std::size_t operator()(const lottie::CurveVertex& vertex) const noexcept {
        std::size_t seed = std::hash<platform::graphics::Point>{}(vertex.point);
        platform::graphics::hashCombine(seed, std::hash<platform::graphics::Point>{}(vertex.inTangent));
        platform::graphics::hashCombine(seed, std::hash<platform::graphics::Point>{}(vertex.outTangent));
        return seed;
    }
};
