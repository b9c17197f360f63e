#include "Lottie/CoreAnimation/PathRepetition.h"

namespace lottie {

platform::graphics::Path PathRepetition::repeated(const platform::graphics::Path& path, int pathMultiplier) {
    if (pathMultiplier < 2) return path;
    platform::graphics::Path result;
    for (int copy = 0; copy < pathMultiplier; ++copy) result.addPath(path);
    return result;
}

platform::graphics::Path PathRepetition::combined(const std::vector<BezierPath>& paths, int pathMultiplier) {
    platform::graphics::Path result;
    for (const BezierPath& path : paths) result.addPath(repeated(path.toPath(), pathMultiplier));
    return result;
}

}  // namespace lottie
