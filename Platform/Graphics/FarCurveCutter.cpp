#include "Platform/Graphics/FarCurveCutter.h"

#include <algorithm>

#include "Platform/Graphics/PointBounds.h"

namespace platform::graphics {

namespace {

// Halvings of one curve at most: a curve across the whole device range comes
// down to pieces near the view's size well before.
constexpr int maximumDepth = 40;

struct Box {
    double minX, minY, maxX, maxY;

    Box grown(double by) const { return {minX - by, minY - by, maxX + by, maxY + by}; }
    bool holds(const PointBounds& bounds) const {
        return bounds.minX >= minX && bounds.maxX <= maxX && bounds.minY >= minY && bounds.maxY <= maxY;
    }
    bool meets(const PointBounds& bounds) const {
        return bounds.maxX >= minX && bounds.minX <= maxX && bounds.maxY >= minY && bounds.minY <= maxY;
    }
};

PointBounds boundsOf(Point a, Point b, Point c, Point d) {
    PointBounds bounds;
    for (const Point& point : {a, b, c, d}) bounds.add(point);
    return bounds;
}

Point middle(Point a, Point b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

// The curve from `from` through `c1` and `c2` to `to`, cut down to `box`, into `into`.
void cutCurve(Point from, Point c1, Point c2, Point to, const Box& box, const Box& near, int depth, Path& into) {
    const PointBounds bounds = boundsOf(from, c1, c2, to);
    if (!box.meets(bounds)) {
        into.lineTo(to);
        return;
    }
    if (near.holds(bounds) || depth >= maximumDepth) {
        into.curveTo(c1, c2, to);
        return;
    }
    // Halved where t is a half.
    const Point a = middle(from, c1), b = middle(c1, c2), c = middle(c2, to);
    const Point d = middle(a, b), e = middle(b, c), half = middle(d, e);
    cutCurve(from, a, d, half, box, near, depth + 1, into);
    cutCurve(half, e, c, to, box, near, depth + 1, into);
}

}  // namespace

bool FarCurveCutter::cut(const Path& path, const Rect& box, Path& into) {
    if (box.isNull()) return false;
    const Box inner{box.minX(), box.minY(), box.maxX(), box.maxY()};
    const Box near = inner.grown(nearDistance);
    Point current;
    const auto reachesFar = [&](const PathElement& element) {
        if (element.type != PathElementType::curveTo) return false;
        const PointBounds bounds = boundsOf(element.points[0], element.points[1], element.points[2], element.points[2]);
        return !near.holds(bounds);
    };
    const std::vector<PathElement>& elements = path.elements();
    if (std::none_of(elements.begin(), elements.end(), reachesFar)) return false;
    Path cut;
    cut.reserve(elements.size());
    for (const PathElement& element : elements) {
        if (reachesFar(element)) {
            cutCurve(current, element.points[0], element.points[1], element.points[2], inner, near, 0, cut);
        } else {
            cut.append(element);
        }
        current = cut.currentPoint();
    }
    into = std::move(cut);
    return true;
}

}  // namespace platform::graphics
