#include "Lottie/Values/CurveArcLength.h"

#include <algorithm>
#include <cmath>

namespace lottie {

namespace {

// Five-point Gauss-Legendre nodes and weights on [-1, 1]: exact for
// polynomials up to degree nine, which the speed of a curve resembles closely
// over an eighth of its parameter, wherever it does not come to a halt.
constexpr std::array<double, 5> nodes = {-0.9061798459386640, -0.5384693101056831, 0.0, 0.5384693101056831,
                                         0.9061798459386640};
constexpr std::array<double, 5> weights = {0.2369268850561891, 0.4786286704993665, 0.5688888888888889,
                                           0.4786286704993665, 0.2369268850561891};

// Halvings that place a minimum of the speed to within a forty-billionth of
// the parameter's range.
constexpr int minimumSearchSteps = 32;
// Newton steps inside one span. Each step keeps the answer bracketed and
// narrows the bracket, so a bounded number of them always ends the search,
// close to the answer even where the speed is almost nothing.
constexpr int searchSteps = 12;
// How close to the asked length the search stops, as a share of the total.
constexpr double searchTolerance = 1e-10;

}  // namespace

CurveArcLength::CurveArcLength(const CurveVertex& from, const CurveVertex& to) {
    using platform::graphics::Point;
    const Point p0 = from.point;
    const Point p1 = from.outTangent;
    const Point p2 = to.inTangent;
    const Point p3 = to.point;
    a_ = Point(3 * (p3.x - 3 * p2.x + 3 * p1.x - p0.x), 3 * (p3.y - 3 * p2.y + 3 * p1.y - p0.y));
    b_ = Point(6 * (p2.x - 2 * p1.x + p0.x), 6 * (p2.y - 2 * p1.y + p0.y));
    c_ = Point(3 * (p1.x - p0.x), 3 * (p1.y - p0.y));

    double start = 0;
    double startSlowing = slowing(0);
    for (int span = 1; span <= evenSpans; ++span) {
        const double end = static_cast<double>(span) / evenSpans;
        const double endSlowing = slowing(end);
        // The speed falls, then rises: a minimum lies between, found by halving.
        if (startSlowing < 0 && endSlowing > 0) {
            double low = start;
            double high = end;
            for (int step = 0; step < minimumSearchSteps; ++step) {
                const double middle = (low + high) / 2;
                if (slowing(middle) < 0) {
                    low = middle;
                } else {
                    high = middle;
                }
            }
            addBoundary((low + high) / 2);
        }
        addBoundary(end);
        start = end;
        startSlowing = endSlowing;
    }
}

CurveArcLength::Velocity CurveArcLength::velocity(double t) const {
    return {(a_.x * t + b_.x) * t + c_.x, (a_.y * t + b_.y) * t + c_.y};
}

double CurveArcLength::speed(double t) const {
    const Velocity v = velocity(t);
    return std::sqrt(v.dx * v.dx + v.dy * v.dy);
}

double CurveArcLength::slowing(double t) const {
    const Velocity v = velocity(t);
    return v.dx * (2 * a_.x * t + b_.x) + v.dy * (2 * a_.y * t + b_.y);
}

double CurveArcLength::spanLength(double a, double b) const {
    const double half = (b - a) / 2;
    const double middle = (a + b) / 2;
    double sum = 0;
    for (std::size_t node = 0; node < nodes.size(); ++node) sum += weights[node] * speed(middle + half * nodes[node]);
    return sum * half;
}

void CurveArcLength::addBoundary(double t) {
    const double start = boundaries_[spanCount_];
    lengths_[spanCount_ + 1] = lengths_[spanCount_] + spanLength(start, t);
    boundaries_[++spanCount_] = t;
}

double CurveArcLength::parameterAt(double length) const {
    if (!(length > 0)) return 0;
    if (length >= total()) return 1;
    // The span whose end is the first one past the length (kept inside the
    // table when lengths overflowed and compare with nothing).
    const auto end = lengths_.begin() + spanCount_ + 1;
    const int found = static_cast<int>(std::upper_bound(lengths_.begin(), end, length) - lengths_.begin()) - 1;
    const int span = std::clamp(found, 0, spanCount_ - 1);
    const double spanStart = boundaries_[span];
    const double reached = lengths_[span];
    const double spanTotal = lengths_[span + 1] - reached;
    double low = spanStart;
    double high = boundaries_[span + 1];
    // Inside a span the speed varies little: start where it would be even.
    double t = spanTotal > 0 ? low + (length - reached) / spanTotal * (high - low) : low;
    const double tolerance = total() * searchTolerance;
    for (int step = 0; step < searchSteps; ++step) {
        const double miss = reached + spanLength(spanStart, t) - length;
        if (std::abs(miss) <= tolerance) break;
        if (miss > 0) {
            high = t;
        } else {
            low = t;
        }
        const double rate = speed(t);
        const double next = rate > 0 ? t - miss / rate : low;
        // A step that leaves the bracket halves the bracket instead.
        t = next > low && next < high ? next : (low + high) / 2;
    }
    return t;
}

}  // namespace lottie
