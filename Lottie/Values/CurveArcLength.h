#pragma once
// The arc length along one cubic segment, for placing a cut at a length. A
// curve's parameter does not advance evenly along it (a long handle crowds
// most of the curve into a small stretch of the parameter), so a cut by
// length needs the length as a function of the parameter. The table holds the
// length at the ends of equal spans of the parameter, each measured by
// Gauss-Legendre quadrature of the curve's speed; where the curve slows to a
// halt and turns back (handles past the segment's end), the speed has a kink
// no quadrature follows, so the span holding it is split there. A length is
// placed by a search in the table and a few safeguarded Newton steps inside
// one span. Built by CurveVertex::trimCurve for one cut and dropped after it.

#include <array>

#include "Lottie/Values/CurveVertex.h"

namespace lottie {

class CurveArcLength {
public:
    CurveArcLength(const CurveVertex& from, const CurveVertex& to);

    // The length of the whole segment.
    double total() const { return lengths_[spanCount_]; }
    // The parameter at which the length from the start reaches `length`:
    // 0 at or below 0, 1 at or past the total.
    double parameterAt(double length) const;

private:
    // Eight spans of five nodes keep the length within a hundred-thousandth
    // of the whole even on curves with handles many times the chord (within a
    // billionth on most), for about the work of measuring the segment once
    // with 25 chords.
    static constexpr int evenSpans = 8;
    // The speed has at most two minima, so at most two spans are split.
    static constexpr int maximumSpans = evenSpans + 2;

    // B'(t), whose length is the speed.
    struct Velocity {
        double dx, dy;
    };
    Velocity velocity(double t) const;
    // The speed |B'(t)|.
    double speed(double t) const;
    // Half the rate of change of the squared speed, B'(t) . B''(t).
    double slowing(double t) const;
    // The length between parameters a and b of one span.
    double spanLength(double a, double b) const;
    // Appends a span boundary, measuring the span that ends there.
    void addBoundary(double t);

    // B'(t) = (a t + b) t + c, coordinate by coordinate.
    platform::graphics::Point a_;
    platform::graphics::Point b_;
    platform::graphics::Point c_;
    // Span k runs from boundaries_[k] to boundaries_[k + 1]; lengths_[k] is
    // the length up to boundaries_[k].
    std::array<double, maximumSpans + 1> boundaries_{};
    std::array<double, maximumSpans + 1> lengths_{};
    int spanCount_ = 0;
};

}  // namespace lottie
