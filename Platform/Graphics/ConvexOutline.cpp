#include "Platform/Graphics/ConvexOutline.h"

#include <array>
#include <cmath>

namespace platform::graphics {

namespace {

double cross(Point a, Point b) { return a.x * b.y - a.y * b.x; }

// How often the sign of a run of values changes round the polygon, zeros skipped.
template <typename Value>
int signChanges(std::size_t count, Value&& value) {
    int changes = 0, last = 0, first = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double v = value(i);
        const int sign = v > 0 ? 1 : v < 0 ? -1 : 0;
        if (sign == 0) continue;
        if (first == 0) first = sign;
        if (last != 0 && sign != last) ++changes;
        last = sign;
    }
    return changes + (last != 0 && last != first ? 1 : 0);
}

}  // namespace

std::optional<ConvexOutline> ConvexOutline::of(const Path& path) {
    // A clip's polygon has a handful of corners; anything longer is no clip
    // to bounds and is not worth walking.
    constexpr std::size_t mostCorners = 16;
    ConvexOutline outline;
    std::vector<Point>& polygon = outline.corners_;
    bool closed = false;
    for (const PathElement& element : path.elements()) {
        const Point point = element.points[0];
        switch (element.type) {
            case PathElementType::moveTo:
                // A move after the close only ends the subpath (Cairo ends a
                // closed one so); any other starts a second subpath.
                if (closed) continue;
                if (!polygon.empty()) return std::nullopt;
                break;
            case PathElementType::lineTo:
                if (closed || polygon.size() >= mostCorners) return std::nullopt;
                break;
            case PathElementType::closeSubpath:
                closed = true;
                continue;
            default:
                return std::nullopt;
        }
        if (!std::isfinite(point.x) || !std::isfinite(point.y)) return std::nullopt;
        // A point that repeats the one before adds no edge.
        if (polygon.empty() || point != polygon.back()) polygon.push_back(point);
    }
    while (polygon.size() > 1 && polygon.back() == polygon.front()) polygon.pop_back();
    const std::size_t count = polygon.size();
    if (count < 3) return std::nullopt;
    // Convex: every turn the same way, and the edges go round once, their
    // run along either axis changing sign twice at most (a star of five
    // points turns the same way at every corner too, but goes round twice).
    for (std::size_t i = 0; i < count; ++i) {
        const Point a = polygon[i], b = polygon[(i + 1) % count], c = polygon[(i + 2) % count];
        const double turn = cross(b - a, c - b);
        if (turn == 0) continue;
        const int sign = turn > 0 ? 1 : -1;
        if (outline.turns_ != 0 && sign != outline.turns_) return std::nullopt;
        outline.turns_ = sign;
    }
    const auto edge = [&](std::size_t i) { return polygon[(i + 1) % count] - polygon[i]; };
    if (outline.turns_ == 0 || signChanges(count, [&](std::size_t i) { return edge(i).x; }) > 2 ||
        signChanges(count, [&](std::size_t i) { return edge(i).y; }) > 2) {
        return std::nullopt;
    }
    return outline;
}

bool ConvexOutline::holds(const Rect& box, double margin) const {
    if (box.isNull() || box.isEmpty()) return false;
    const std::array<Point, 4> boxCorners{Point(box.minX(), box.minY()), Point(box.maxX(), box.minY()),
                                          Point(box.maxX(), box.maxY()), Point(box.minX(), box.maxY())};
    const std::size_t count = corners_.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Point a = corners_[i];
        const Point edge = corners_[(i + 1) % count] - a;
        const double length = std::hypot(edge.x, edge.y);
        for (const Point corner : boxCorners) {
            // The corner's distance inside the edge, on the side the polygon lies.
            if (turns_ * cross(edge, corner - a) < margin * length) return false;
        }
    }
    return true;
}

}  // namespace platform::graphics
