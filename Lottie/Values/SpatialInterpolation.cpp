#include "Lottie/Values/SpatialInterpolation.h"

#include <array>
#include <cmath>

#include "Lottie/Values/CurveVertex.h"
#include "Platform/Graphics/CubicFlatness.h"

namespace lottie {

namespace {

using platform::graphics::Point;

// The parameter step of the arc-length table, and the most entries it can
// have (the start and twenty steps up to a parameter of about 1).
constexpr double parameterStep = 0.05;
constexpr std::size_t maximumSamples = 22;

struct Sample {
    Point point;
    double length;
};

}  // namespace

Point interpolateAlongMotionPath(Point from, Point to, double amount, const std::optional<Point>& outTangent,
                                 const std::optional<Point>& inTangent) {
    if (!outTangent || !inTangent) return lerpPoint(from, to, amount);
    if (amount == 0) return from;
    if (amount == 1) return to;

    Point control1 = from + *outTangent;
    Point control2 = to + *inTangent;
    if (platform::graphics::CubicFlatness::isFlat(from, control1, control2, to)) return lerpPoint(from, to, amount);

    // The curve as a segment between two vertices, so that it is sampled by
    // the same point function as path segments.
    CurveVertex start(from, from, control1);
    CurveVertex end(to, control2, to);

    std::array<Sample, maximumSamples> samples;
    samples[0] = {from, 0};
    std::size_t count = 1;
    std::size_t startIndex = 0;
    double t = 0;
    double total = 0;
    while (t < 1 && count < maximumSamples) {
        t += parameterStep;
        Point point = start.pointOnCurve(end, t);
        total += pointDistance(samples[count - 1].point, point);
        samples[count++] = {point, total};
        if (t < amount) ++startIndex;
    }

    const std::size_t last = count - 1;
    const double target = amount * total;
    // Walk from the estimate to the table segment whose lengths enclose the
    // target; lengths never decrease, so the walk goes one way only.
    std::ptrdiff_t index = static_cast<std::ptrdiff_t>(startIndex);
    while (true) {
        if (index < 0) return samples[0].point;
        if (static_cast<std::size_t>(index) > last) return samples[last].point;
        std::size_t lower = static_cast<std::size_t>(index);
        std::size_t upper = lower + 1 > last ? last : lower + 1;
        if (samples[upper].length < target) {
            ++index;
        } else if (target < samples[lower].length) {
            --index;
        } else {
            double span = samples[upper].length - samples[lower].length;
            double lowerT = static_cast<double>(lower) * parameterStep;
            // Two samples at the same length (a cusp, or the table's end) leave
            // nothing to divide; the lower sample's parameter is then exact enough.
            double curveT = span == 0 ? lowerT : lowerT + parameterStep * (target - samples[lower].length) / span;
            return start.pointOnCurve(end, curveT);
        }
    }
}

}  // namespace lottie
