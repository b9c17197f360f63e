#include "tests/EngineComparison/Support/BezierShape.h"

namespace enginematrix {

namespace {

// How far a tangent reaches along a quarter circle drawn as one cubic curve,
// as a share of the radius.
constexpr double quarterCircleTangent = 0.5523;

platform::json::Value points(const std::vector<PathPoint>& list) {
    platform::json::Array result;
    for (const PathPoint& point : list) result.push_back(platform::json::Array{point.x, point.y});
    return result;
}

}  // namespace

BezierShape BezierShape::square(PathPoint centre, double halfSide) {
    BezierShape shape;
    shape.vertices = {{centre.x - halfSide, centre.y - halfSide},
                      {centre.x + halfSide, centre.y - halfSide},
                      {centre.x + halfSide, centre.y + halfSide},
                      {centre.x - halfSide, centre.y + halfSide}};
    shape.inTangents.assign(4, {0, 0});
    shape.outTangents.assign(4, {0, 0});
    return shape;
}

BezierShape BezierShape::circle(PathPoint centre, double radius) {
    const double reach = radius * quarterCircleTangent;
    BezierShape shape;
    // Clockwise from the top, as the square's corners run.
    shape.vertices = {{centre.x, centre.y - radius},
                      {centre.x + radius, centre.y},
                      {centre.x, centre.y + radius},
                      {centre.x - radius, centre.y}};
    shape.inTangents = {{-reach, 0}, {0, -reach}, {reach, 0}, {0, reach}};
    shape.outTangents = {{reach, 0}, {0, reach}, {-reach, 0}, {0, -reach}};
    return shape;
}

BezierShape BezierShape::zigzag(PathPoint start, double step, int teeth) {
    BezierShape shape;
    shape.closed = false;
    for (int index = 0; index <= teeth * 2; ++index) {
        shape.vertices.push_back({start.x + step * index, start.y + (index % 2 == 0 ? 0 : step)});
        shape.inTangents.push_back({0, 0});
        shape.outTangents.push_back({0, 0});
    }
    return shape;
}

platform::json::Value BezierShape::json() const {
    return platform::json::Object{{"c", platform::json::Value::boolean(closed)},
                                  {"v", points(vertices)},
                                  {"i", points(inTangents)},
                                  {"o", points(outTangents)}};
}

}  // namespace enginematrix
