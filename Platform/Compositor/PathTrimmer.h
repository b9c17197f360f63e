#pragma once
// Cuts a path down to the part between two fractions of its length, measured over
// all its subpaths together in order (a closing segment counts as a line back to
// the subpath's start). Curves are cut into curves, not flattened. Used by the
// renderer for shape layers' strokeStart and strokeEnd; stateless.

#include "Platform/Graphics/Path.h"

namespace platform::compositor {

class PathTrimmer {
public:
    PathTrimmer() = delete;

    // The whole path for [0, 1] (or wider); an empty path when start >= end.
    // Fractions are limited to [0, 1].
    static graphics::Path trimmed(const graphics::Path& path, double start, double end);
    // The length of all subpaths together.
    static double length(const graphics::Path& path);
};

}  // namespace platform::compositor
