#include "Lottie/CoreAnimation/PathRepetition.h"

namespace lottie {

namespace {

// `path` drawn `count` times end to end; once for any count below 2.
platform::graphics::Path copies(platform::graphics::Path path, int count) {
    if (count < 2) return path;
    platform::graphics::Path result;
    for (int copy = 0; copy < count; ++copy) result.addPath(path);
    return result;
}

}  // namespace

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
    return copies(curves(bezier), pathMultiplier);
}

platform::graphics::Path PathRepetition::combined(const std::vector<BezierPath>& paths, int pathMultiplier) {
    platform::graphics::Path once;
    for (const BezierPath& path : paths) once.addPath(curves(path));
    return copies(std::move(once), pathMultiplier);
}

}  // namespace lottie
