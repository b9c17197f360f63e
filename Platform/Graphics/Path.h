#pragma once
// A vector path: subpaths of straight lines and quadratic and cubic Bezier
// curves, each optionally closed. A value: copies are independent. Stands in for
// the platform's (mutable) path type; whoever holds one owns it.
//
// A line or curve added while there is no current point starts a subpath at its
// own end point first, so a path never holds a segment that starts nowhere.
// After a close the current point is the start of the closed subpath.

#include <cstddef>
#include <vector>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/PathElement.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"

namespace platform::graphics {

class Path {
public:
    Path() = default;

    void moveTo(Point point);
    void lineTo(Point point);
    void quadCurveTo(Point control, Point end);
    void curveTo(Point control1, Point control2, Point end);
    // Does nothing when there is no subpath to close.
    void closeSubpath();

    // A closed subpath along the rectangle's edges: from (minX, minY) to
    // (maxX, minY), (maxX, maxY), (minX, maxY), then closed (clockwise on screen).
    void addRect(const Rect& rect, const AffineTransform& transform = {});
    // A closed subpath of four cubic curves approximating the ellipse inscribed in
    // the rectangle, starting at (maxX, midY) and going clockwise on screen.
    void addEllipse(const Rect& rect, const AffineTransform& transform = {});
    // Appends every element of `other`, each point mapped by `transform`.
    void addPath(const Path& other, const AffineTransform& transform = {});
    void append(const PathElement& element);
    // Empties the path, keeping its storage for the elements that come next.
    void removeAll();
    // Makes room for `count` elements in all, so that a path whose size is
    // known holds no more room than it uses.
    void reserve(std::size_t count) { elements_.reserve(count); }

    // A copy with every point mapped by `transform`.
    Path transformed(const AffineTransform& transform) const;

    bool isEmpty() const { return elements_.empty(); }
    const std::vector<PathElement>& elements() const { return elements_; }

    template <typename Visitor>
    void forEachElement(Visitor&& visitor) const {
        for (const PathElement& element : elements_) {
            visitor(element);
        }
    }

    // The origin when the path is empty.
    Point currentPoint() const { return currentPoint_; }
    bool hasCurrentPoint() const { return !elements_.empty(); }

    // The smallest rectangle holding every point of the path, control points
    // included; the null rectangle for an empty path.
    Rect boundingBox() const;
    // The smallest rectangle holding the drawn outline (curve extremes, not
    // control points); the null rectangle for an empty path.
    Rect pathBoundingBox() const;

    bool operator==(const Path& other) const { return elements_ == other.elements_; }

private:
    void ensureSubpath(Point point);

    std::vector<PathElement> elements_;
    Point currentPoint_;
    Point subpathStart_;
};

}  // namespace platform::graphics
