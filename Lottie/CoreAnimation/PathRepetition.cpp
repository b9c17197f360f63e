#include "Lottie/CoreAnimation/PathRepetition.h"

namespace lottie {

platform::graphics::Path PathRepetition::curves(const BezierPath& path) {
    platform::graphics::Path result;
    const auto& elements = path.elements();
    if (elements.empty()) return result;
    result.moveTo(elements.front().vertex.point);
    for (std::size_t index = 1; index < elements.size(); ++index) {
        const CurveVertex& previous = elements[index - 1].vertex;
        const CurveVertex& vertex = elements[index].vertex;
        result.curveTo(previous.outTangent, vertex.inTangent, vertex.point);
    }
    if (path.closed()) result.closeSubpath();
    return result;
}

platform::graphics::Path PathRepetition::repeated(const BezierPath& bezier, int pathMultiplier) {
    const platform::graphics::Path path = curves(bezier);
    if (pathMultiplier < 2) return path;
    platform::graphics::Path result;
    for (int copy = 0; copy < pathMultiplier; ++copy) result.addPath(path);
    return result;
}

platform::graphics::Path PathRepetition::combined(const std::vector<BezierPath>& paths, int pathMultiplier) {
    platform::graphics::Path result;
    for (const BezierPath& path : paths) result.addPath(repeated(path, pathMultiplier));
    return result;
}

}  // namespace lottie
