#pragma once
// A path of the feature matrix's documents, as a path item or a mask holds it:
// vertices with their incoming and outgoing tangents (relative to the vertex).
// A plain value the document builder turns into the document's form.

#include <vector>

#include "Platform/Json/JsonValue.h"

namespace enginematrix {

struct PathPoint {
    double x;
    double y;
};

struct BezierShape {
    std::vector<PathPoint> vertices;
    std::vector<PathPoint> inTangents;
    std::vector<PathPoint> outTangents;
    bool closed = true;

    // A square of straight lines around a centre: four corners, no tangents.
    static BezierShape square(PathPoint centre, double halfSide);
    // A circle of four curved segments, through the points above, below and
    // beside the centre, so that it has as many vertices as a square and a
    // keyframe can morph one into the other.
    static BezierShape circle(PathPoint centre, double radius);
    // An open zigzag of straight lines, for strokes and trims.
    static BezierShape zigzag(PathPoint start, double step, int teeth);

    platform::json::Value json() const;
};

}  // namespace enginematrix
