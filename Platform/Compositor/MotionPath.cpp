#include "Platform/Compositor/MotionPath.h"

#include <algorithm>

#include "Platform/Graphics/CubicFlatness.h"

namespace platform::compositor {

using graphics::PathElement;
using graphics::PathElementType;
using graphics::Point;

namespace {

// A point at an arc length is found on a curve itself at the parameter
// interpolated between the two steps of curveSamples around it: the same table
// the main-thread engine's spatial interpolation uses, so that both engines
// move a point to the same place.

Point cubicAt(Point p0, Point p1, Point p2, Point p3, double t) {
    const double u = 1 - t;
    return p0 * (u * u * u) + p1 * (3 * u * u * t) + p2 * (3 * u * t * t) + p3 * (t * t * t);
}

}  // namespace

double MotionPath::bytesFor(const graphics::Path& path) {
    const double elements = static_cast<double>(path.elements().size());
    const double perSample = sizeof(Point) + sizeof(double);
    return elements * (sizeof(Point) + sizeof(Segment) + sizeof(std::array<Point, 4>) + (curveSamples + 1) * perSample);
}

MotionPath::MotionPath(const graphics::Path& path) {
    Point subpathStart;
    for (const PathElement& element : path.elements()) {
        if (vertices_.empty()) {
            // Whatever the first element is, its end point is where motion starts.
            const Point start = element.type == PathElementType::closeSubpath ? Point() : element.endPoint();
            vertices_.push_back(start);
            subpathStart = start;
            continue;
        }
        const Point from = vertices_.back();
        Segment segment;
        segment.points.push_back(from);
        switch (element.type) {
            case PathElementType::moveTo:
                // A jump: the new subpath's start is reached at once.
                subpathStart = element.points[0];
                segment.points.push_back(element.points[0]);
                break;
            case PathElementType::lineTo:
                segment.points.push_back(element.points[0]);
                break;
            case PathElementType::closeSubpath:
                segment.points.push_back(subpathStart);
                break;
            case PathElementType::quadCurveTo:
            case PathElementType::curveTo: {
                // A quadratic curve as the cubic it equals.
                const bool quadratic = element.type == PathElementType::quadCurveTo;
                const Point end = quadratic ? element.points[1] : element.points[2];
                const Point c1 = quadratic ? from + (element.points[0] - from) * (2.0 / 3) : element.points[0];
                const Point c2 = quadratic ? end + (element.points[0] - end) * (2.0 / 3) : element.points[1];
                if (graphics::CubicFlatness::isFlat(from, c1, c2, end)) {
                    // Moved along as the line through its ends, as the main-thread engine does.
                    segment.points.push_back(end);
                    break;
                }
                segment.curve = {from, c1, c2, end};
                for (int i = 1; i <= curveSamples; ++i) {
                    segment.points.push_back(cubicAt(from, c1, c2, end, static_cast<double>(i) / curveSamples));
                }
                break;
            }
        }
        segment.lengths.push_back(0);
        for (std::size_t i = 1; i < segment.points.size(); ++i) {
            const double step =
                element.type == PathElementType::moveTo ? 0 : segment.points[i - 1].distanceTo(segment.points[i]);
            segment.lengths.push_back(segment.lengths.back() + step);
        }
        vertices_.push_back(segment.points.back());
        segments_.push_back(std::move(segment));
    }
}

double MotionPath::segmentLength(std::size_t index) const {
    return index < segments_.size() ? segments_[index].lengths.back() : 0;
}

Point MotionPath::pointOnSegment(std::size_t index, double fraction) const {
    if (index >= segments_.size()) {
        return vertices_.empty() ? Point() : vertices_.back();
    }
    const Segment& segment = segments_[index];
    const double total = segment.lengths.back();
    if (fraction == 0) {
        return segment.points.front();
    }
    if (fraction == 1) {
        return segment.points.back();
    }
    if (total <= 0) {
        // A jump, or a segment that goes nowhere: the end holds once it has begun.
        return fraction < 0 ? segment.points.front() : segment.points.back();
    }
    if (!segment.curve) {
        // Along a straight segment a timing curve that overshoots carries the
        // point on past either end of the line.
        return segment.points.front() + (segment.points.back() - segment.points.front()) * fraction;
    }
    if (fraction < 0) {
        return segment.points.front();
    }
    if (fraction > 1) {
        return segment.points.back();
    }
    const double wanted = fraction * total;
    const auto upper = std::lower_bound(segment.lengths.begin(), segment.lengths.end(), wanted);
    const std::size_t i = std::clamp<std::size_t>(upper - segment.lengths.begin(), 1, segment.lengths.size() - 1);
    const double start = segment.lengths[i - 1];
    const double span = segment.lengths[i] - start;
    const double step = 1.0 / curveSamples;
    const double lowerT = static_cast<double>(i - 1) * step;
    const double t = span > 0 ? lowerT + step * (wanted - start) / span : lowerT;
    const auto& c = *segment.curve;
    return cubicAt(c[0], c[1], c[2], c[3], t);
}

}  // namespace platform::compositor
