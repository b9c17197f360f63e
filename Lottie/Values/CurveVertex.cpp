#include "Lottie/Values/CurveVertex.h"

#include <cmath>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// The most chords measured two at a time; more are measured one by one.
constexpr int batchedChords = 64;

// The chords' ends of the segment from `from` to `to` at t = i / steps for
// every i in [1, steps), two at a time, into xs[i] and ys[i]: each coordinate
// worked as pointOnCurve works it, operation for operation.
void sampleCurve(const CurveVertex& from, const CurveVertex& to, int steps, double* xs, double* ys) {
    int i = 1;
#if defined(__SSE2__)
    const auto lerp = [](__m128d a, __m128d b, __m128d t) { return _mm_add_pd(_mm_mul_pd(_mm_sub_pd(b, a), t), a); };
    const __m128d x0 = _mm_set1_pd(from.point.x), x1 = _mm_set1_pd(from.outTangent.x);
    const __m128d x2 = _mm_set1_pd(to.inTangent.x), x3 = _mm_set1_pd(to.point.x);
    const __m128d y0 = _mm_set1_pd(from.point.y), y1 = _mm_set1_pd(from.outTangent.y);
    const __m128d y2 = _mm_set1_pd(to.inTangent.y), y3 = _mm_set1_pd(to.point.y);
    const __m128d count = _mm_set1_pd(static_cast<double>(steps));
    for (; i + 2 <= steps; i += 2) {
        const __m128d t = _mm_div_pd(_mm_set_pd(static_cast<double>(i + 1), static_cast<double>(i)), count);
        const __m128d px1 = lerp(x0, x1, t), px2 = lerp(x1, x2, t), px3 = lerp(x2, x3, t);
        _mm_storeu_pd(xs + i, lerp(lerp(px1, px2, t), lerp(px2, px3, t), t));
        const __m128d py1 = lerp(y0, y1, t), py2 = lerp(y1, y2, t), py3 = lerp(y2, y3, t);
        _mm_storeu_pd(ys + i, lerp(lerp(py1, py2, t), lerp(py2, py3, t), t));
    }
#endif
    for (; i < steps; ++i) {
        const platform::graphics::Point sample =
            from.pointOnCurve(to, static_cast<double>(i) / static_cast<double>(steps));
        xs[i] = sample.x;
        ys[i] = sample.y;
    }
}

}  // namespace

double CurveVertex::curveLength(const CurveVertex& next, int steps) const {
    if ((outTangent == point && next.inTangent == next.point) || steps <= 0) {
        return pointDistance(point, next.point);
    }
    if (steps > batchedChords) {
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
    // The chords' ends, this point and next's among them; their lengths two
    // at a time, summed one by one in order, as the loop above sums them.
    double xs[batchedChords + 1], ys[batchedChords + 1], lengths[batchedChords];
    xs[0] = point.x;
    ys[0] = point.y;
    sampleCurve(*this, next, steps, xs, ys);
    xs[steps] = next.point.x;
    ys[steps] = next.point.y;
    int i = 0;
#if defined(__SSE2__)
    for (; i + 2 <= steps; i += 2) {
        const __m128d dx = _mm_sub_pd(_mm_loadu_pd(xs + i + 1), _mm_loadu_pd(xs + i));
        const __m128d dy = _mm_sub_pd(_mm_loadu_pd(ys + i + 1), _mm_loadu_pd(ys + i));
        _mm_storeu_pd(lengths + i, _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy))));
    }
#endif
    for (; i < steps; ++i) lengths[i] = pointDistance({xs[i], ys[i]}, {xs[i + 1], ys[i + 1]});
    double total = 0;
    for (i = 0; i < steps; ++i) total += lengths[i];
    return total;
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
