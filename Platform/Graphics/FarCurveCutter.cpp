#include "Platform/Graphics/FarCurveCutter.h"

#include <algorithm>
#include <cmath>

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

double distance(Point a, Point b) { return std::hypot(b.x - a.x, b.y - a.y); }

// The length of the curve, its points already in the space it is measured in:
// the mean of its chord and its control polygon, which meet as it is halved.
double curveLength(Point from, Point c1, Point c2, Point to, int depth) {
    const double chord = distance(from, to);
    const double polygon = distance(from, c1) + distance(c1, c2) + distance(c2, to);
    if (polygon - chord <= 1e-3 || depth >= 30) return (chord + polygon) / 2;
    const Point a = middle(from, c1), b = middle(c1, c2), c = middle(c2, to);
    const Point d = middle(a, b), e = middle(b, c), half = middle(d, e);
    return curveLength(from, a, d, half, depth + 1) + curveLength(half, e, c, to, depth + 1);
}

// How each piece outside the box is replaced, given the linear part of the
// map to the space lengths are measured in, if any.
struct Cutting {
    const Box& box;
    const Box& near;
    const AffineTransform* lengths;
    Path& into;

    Point measured(Point point) const {
        return {lengths->a * point.x + lengths->c * point.y, lengths->b * point.x + lengths->d * point.y};
    }

    // A piece outside the box: its chord, or, keeping its length, the chord
    // run forth, back over half the difference and forth again; false when
    // the piece is too much longer than its chord to be replaced so.
    bool replace(Point from, Point c1, Point c2, Point to) const {
        if (lengths == nullptr) {
            into.lineTo(to);
            return true;
        }
        const Point a = measured(from), b = measured(to);
        const double chord = distance(a, b);
        const double length = curveLength(a, measured(c1), measured(c2), b, 0);
        if (!(length <= 3 * chord)) return false;
        into.lineTo(to);
        if (!(chord > 0)) return true;
        const double back = std::max(0.0, (length - chord) / 2) / chord;
        if (back > 0) {
            into.lineTo({to.x + (from.x - to.x) * back, to.y + (from.y - to.y) * back});
            into.lineTo(to);
        }
        return true;
    }

    // The curve from `from` through `c1` and `c2` to `to`, cut down to the box.
    void curve(Point from, Point c1, Point c2, Point to, int depth) const {
        const PointBounds bounds = boundsOf(from, c1, c2, to);
        if (!box.meets(bounds) && replace(from, c1, c2, to)) return;
        if (near.holds(bounds) || depth >= maximumDepth) {
            into.curveTo(c1, c2, to);
            return;
        }
        // Halved where t is a half.
        const Point a = middle(from, c1), b = middle(c1, c2), c = middle(c2, to);
        const Point d = middle(a, b), e = middle(b, c), half = middle(d, e);
        curve(from, a, d, half, depth + 1);
        curve(half, e, c, to, depth + 1);
    }
};

bool cutPath(const Path& path, const Rect& box, const AffineTransform* lengths, Path& into) {
    if (box.isNull()) return false;
    const Box inner{box.minX(), box.minY(), box.maxX(), box.maxY()};
    const Box near = inner.grown(FarCurveCutter::nearDistance);
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
    const Cutting cutting{inner, near, lengths, cut};
    for (const PathElement& element : elements) {
        if (reachesFar(element)) {
            cutting.curve(current, element.points[0], element.points[1], element.points[2], 0);
        } else {
            cut.append(element);
        }
        current = cut.currentPoint();
    }
    into = std::move(cut);
    return true;
}

}  // namespace

bool FarCurveCutter::cut(const Path& path, const Rect& box, Path& into) { return cutPath(path, box, nullptr, into); }

bool FarCurveCutter::cutKeepingLength(const Path& path, const Rect& box, const AffineTransform& lengths, Path& into) {
    return cutPath(path, box, &lengths, into);
}

}  // namespace platform::graphics
