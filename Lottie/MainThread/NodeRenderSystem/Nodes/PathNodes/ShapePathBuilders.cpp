#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace lottie {

namespace {

using platform::graphics::Point;

// The control-point factor of a quarter circle as the format's tools use it.
constexpr double ellipseControlFactor = 0.55228;
// The control-point factor of rounded star points.
constexpr double starRoundingFactor = 0.47829;
// The control-point factor of rounded polygon corners.
constexpr double polygonRoundingFactor = 0.25;
constexpr double halfPi = 1.5707963267948966;

// Assembles the vertices in order, or reversed with the tangents exchanged for a
// counterclockwise path. Always closed.
BezierPath assemble(const std::vector<CurveVertex>& vertices, PathDirection direction) {
    BezierPath path;
    path.reserve(vertices.size());
    if (direction == PathDirection::counterClockwise) {
        for (auto it = vertices.rbegin(); it != vertices.rend(); ++it) {
            path.appendVertex(CurveVertex(it->point, it->outTangent, it->inTangent));
        }
    } else {
        for (const CurveVertex& vertex : vertices) path.appendVertex(vertex);
    }
    path.setClosed(true);
    return path;
}

double startAngle(double rotation) { return (rotation + -90) * std::numbers::pi / 180; }

}  // namespace

double ShapePathBuilders::sanitizedPointCount(double numberOfPoints) {
    if (!std::isfinite(numberOfPoints) || numberOfPoints < 0) return 0;
    return std::min(numberOfPoints, maximumPointCount);
}

double ShapePathBuilders::boundedRoundedness(double roundedness) {
    if (!std::isfinite(roundedness)) return 0;
    return std::clamp(roundedness, -maximumRoundedness, maximumRoundedness);
}

BezierPath ShapePathBuilders::makeEllipse(platform::graphics::Size size, Point center, PathDirection direction) {
    const double halfWidth = direction == PathDirection::counterClockwise ? -size.width / 2 : size.width / 2;
    const double halfHeight = size.height / 2;
    const double kx = halfWidth * ellipseControlFactor;
    const double ky = halfHeight * ellipseControlFactor;
    const double cx = center.x;
    const double cy = center.y;
    const CurveVertex top({cx, cy - halfHeight}, {cx - kx, cy - halfHeight}, {cx + kx, cy - halfHeight});
    BezierPath path;
    path.reserve(5);
    path.appendVertex(top);
    path.appendVertex(CurveVertex({cx + halfWidth, cy}, {cx + halfWidth, cy - ky}, {cx + halfWidth, cy + ky}));
    path.appendVertex(CurveVertex({cx, cy + halfHeight}, {cx + kx, cy + halfHeight}, {cx - kx, cy + halfHeight}));
    path.appendVertex(CurveVertex({cx - halfWidth, cy}, {cx - halfWidth, cy + ky}, {cx - halfWidth, cy - ky}));
    path.appendVertex(top);
    path.setClosed(true);
    return path;
}

BezierPath ShapePathBuilders::makeRoundedRectangle(Point position, platform::graphics::Size size, double cornerRadius,
                                                   PathDirection direction, RectangleVertices count) {
    const double hw = size.width / 2;
    const double hh = size.height / 2;
    double r = std::min(size.height / 2, std::min(size.width / 2, cornerRadius));
    const double cx = position.x;
    const double cy = position.y;
    std::vector<CurveVertex> vertices;
    if (!(r > 0) && count == RectangleVertices::alwaysNine) r = 0;
    if (!(r > 0) && count == RectangleVertices::asNeeded) {
        vertices = {CurveVertex::corner({cx + hw, cy - hh}), CurveVertex::corner({cx + hw, cy + hh}),
                    CurveVertex::corner({cx - hw, cy + hh}), CurveVertex::corner({cx - hw, cy - hh}),
                    CurveVertex::corner({cx + hw, cy - hh})};
        return assemble(vertices, direction);
    }
    const double k = r * ellipseControlFactor;
    auto make = [](Point point, Point in, Point out) { return CurveVertex(point, in, out); };
    const Point p1{cx + hw, cy - hh + r};
    const Point p2{cx + hw, cy + hh - r};
    const Point p3{cx + hw - r, cy + hh};
    const Point p4{cx - hw + r, cy + hh};
    const Point p5{cx - hw, cy + hh - r};
    const Point p6{cx - hw, cy - hh + r};
    const Point p7{cx - hw + r, cy - hh};
    const Point p8{cx + hw - r, cy - hh};
    vertices = {
        CurveVertex::corner(p1),
        make(p2, p2, {cx + hw, cy + hh - r + k}),
        make(p3, {cx + hw - r + k, cy + hh}, p3),
        make(p4, p4, {cx - hw + r - k, cy + hh}),
        make(p5, {cx - hw, cy + hh - r + k}, p5),
        make(p6, p6, {cx - hw, cy - hh + r - k}),
        make(p7, {cx - hw + r - k, cy - hh}, p7),
        make(p8, p8, {cx + hw - r + k, cy - hh}),
        make(p1, {cx + hw, cy - hh + r - k}, p1),
    };
    return assemble(vertices, direction);
}

BezierPath ShapePathBuilders::makePolygon(Point position, double numberOfPoints, double outerRadius,
                                          double outerRoundedness, double rotation, PathDirection direction) {
    const double points = sanitizedPointCount(numberOfPoints);
    double angle = startAngle(rotation);
    const double radius = outerRadius;
    std::vector<CurveVertex> vertices;
    vertices.push_back(CurveVertex::corner({position.x + radius * std::cos(angle), position.y + radius * std::sin(angle)}));
    const auto count = static_cast<std::size_t>(std::ceil(points));
    if (count == 0) return assemble(vertices, direction);
    vertices.reserve(count + 1);
    const double step = 2 * std::numbers::pi / points;
    const double rounding = boundedRoundedness(outerRoundedness) * 0.01;
    const double tangentLength = rounding * radius * polygonRoundingFactor;
    double previousX = radius * std::cos(angle);
    double previousY = radius * std::sin(angle);
    for (std::size_t index = 0; index < count; ++index) {
        angle += step;
        const double x = radius * std::cos(angle);
        const double y = radius * std::sin(angle);
        const Point point{position.x + x, position.y + y};
        if (rounding == 0) {
            vertices.push_back(CurveVertex::corner(point));
        } else {
            const double phi = std::atan2(previousY, previousX) - halfPi;
            const double theta = std::atan2(y, x) - halfPi;
            CurveVertex& previous = vertices.back();
            previous.outTangent = {previous.point.x - tangentLength * std::cos(phi),
                                   previous.point.y - tangentLength * std::sin(phi)};
            vertices.push_back(CurveVertex(
                point, {point.x + tangentLength * std::cos(theta), point.y + tangentLength * std::sin(theta)}, point));
        }
        previousX = x;
        previousY = y;
    }
    return assemble(vertices, direction);
}

BezierPath ShapePathBuilders::makeStar(Point position, double outerRadius, double innerRadius, double outerRoundedness,
                                       double innerRoundedness, double numberOfPoints, double rotation,
                                       PathDirection direction) {
    const double points = sanitizedPointCount(numberOfPoints);
    const double angle = startAngle(rotation);
    const double step = points > 0 ? 2 * std::numbers::pi / points : 0;
    const double halfStep = step / 2;
    const double partial = points - std::floor(points);

    double currentAngle;
    double partialRadius = 0;
    double x;
    double y;
    if (partial == 0) {
        x = outerRadius * std::cos(angle);
        y = outerRadius * std::sin(angle);
        currentAngle = angle + halfStep;
    } else {
        partialRadius = innerRadius + partial * (outerRadius - innerRadius);
        const double startingAngle = angle + halfStep * (1 - partial);
        x = partialRadius * std::cos(startingAngle);
        y = partialRadius * std::sin(startingAngle);
        currentAngle = startingAngle + step * partial / 2;
    }
    std::vector<CurveVertex> vertices;
    vertices.push_back(CurveVertex::corner({position.x + x, position.y + y}));

    const auto count = 2 * static_cast<std::size_t>(std::ceil(points));
    vertices.reserve(count + 1);
    const double outerRounding = boundedRoundedness(outerRoundedness) * 0.01;
    const double innerRounding = boundedRoundedness(innerRoundedness) * 0.01;
    const double partialStep = step * partial / 2;
    double previousX = x;
    double previousY = y;
    for (std::size_t index = 0; index < count; ++index) {
        const bool odd = index % 2 == 1;
        const double nominalRadius = odd ? outerRadius : innerRadius;
        const double radius = partialRadius != 0 && index == count - 1 ? partialRadius : nominalRadius;
        const double angleStep = partialRadius != 0 && index + 2 == count ? partialStep : halfStep;
        x = radius * std::cos(currentAngle);
        y = radius * std::sin(currentAngle);
        const Point point{position.x + x, position.y + y};
        if (outerRounding == 0 && innerRounding == 0) {
            vertices.push_back(CurveVertex::corner(point));
        } else {
            const double phi = std::atan2(previousY, previousX) - halfPi;
            const double theta = std::atan2(y, x) - halfPi;
            const double previousLength = (odd ? innerRadius * innerRounding : outerRadius * outerRounding) *
                                          starRoundingFactor;
            const double length = (odd ? outerRadius * outerRounding : innerRadius * innerRounding) *
                                  starRoundingFactor;
            double cp1x = previousLength * std::cos(phi);
            double cp1y = previousLength * std::sin(phi);
            double cp2x = length * std::cos(theta);
            double cp2y = length * std::sin(theta);
            if (partial != 0) {
                if (index == 0) {
                    cp1x *= partial;
                    cp1y *= partial;
                } else if (index == count - 1) {
                    cp2x *= partial;
                    cp2y *= partial;
                }
            }
            CurveVertex& previous = vertices.back();
            previous.outTangent = {previous.point.x - cp1x, previous.point.y - cp1y};
            vertices.push_back(CurveVertex(point, {point.x + cp2x, point.y + cp2y}, point));
        }
        previousX = x;
        previousY = y;
        currentAngle += angleStep;
    }
    return assemble(vertices, direction);
}

}  // namespace lottie
