#pragma once
// Outlines a stroke as polygons for the non-zero fill: each subpath, its
// curves cut into lines within a tolerance, becomes the borders either side
// of it at the pen's radius, with joins on the outer side of every turn and
// caps at open ends. A join's inner side passes through the borders'
// crossing where both pieces hold it, else through the turn's own point, so
// the outline winds once or more over exactly what the pen covers. Works in
// any one space in which the pen is a circle. CoverageRasterizer owns one per
// thread; not thread-safe.

#include <cstddef>
#include <vector>

#include "Platform/Graphics/LineCap.h"
#include "Platform/Graphics/LineJoin.h"
#include "Platform/Graphics/Point.h"

namespace platform::graphics {

class PolylineStroker {
public:
    struct Style {
        double radius = 0.5;
        LineCap cap = LineCap::butt;
        LineJoin join = LineJoin::miter;
        // Cairo's: a miter longer than this many line widths is a bevel.
        double miterLimit = 10;
        // How far lines may stray from the curves and arcs they stand for.
        double tolerance = 0.1;
        // The most points the outline may take; past them the stroker stops
        // and says so (overflowed), however large the path.
        std::size_t mostPoints = 32767;
    };

    // The outline made: points, and the index of each contour's last point.
    struct Outline {
        std::vector<Point> points;
        std::vector<std::size_t> contourEnds;

        void clear() {
            points.clear();
            contourEnds.clear();
        }
    };

    // Starts over with a style; the outline is kept until `clear`.
    void begin(const Style& style);
    void moveTo(Point point);
    void lineTo(Point point);
    void curveTo(Point control1, Point control2, Point to);
    // Outlines the subpath begun by the last moveTo; `closed` joins its end
    // to its start. A subpath of no length adds nothing.
    void endSubpath(bool closed);

    const Outline& outline() const { return outline_; }
    // Whether the outline would have taken more than the style's most points;
    // it is then incomplete.
    bool overflowed() const { return overflowed_; }
    void clear() {
        outline_.clear();
        overflowed_ = false;
    }
    // Keeps the outline's first `contours` contours and drops the rest (an
    // overflowed outline's incomplete end); it is complete again.
    void keepContours(std::size_t contours);

    // The most pieces a curve is cut into.
    static constexpr int mostPiecesPerCurve = 256;

private:
    struct Vertex {
        Point point;
        // Whether the turn here lies within a curve, where it is rounded
        // whatever the join.
        bool smooth = false;
    };
    struct Piece {
        Point direction, normal;  // unit vectors; the normal to the left
        double length = 0;
    };

    void addVertex(Point point, bool smooth);
    // Adds the border points of the turn at `at` between two pieces, on the
    // side `side` (1 to the left, -1 to the right), in the path's direction.
    void join(const Vertex& at, const Piece& in, const Piece& out, double side, std::vector<Point>& border);
    // Points on the circle about `center` from `from` (a unit vector) turning
    // by `angle`, both ends left out.
    void arc(Point center, Point from, double angle, std::vector<Point>& border);
    void cap(Point end, const Piece& piece, bool atStart, std::vector<Point>& border);

    Style style_;
    double arcStep_ = 0;    // the largest angle a chord of an arc may span
    double arcCosine_ = 1;  // its cosine
    std::vector<Vertex> vertices_;
    std::vector<Piece> pieces_;
    std::vector<Point> right_;
    Outline outline_;
    bool overflowed_ = false;
};

}  // namespace platform::graphics
