#pragma once
// Where the frames of one layer's time line fall on the time line the frame
// being drawn is counted on: the root's, or that of the nearest precomposition
// above whose time is remapped (a remapping starts a time line of its own).
// Each precomposition in between starts its children at its start frame and
// stretches them:
//
//   root      0 ....... s1 .....................................>
//   level 1             0 ....... s2 ............ (x st1) ......>
//   level 2                       0 ...... in ...... (x st2) ...>
//   composed(f) = (f x st2 + s2) x st1 + s1 = f x scale + offset
//
// The edges of a layer's time line (its in and out frames, a precomposition's
// start) are met within the rounding the compositor allows a key time, single
// precision relative to the edge, measured on the composed time line: an edge
// exported between whole frames (6.00000024 at 29.97 fps) then lies within
// rounding of the frame drawn however many precompositions it is reached
// through, as on the other engine, which keys every edge on the root's time
// line. A value held by each composition layer, given by the layer factory;
// the root's is the identity.

#include <cfloat>
#include <cmath>

namespace lottie {

struct ComposedTimeline {
    double scale = 1;
    double offset = 0;

    double composed(double frame) const { return frame * scale + offset; }

    // The time line of the children of a precomposition on this time line that
    // starts at `start` and is stretched by `stretch`.
    ComposedTimeline nested(double start, double stretch) const { return {scale * stretch, offset + start * scale}; }

    // Whether a frame lies on an edge within rounding, both frames of this time line.
    bool isAt(double frame, double edge) const {
        return std::fabs(frame - edge) * std::fabs(scale) <= std::fabs(composed(edge)) * FLT_EPSILON;
    }

    // Whether a frame is at an edge or past it, a frame within rounding of the
    // edge counting as on it.
    bool reaches(double frame, double edge) const { return frame >= edge || isAt(frame, edge); }

    bool operator==(const ComposedTimeline&) const = default;
};

}  // namespace lottie
