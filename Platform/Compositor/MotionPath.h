#pragma once
// A path prepared for a keyframe animation to move along: its vertices (the end
// points of its elements, a close returning to its subpath's start) and, between
// each vertex and the next, the segment measured by arc length so that a point can
// travel it at even speed. Owned by the KeyframeAnimation whose path it is.

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Point.h"

namespace platform::compositor {

class MotionPath {
public:
    MotionPath() = default;
    explicit MotionPath(const graphics::Path& path);

    // Curves are measured at this many steps of their parameter.
    static constexpr int curveSamples = 20;
    // At most the bytes a motion path made from `path` keeps: its vertices and,
    // for each element, the samples of a curve.
    static double bytesFor(const graphics::Path& path);

    std::size_t vertexCount() const { return vertices_.size(); }
    graphics::Point vertex(std::size_t index) const { return vertices_[index]; }
    // Segment i runs from vertex i to vertex i + 1.
    std::size_t segmentCount() const { return segments_.size(); }
    double segmentLength(std::size_t index) const;

    // The point a fraction of the way along segment i, measured by arc length.
    // A fraction beyond 0 or 1 (an overshooting timing curve) carries on along a
    // straight segment and stops at the end of a curve.
    graphics::Point pointOnSegment(std::size_t index, double fraction) const;

private:
    struct Segment {
        // Samples along the segment and the arc length up to each: its two ends
        // for a straight segment, steps of the parameter for a curve.
        std::vector<graphics::Point> points;
        std::vector<double> lengths;
        // The cubic's start, control points and end, for a curve that is not flat.
        std::optional<std::array<graphics::Point, 4>> curve;
    };

    std::vector<graphics::Point> vertices_;
    std::vector<Segment> segments_;
};

}  // namespace platform::compositor
