#include "Lottie/Values/CurveVertex.h"

#include <cmath>

#include "Lottie/Values/CurveArcLength.h"
#include "Lottie/Values/CurveSplit.h"

namespace lottie {

platform::graphics::Point CurveVertex::pointOnCurve(const CurveVertex& next, double t) const {
    if (t <= 0) return point;
    if (t >= 1) return next.point;
    platform::graphics::Point p1 = lerpPoint(point, outTangent, t);
    platform::graphics::Point p2 = lerpPoint(outTangent, next.inTangent, t);
    platform::graphics::Point p3 = lerpPoint(next.inTangent, next.point, t);
    platform::graphics::Point q1 = lerpPoint(p1, p2, t);
    platform::graphics::Point q2 = lerpPoint(p2, p3, t);
    return lerpPoint(q1, q2, t);
}

double CurveVertex::curveLength(const CurveVertex& next, int steps) const {
    if ((outTangent == point && next.inTangent == next.point) || steps <= 0) {
        return pointDistance(point, next.point);
    }
    double total = 0;
    platform::graphics::Point previous = point;
    for (int i = 0; i < steps; ++i) {
        double t = static_cast<double>(i) / static_cast<double>(steps);
        platform::graphics::Point sample = pointOnCurve(next, t);
        total += pointDistance(previous, sample);
        previous = sample;
    }
    return total + pointDistance(previous, next.point);
}

CurveSplit CurveVertex::splitCurve(const CurveVertex& next, double t) const {
    if (t <= 0) {
        return {CurveVertex(point, inTangent, point), CurveVertex(point, point, outTangent), next};
    }
    if (t >= 1) {
        return {*this, CurveVertex(next.point, next.inTangent, next.point),
                CurveVertex(next.point, next.point, next.outTangent)};
    }
    if (outTangent == point && next.inTangent == next.point) {
        platform::graphics::Point p = lerpPoint(point, next.point, t);
        return {*this, CurveVertex::corner(p), next};
    }
    platform::graphics::Point a = lerpPoint(point, outTangent, t);
    platform::graphics::Point b = lerpPoint(outTangent, next.inTangent, t);
    platform::graphics::Point c = lerpPoint(next.inTangent, next.point, t);
    platform::graphics::Point d = lerpPoint(a, b, t);
    platform::graphics::Point e = lerpPoint(b, c, t);
    platform::graphics::Point f = lerpPoint(d, e, t);
    return {CurveVertex(point, inTangent, a), CurveVertex(f, d, e), CurveVertex(next.point, c, next.outTangent)};
}

CurveSplit CurveVertex::trimCurve(const CurveVertex& next, double atLength, double curveLength) const {
    const double share = atLength / curveLength;
    // The ends, a share that is not a number, and straight segments (whose
    // parameter runs evenly along them) need no search.
    if (!(share > 0 && share < 1) || (outTangent == point && next.inTangent == next.point)) {
        return splitCurve(next, share);
    }
    const CurveArcLength arc(*this, next);
    const double total = arc.total();
    // Coordinates so large that the length overflows: the share of the parameter.
    if (!std::isfinite(total) || !(total > 0)) return splitCurve(next, share);
    return splitCurve(next, arc.parameterAt(share * total));
}

}  // namespace lottie
