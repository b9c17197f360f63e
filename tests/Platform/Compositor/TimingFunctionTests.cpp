// Timing functions: the named curves, single precision, and the curve solver.

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "Platform/Compositor/TimingFunction.h"

namespace {

using platform::compositor::TimingFunction;
using Name = TimingFunction::Name;

TEST(TimingFunction, NamedControlPoints) {
    struct Case {
        Name name;
        std::array<float, 4> points;
    };
    const std::vector<Case> cases = {
        {Name::linear, {0, 0, 1, 1}},
        {Name::easeIn, {0.42f, 0, 1, 1}},
        {Name::easeOut, {0, 0, 0.58f, 1}},
        {Name::easeInEaseOut, {0.42f, 0, 0.58f, 1}},
        {Name::systemDefault, {0.25f, 0.1f, 0.25f, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TimingFunction::named(c.name).controlPoints(), c.points);
    }
}

TEST(TimingFunction, KeepsControlPointsInSinglePrecision) {
    const double x1 = 0.333333333333;
    const TimingFunction function(static_cast<float>(x1), 0, 0.67f, 1);
    EXPECT_EQ(function.controlPoints()[0], static_cast<float>(x1));
    EXPECT_NE(static_cast<double>(function.controlPoints()[0]), x1);
}

TEST(TimingFunction, SolvesTheCurve) {
    const TimingFunction easeInOut = TimingFunction::named(Name::easeInEaseOut);
    EXPECT_DOUBLE_EQ(easeInOut.evaluate(0), 0);
    EXPECT_DOUBLE_EQ(easeInOut.evaluate(1), 1);
    // Symmetric, up to the single precision of 0.42 and 0.58.
    EXPECT_NEAR(easeInOut.evaluate(0.5), 0.5, 1e-7);
    EXPECT_NEAR(easeInOut.evaluate(0.25) + easeInOut.evaluate(0.75), 1, 1e-7);
    EXPECT_LT(easeInOut.evaluate(0.25), 0.25);
    EXPECT_DOUBLE_EQ(easeInOut.evaluate(-3), 0);
    EXPECT_DOUBLE_EQ(easeInOut.evaluate(7), 1);
    // (0, 1, 0, 1): x = t^3 and y = 1 - (1 - t)^3, so y is read where t = cbrt(x).
    const TimingFunction steep(0, 1, 0, 1);
    const double t = std::cbrt(0.01);
    EXPECT_NEAR(steep.evaluate(0.01), 1 - std::pow(1 - t, 3), 1e-9);
    // Overshoot keeps y outside [0, 1].
    const TimingFunction overshoot(0.3f, 1.5f, 0.7f, 1.5f);
    EXPECT_GT(overshoot.evaluate(0.5), 1);
    // Where the curve's parameter and time differ, the result is read at the right x:
    // for (0.5, 0, 0.5, 1) the point at parameter 0.5 is (0.5, 0.5).
    const TimingFunction symmetric(0.5f, 0, 0.5f, 1);
    EXPECT_NEAR(symmetric.evaluate(0.5), 0.5, 1e-9);
    EXPECT_TRUE(TimingFunction().isLinear());
    EXPECT_NEAR(TimingFunction().evaluate(0.3), 0.3, 1e-15);
}

}  // namespace
