#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/RoundedCornersNode.h"

#include <cmath>

namespace lottie {

namespace {

bool nearlyEqual(platform::graphics::Point a, platform::graphics::Point b) {
    constexpr double tolerance = 1e-6;
    return std::fabs(a.x - b.x) <= tolerance && std::fabs(a.y - b.y) <= tolerance;
}

// The path with its corners rounded, still ending where it starts when closed.
BezierPath roundedPath(const BezierPath& path, double radius) {
    const auto& elements = path.elements();
    BezierPath source = path;
    if (path.closed() && elements.size() >= 2) {
        const CurveVertex& first = elements.front().vertex;
        const CurveVertex& last = elements.back().vertex;
        // Polygons and stars end a full turn after their first vertex, which
        // is the same point only up to rounding; the rounding recognises a
        // closed outline by exact equality, and would otherwise leave the
        // first corner sharp and the outline open.
        if (!(first == last) && nearlyEqual(first.point, last.point) &&
            nearlyEqual(first.inTangent, last.inTangent) && nearlyEqual(first.outTangent, last.outTangent)) {
            std::vector<PathElement> snapped = elements;
            snapped.back().vertex = first;
            source = BezierPath(std::move(snapped), true);
        }
    }
    BezierPath rounded = source.withRoundedCorners(radius);
    // Closed paths here end with a vertex at their start, so that trimming,
    // which walks the vertices, sees the closing edge too. The rounding leaves
    // that edge to the closed flag alone; it gets its vertex back.
    if (rounded.closed() && !rounded.isEmpty()) {
        const CurveVertex start = rounded.elements().front().vertex;
        if (!(rounded.elements().back().vertex == start)) rounded.appendVertex(start);
    }
    return rounded;
}

}  // namespace

void RoundedCornersNode::regenerateOutputs(double frame) {
    const double radius = properties().radius->value().value;
    for (const auto& output : upstreamPaths()) {
        for (CompoundBezierPath& compound : output->removePaths(frame)) {
            if (radius == 0) {
                output->appendPath(std::move(compound), frame);
                continue;
            }
            std::vector<BezierPath> rounded;
            rounded.reserve(compound.paths().size());
            for (const BezierPath& path : compound.paths()) rounded.push_back(roundedPath(path, radius));
            output->appendPath(CompoundBezierPath(std::move(rounded)), frame);
        }
    }
}

}  // namespace lottie
