#pragma once
// One step of a Path: its kind and the points it uses. A moveTo and a lineTo
// use points[0]; a quadCurveTo uses the control point and the end point;
// a curveTo uses two control points and the end point; a close uses none.

#include <array>

#include "Platform/Graphics/Point.h"

namespace platform::graphics {

enum class PathElementType { moveTo, lineTo, quadCurveTo, curveTo, closeSubpath };

struct PathElement {
    PathElementType type = PathElementType::moveTo;
    std::array<Point, 3> points{};

    int pointCount() const {
        switch (type) {
            case PathElementType::moveTo:
            case PathElementType::lineTo:
                return 1;
            case PathElementType::quadCurveTo:
                return 2;
            case PathElementType::curveTo:
                return 3;
            case PathElementType::closeSubpath:
                return 0;
        }
        return 0;
    }

    // The point the element ends on (the origin for a close, which ends on its
    // subpath's start; Path tracks that).
    Point endPoint() const { return pointCount() == 0 ? Point() : points[pointCount() - 1]; }

    // Unused point slots do not take part in equality.
    bool operator==(const PathElement& other) const {
        if (type != other.type) {
            return false;
        }
        for (int i = 0; i < pointCount(); ++i) {
            if (points[i] != other.points[i]) {
                return false;
            }
        }
        return true;
    }
};

}  // namespace platform::graphics
