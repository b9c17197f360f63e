#pragma once
// The bound on how finely a dash pattern may cut a path. Stroking costs time and
// memory for every dash, and a tiny pattern along a long path (a 1-unit dash
// around a star of ten thousand points) makes millions of them. A pattern that
// would cut a path into more than maximumSegments dashes and gaps is stretched,
// all its lengths and its phase by one factor, until it cuts no more than that:
// the proportion of dash to gap stays, only the rhythm coarsens. Dashes are laid
// out in user space, and a transform scales path and pattern alike, so the count
// is the same whether it is measured in user or device space.
//
// GraphicsContext applies it to every dashed stroke; an engine that wants to
// report the cut asks the same functions. Stateless.

#include <span>

#include "Platform/Graphics/Path.h"

namespace platform::graphics {

class DashLimit {
public:
    DashLimit() = delete;

    static constexpr double maximumSegments = 10'000;

    // How many dashes and gaps the pattern cuts a path of `pathLength` into: one
    // per entry for every repetition of the pattern; 0 for a pattern that draws a
    // solid line (empty, negative or non-finite entries, nothing to repeat).
    static double segmentCount(double pathLength, std::span<const double> lengths);
    // The factor (1 or more) by which the pattern must be stretched to cut the
    // path into at most maximumSegments pieces.
    static double stretchFactor(double pathLength, std::span<const double> lengths);
    // A length no shorter than the path's: lines exactly, curves by their
    // control polygons, closing lines included.
    static double lengthBound(const Path& path);

    // Sums a path's length bound element by element, for callers whose paths
    // are not Path values.
    class LengthBound {
    public:
        void moveTo(Point point);
        void lineTo(Point point);
        void curveTo(Point control1, Point control2, Point end);
        void close();
        double value() const { return length_; }

    private:
        Point current_;
        Point start_;
        double length_ = 0;
    };
};

}  // namespace platform::graphics
