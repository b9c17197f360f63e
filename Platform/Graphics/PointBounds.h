#pragma once
// The box of the points taken into it one at a time; empty until the first.
// Path gathers its bounding boxes with it, and GraphicsContext the device box
// of the path being built. A plain value owned by whoever gathers.

#include <algorithm>

#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"

namespace platform::graphics {

struct PointBounds {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;

    void add(Point point) {
        if (empty) {
            minX = maxX = point.x;
            minY = maxY = point.y;
            empty = false;
            return;
        }
        minX = std::min(minX, point.x);
        maxX = std::max(maxX, point.x);
        minY = std::min(minY, point.y);
        maxY = std::max(maxY, point.y);
    }

    // The box, the null rectangle while empty.
    Rect rect() const { return empty ? Rect::null() : Rect(minX, minY, maxX - minX, maxY - minY); }
};

}  // namespace platform::graphics
