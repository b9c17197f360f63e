#include "Lottie/Values/BezierPath.h"

#include "Platform/Foundation/CopyOnWrite.h"

namespace lottie {

namespace {
constexpr int measuringSteps = 25;
}

BezierPath::BezierPath(std::vector<PathElement> elements, bool closed) : closed_(closed) {
    for (const PathElement& element : elements) length_ += element.length;
    if (!elements.empty()) elements_ = std::make_shared<std::vector<PathElement>>(std::move(elements));
}

const std::vector<PathElement>& BezierPath::noElements() {
    static const std::vector<PathElement> none;
    return none;
}

std::vector<PathElement>& BezierPath::ownElements() { return platform::foundation::editableBlock(elements_); }

bool BezierPath::operator==(const BezierPath& other) const {
    return closed_ == other.closed_ && length_ == other.length_ &&
           (elements_ == other.elements_ || elements() == other.elements());
}

void BezierPath::appendVertex(const CurveVertex& vertex) {
    std::vector<PathElement>& elements = ownElements();
    double segment = elements.empty() ? 0 : elements.back().vertex.curveLength(vertex, measuringSteps);
    elements.emplace_back(segment, vertex);
    length_ += segment;
}

void BezierPath::appendElement(const PathElement& element) {
    ownElements().push_back(element);
    length_ += element.length;
}

platform::graphics::Path BezierPath::toPath() const {
    platform::graphics::Path path;
    const std::vector<PathElement>& elements = this->elements();
    if (elements.empty()) return path;
    path.moveTo(elements.front().vertex.point);
    for (std::size_t index = 1; index < elements.size(); ++index) {
        const CurveVertex& previous = elements[index - 1].vertex;
        const CurveVertex& vertex = elements[index].vertex;
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
    path.reserve(vertices.size() + (closed ? 1 : 0));
    for (std::size_t index = 0; index < vertices.size(); ++index) {
        platform::graphics::Point point = vertices[index];
        path.appendVertex(CurveVertex(point, point + inOffsets[index], point + outOffsets[index]));
    }
    if (closed) {
        // The closing segment is an element of its own, so that lengths and
        // trimming see it like any other segment.
        const CurveVertex first = path.elements().front().vertex;
        path.appendVertex(CurveVertex(first.point, first.inTangent, first.point));
    }
    return path;
}

}  // namespace lottie
