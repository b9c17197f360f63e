#pragma once
// The finished path of one keyframe of a path animation: every segment a
// cubic curve, straight ones included, so that the compositor can morph
// between the values of two keyframes (an ellipse growing from size 0 has all
// its control points on its vertices at first, which would otherwise make
// straight lines that cannot morph into its curves). Drawn several times end
// to end when a trim whose offset carries it past the path's end is expressed
// as a fraction of the longer path. Used by every path animation of the Core
// Animation engine; stateless.

#include <vector>

#include "Lottie/Values/BezierPath.h"
#include "Platform/Graphics/Path.h"

namespace lottie {

struct PathRepetition {
    // Every segment as a cubic curve.
    static platform::graphics::Path curves(const BezierPath& path);
    // The path `pathMultiplier` times; once for any multiplier below 2.
    static platform::graphics::Path repeated(const BezierPath& path, int pathMultiplier);
    // The paths of the list in order, the whole list `pathMultiplier` times: A,
    // B, A, B for two paths and 2, so that a trim running along all of them one
    // after the other goes on from the last into the first.
    static platform::graphics::Path combined(const std::vector<BezierPath>& paths, int pathMultiplier);
};

}  // namespace lottie
