#pragma once
// A path that is one convex polygon (a rectangle turned or not, as clipping
// to a layer's bounds makes), and whether it holds a box of device pixels
// whole: a clip to it then covers every pixel of the box fully, so a drawing
// within the box needs none of its coverage. A value; a clip keeps its own.

#include <optional>
#include <vector>

#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Rect.h"

namespace platform::graphics {

class ConvexOutline {
public:
    // The polygon when `path` is a single subpath of a few straight lines
    // (closed, or closed by the fill) bounding a convex area; none for any
    // other path.
    static std::optional<ConvexOutline> of(const Path& path);

    // Whether each corner of `box` lies inside, at least `margin` from every edge.
    bool holds(const Rect& box, double margin) const;

private:
    ConvexOutline() = default;

    std::vector<Point> corners_;
    // +1 when the corners run with positive turns, -1 the other way.
    int turns_ = 0;
};

}  // namespace platform::graphics
