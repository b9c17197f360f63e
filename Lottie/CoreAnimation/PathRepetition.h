#pragma once
// A finished path drawn several times end to end in one path, so that a trim
// whose offset carries it past the path's end can be expressed as a fraction
// of the longer path. Used by every path animation of the Core Animation
// engine; stateless.

#include <vector>

#include "Lottie/Values/BezierPath.h"
#include "Platform/Graphics/Path.h"

namespace lottie {

struct PathRepetition {
    // The path `pathMultiplier` times; once for any multiplier below 2.
    static platform::graphics::Path repeated(const platform::graphics::Path& path, int pathMultiplier);
    // Each path of the list repeated on its own, in order: A, A, B, B for two paths and 2.
    static platform::graphics::Path combined(const std::vector<BezierPath>& paths, int pathMultiplier);
};

}  // namespace lottie
