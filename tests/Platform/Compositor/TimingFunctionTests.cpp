// Timing functions: the named curves and the curve solver.
// Expected values were solved offline from the control points in single precision.

#include <gtest/gtest.h>

#include <vector>

#include "Platform/Compositor/TimingFunction.h"

namespace {

using platform::compositor::TimingFunction;
using Name = TimingFunction::Name;

TEST(TimingFunction, SolvesTheCurveAtTheRightX) {
    struct Case {
        const char* name;
        TimingFunction function;
        double x;
        double y;
    };
    const std::vector<Case> cases = {
        {"linear", TimingFunction::named(Name::linear), 0.3, 0.3},
        {"ease in", TimingFunction::named(Name::easeIn), 0.25, 0.0934647},
        {"ease out", TimingFunction::named(Name::easeOut), 0.5, 0.6846432},
        {"ease in ease out", TimingFunction::named(Name::easeInEaseOut), 0.25, 0.1291619},
        {"default", TimingFunction::named(Name::systemDefault), 0.5, 0.8024034},
        {"ends", TimingFunction::named(Name::easeInEaseOut), 1, 1},
        {"clamped above", TimingFunction::named(Name::easeInEaseOut), 7, 1},
        // x = t^3 and y = 1 - (1 - t)^3: a steep start that needs a solver that converges.
        {"steep", TimingFunction(0, 1, 0, 1), 0.01, 0.5170827},
        {"overshoot keeps y above 1", TimingFunction(0.3f, 1.5f, 0.7f, 1.5f), 0.5, 1.25},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(c.function.evaluate(c.x), c.y, 1e-7) << c.name << " at " << c.x;
    }
}

}  // namespace
