#include "Lottie/Values/BezierPath.h"

namespace lottie {

namespace {
constexpr int measuringSteps = 25;
}

BezierPath::BezierPath(std::vector<PathElement> elements, bool closed)
    : elements_(std::move(elements)), closed_(closed) {
    for (const PathElement& element : elements_) length_ += element.length;
}

void BezierPath::appendVertex(const CurveVertex& vertex) {
    double segment = elements_.empty() ? 0 : elements_.back().vertex.curveLength(vertex, measuringSteps);
    elements_.emplace_back(segment, vertex);
    length_ += segment;
}

void BezierPath::appendElement(const PathElement& element) {
    elements_.push_back(element);
    length_ += element.length;
}

platform::graphics::Path BezierPath::toPath() const {
    platform::graphics::Path path;
    if (elements_.empty()) return path;
    path.moveTo(elements_.front().vertex.point);
    for (std::size_t index = 1; index < elements_.size(); ++index) {
        const CurveVertex& previous = elements_[index - 1].vertex;
        const CurveVertex& vertex = elements_[index].vertex;
        if (previous.outTangent != previous.point || vertex.inTangent != vertex.point) {
            path.curveTo(previous.outTangent, vertex.inTangent, vertex.point);
        } else {
            path.lineTo(vertex.point);
        }
    }
    if (closed_) path.closeSubpath();
    return path;
}

BezierPath BezierPath::fromPoints(bool closed, std::span<const platform::graphics::Point> vertices,
                                  std::span<const platform::graphics::Point> inOffsets,
                                  std::span<const platform::graphics::Point> outOffsets) {
    BezierPath path;
    path.closed_ = closed;
    if (vertices.empty()) return path;
    path.elements_.reserve(vertices.size() + (closed ? 1 : 0));
    for (std::size_t index = 0; index < vertices.size(); ++index) {
        platform::graphics::Point point = vertices[index];
        path.appendVertex(CurveVertex(point, point + inOffsets[index], point + outOffsets[index]));
    }
    if (closed) {
        // The closing segment is an element of its own, so that lengths and
        // trimming see it like any other segment.
        const CurveVertex& first = path.elements_.front().vertex;
        path.appendVertex(CurveVertex(first.point, first.inTangent, first.point));
    }
    return path;
}

}  // namespace lottie
