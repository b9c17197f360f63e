// Corner rounding of BezierPath, for the rounded-corners modifier and the
// shape builders: every handle-less vertex is replaced by two vertices on its
// two edges whose handles draw a quarter-circle-like arc.
#include <algorithm>
#include <vector>

#include "Lottie/Values/BezierPath.h"

namespace lottie {

namespace {

// How far back towards the corner the arc's control points reach: the usual
// cubic approximation of a circular arc.
constexpr double controlPointFactor = -0.5519;

// The point at most `radius` from the corner along the edge towards `neighbour`
// (never past the edge's middle), with its control point towards the corner.
struct EdgeCut {
    platform::graphics::Point point;
    platform::graphics::Point control;
};

EdgeCut cutEdge(platform::graphics::Point corner, platform::graphics::Point neighbour, double radius) {
    double distance = pointDistance(neighbour, corner);
    double ratio = distance == 0 ? 0 : std::min(distance * 0.5, radius) / distance;
    platform::graphics::Point point = corner + (neighbour - corner) * ratio;
    platform::graphics::Point control = point + (point - corner) * controlPointFactor;
    return {point, control};
}

}  // namespace

BezierPath BezierPath::withRoundedCorners(double radius) const {
    if (elements().empty()) return *this;
    // A path without any corner has nothing to round; handing it back whole
    // keeps its closed flag (rebuilding it would lose it).
    bool hasCorner = std::any_of(elements().begin(), elements().end(),
                                 [](const PathElement& element) { return element.vertex.isCorner(); });
    if (!hasCorner) return *this;

    bool startIsEnd = elements().front().vertex == elements().back().vertex;
    std::size_t first = startIsEnd ? 1 : 0;
    std::size_t count = elements().size() - first;
    if (count < 2) return *this;
    auto vertexAt = [&](std::size_t index) -> const CurveVertex& { return elements()[first + index].vertex; };

    BezierPath rounded;
    rounded.reserve(count * 2);
    for (std::size_t index = 0; index < count; ++index) {
        const CurveVertex& vertex = vertexAt(index);
        bool isEndOfOpenPath = !startIsEnd && (index == 0 || index == count - 1);
        if (!vertex.isCorner() || isEndOfOpenPath) {
            rounded.appendVertex(vertex);
            continue;
        }
        const CurveVertex& previous = vertexAt(index == 0 ? count - 1 : index - 1);
        const CurveVertex& next = vertexAt((index + 1) % count);
        EdgeCut entry = cutEdge(vertex.point, previous.point, radius);
        rounded.appendVertex(CurveVertex(entry.point, entry.point, entry.control));
        EdgeCut exit = cutEdge(vertex.point, next.point, radius);
        rounded.appendVertex(CurveVertex(exit.point, exit.control, exit.point));
    }
    rounded.setClosed(startIsEnd);
    return rounded;
}

}  // namespace lottie
