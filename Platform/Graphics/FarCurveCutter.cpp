#include "Platform/Graphics/FarCurveCutter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

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

// Brings every piece of a path cut down near the box within `near`, where
// the rasteriser's fixed point holds it: each line is split where it crosses
// the lines along the near box's sides, and every point clamped into it.
// A piece outside then lies along the near box's border (or on a corner of
// it), which a fill winds around as the piece did, and which lies farther
// from the box than any pen it was grown by reaches. A subpath left of no
// length is dropped: it neither encloses nor strokes anything that shows.
class Clamping {
public:
    Clamping(const Box& near, Path& into) : near_(near), into_(into) {}

    void append(const PathElement& element) {
        switch (element.type) {
            case PathElementType::moveTo:
                endSubpath(false);
                current_ = start_ = element.points[0];
                subpath_.removeAll();
                subpath_.moveTo(clamped(current_));
                hasLength_ = false;
                break;
            case PathElementType::lineTo:
                line(current_, element.points[0]);
                current_ = element.points[0];
                break;
            case PathElementType::quadCurveTo:
            case PathElementType::curveTo: {
                // Curves were cut down to lie within the near box already;
                // one that could not be (its points not finite) is clamped whole.
                const int count = element.pointCount();
                PathElement kept = element;
                for (int index = 0; index < count; ++index) kept.points[index] = clamped(element.points[index]);
                ensureSubpath();
                subpath_.append(kept);
                hasLength_ = true;
                current_ = element.endPoint();
                break;
            }
            case PathElementType::closeSubpath:
                line(current_, start_);
                current_ = start_;
                endSubpath(true);
                subpath_.removeAll();
                break;
        }
    }
    void finish() { endSubpath(false); }

private:
    Point clamped(Point point) const {
        return {std::clamp(point.x, near_.minX, near_.maxX), std::clamp(point.y, near_.minY, near_.maxY)};
    }
    void ensureSubpath() {
        if (subpath_.isEmpty()) {
            subpath_.moveTo(clamped(current_));
            hasLength_ = false;
        }
    }
    void lineTo(Point point) {
        const Point at = clamped(point);
        // A piece brought onto the border may come to nothing there; one
        // near the box is kept as it is, a piece of no length included.
        if (at != point && at == subpath_.currentPoint()) return;
        subpath_.lineTo(at);
        hasLength_ = true;
    }
    void line(Point from, Point to) {
        ensureSubpath();
        // Where the line crosses the lines along the box's sides, in order.
        std::array<double, 4> crossings{};
        int count = 0;
        const auto cross = [&](double from_, double to_, double side) {
            if ((from_ - side) * (to_ - side) < 0) crossings[count++] = (side - from_) / (to_ - from_);
        };
        cross(from.x, to.x, near_.minX);
        cross(from.x, to.x, near_.maxX);
        cross(from.y, to.y, near_.minY);
        cross(from.y, to.y, near_.maxY);
        for (int index = 1; index < count; ++index) {
            for (int at = index; at > 0 && crossings[at] < crossings[at - 1]; --at) {
                std::swap(crossings[at], crossings[at - 1]);
            }
        }
        for (int index = 0; index < count; ++index) {
            const double t = crossings[index];
            lineTo({from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t});
        }
        lineTo(to);
    }
    void endSubpath(bool closed) {
        if (subpath_.isEmpty()) return;
        if (hasLength_) {
            into_.addPath(subpath_);
            if (closed) into_.closeSubpath();
        }
        subpath_.removeAll();
        hasLength_ = false;
    }

    const Box& near_;
    Path& into_;
    Path subpath_;
    Point current_, start_;
    bool hasLength_ = false;
};

bool holdsPoints(const Box& box, const PathElement& element) {
    for (int index = 0; index < element.pointCount(); ++index) {
        const Point& point = element.points[index];
        if (!(point.x >= box.minX && point.x <= box.maxX && point.y >= box.minY && point.y <= box.maxY)) return false;
    }
    return true;
}

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
    // Without keeping lengths, lines reaching far are brought near as well.
    const bool linesFar =
        lengths == nullptr && !std::all_of(elements.begin(), elements.end(),
                                           [&](const PathElement& element) { return holdsPoints(near, element); });
    if (!linesFar && std::none_of(elements.begin(), elements.end(), reachesFar)) return false;
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
    if (lengths == nullptr) {
        Path clamped;
        clamped.reserve(cut.elements().size());
        Clamping clamping(near, clamped);
        for (const PathElement& element : cut.elements()) clamping.append(element);
        clamping.finish();
        cut = std::move(clamped);
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
