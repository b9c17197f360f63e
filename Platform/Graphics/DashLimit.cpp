#include "Platform/Graphics/DashLimit.h"

#include <cmath>

namespace platform::graphics {

namespace {

double distance(Point a, Point b) { return std::hypot(b.x - a.x, b.y - a.y); }

}  // namespace

double DashLimit::segmentCount(double pathLength, std::span<const double> lengths) {
    double period = 0;
    for (double length : lengths) {
        // Such a pattern draws a solid line.
        if (!std::isfinite(length) || length < 0) return 0;
        period += length;
    }
    if (lengths.empty() || !(period > 0) || !std::isfinite(period) || !std::isfinite(pathLength)) return 0;
    return pathLength / period * static_cast<double>(lengths.size());
}

double DashLimit::stretchFactor(double pathLength, std::span<const double> lengths) {
    const double count = segmentCount(pathLength, lengths);
    return count > maximumSegments ? count / maximumSegments : 1;
}

double DashLimit::lengthBound(const Path& path) {
    LengthBound bound;
    path.forEachElement([&](const PathElement& element) {
        const auto& p = element.points;
        switch (element.type) {
            case PathElementType::moveTo: bound.moveTo(p[0]); break;
            case PathElementType::lineTo: bound.lineTo(p[0]); break;
            // Passing the control point twice walks the quadratic's own control polygon.
            case PathElementType::quadCurveTo: bound.curveTo(p[0], p[0], p[1]); break;
            case PathElementType::curveTo: bound.curveTo(p[0], p[1], p[2]); break;
            case PathElementType::closeSubpath: bound.close(); break;
        }
    });
    return bound.value();
}

void DashLimit::LengthBound::moveTo(Point point) { current_ = start_ = point; }

void DashLimit::LengthBound::lineTo(Point point) {
    length_ += distance(current_, point);
    current_ = point;
}

void DashLimit::LengthBound::curveTo(Point control1, Point control2, Point end) {
    length_ += distance(current_, control1) + distance(control1, control2) + distance(control2, end);
    current_ = end;
}

void DashLimit::LengthBound::close() {
    lineTo(start_);
}

}  // namespace platform::graphics
