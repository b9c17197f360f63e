#pragma once
// A timing function: the cubic Bezier from (0, 0) to (1, 1) with two control points
// that maps a fraction of elapsed time to a fraction of progress. Stands in for the
// platform's media timing functions; a small value held by animations.
//
// The control points are kept in single precision, as the platform keeps them, so
// a curve made from doubles reads back exactly as the platform would give it. The
// x coordinates are limited to [0, 1] when evaluated (the curve must be a function
// of time); y may leave [0, 1] to overshoot.

#include <array>

namespace platform::compositor {

class TimingFunction {
public:
    enum class Name { linear, easeIn, easeOut, easeInEaseOut, systemDefault };

    // Linear.
    TimingFunction() = default;
    TimingFunction(float x1, float y1, float x2, float y2) : points_{x1, y1, x2, y2} {}

    static TimingFunction named(Name name);
    static TimingFunction linear() { return named(Name::linear); }

    // x1, y1, x2, y2.
    const std::array<float, 4>& controlPoints() const { return points_; }

    // Progress at a time fraction; fractions outside [0, 1] are limited to it.
    double evaluate(double fraction) const;

    bool isLinear() const;

    bool operator==(const TimingFunction&) const = default;

private:
    std::array<float, 4> points_{0.0f, 0.0f, 1.0f, 1.0f};
};

}  // namespace platform::compositor
