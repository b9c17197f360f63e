#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <random>
#include <thread>
#include <vector>

#include "Lottie/Values/CubicRoot.h"
#include "Lottie/Values/KeyframeEasing.h"

using namespace lottie;

namespace {

double eased(LottieVector2D out, LottieVector2D in, double time) {
    return KeyframeEasing::progress(0, false, out, 1, in, time);
}

}  // namespace

TEST(CubicRoot, SolvesInTheUnitIntervalOrAnswersMinusOne) {
    struct Case {
        const char* name;
        double a, b, c, d;
        double expected;  // -1: no root in [0, 1]
    };
    const Case cases[] = {
        {"d = 0 gives 0", 1, 5, 7, 0, 0},
        {"a = 0 defers to the quadratic", 0, 1, 0, -0.25, 0.5},
        {"one real root", 1, 0, 0, -0.125, 0.5},
        {"root just above 1", 1, 0, 0, -1.0001, -1},
        {"root just below 0", 1, 0, 1, 0.001, -1},
        {"three real roots, one inside", 1, -1.5, -1.5, 1, 0.5},
        {"three real roots, two inside: the first found", 1, -0.5, -1, 0.5, 1},
        {"three real roots, none inside", 1, -9, 26, -24, -1},
        {"double root", 1, -1.5, 0.75, -0.125, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double root = cubicRootInUnitInterval(c.a, c.b, c.c, c.d);
        if (c.expected == -1) {
            EXPECT_EQ(root, -1);
        } else {
            EXPECT_NEAR(root, c.expected, 1e-9);
            EXPECT_NEAR(((c.a * root + c.b) * root + c.c) * root + c.d, 0, 1e-9);
        }
    }
}

TEST(CubicRoot, QuadraticTriesTheLargerRootFirst) {
    // (t - 0.25)(t - 0.75): both roots inside; the (r - b) / 2a candidate comes first.
    EXPECT_DOUBLE_EQ(cubicRootQuadratic(1, -1, 0.1875), 0.75);
    EXPECT_DOUBLE_EQ(cubicRootQuadratic(1, -1.25, 0.25), 1);
    EXPECT_EQ(cubicRootQuadratic(1, 0, 1), -1);  // negative discriminant
    EXPECT_EQ(cubicRootQuadratic(0, 1, -0.5), -1);  // not a quadratic: no valid quotient
    EXPECT_EQ(cubicRootQuadratic(-1, 0, 4), -1);   // roots at -2 and 2
}

TEST(KeyframeEasing, LinearAndNamedCurves) {
    // No tangents, or the linear pair, give the time itself.
    EXPECT_DOUBLE_EQ(KeyframeEasing::progress(0, false, std::nullopt, 10, std::nullopt, 2.5), 0.25);
    EXPECT_DOUBLE_EQ(eased(LottieVector2D(0, 0), LottieVector2D(1, 1), 0.3), 0.3);
    // Ease-in: below the linear progress everywhere inside the span.
    EXPECT_NEAR(eased(LottieVector2D(0.42, 0), LottieVector2D(1, 1), 0.5), 0.3154, 5e-4);
    for (int i = 1; i < 100; ++i) EXPECT_LT(eased(LottieVector2D(0.42, 0), LottieVector2D(1, 1), i / 100.0), i / 100.0);
    EXPECT_NEAR(eased(LottieVector2D(0.333, 0), LottieVector2D(0.667, 1), 0.5), 0.5, 1e-9);
    EXPECT_NEAR(eased(LottieVector2D(0.333, 0), LottieVector2D(0.667, 1), 0.25), 0.1564, 5e-4);
    // Overshooting tangents leave 0...1.
    EXPECT_GT(eased(LottieVector2D(0.3, 0), LottieVector2D(0.7, 1.8), 0.8), 1);
}

TEST(KeyframeEasing, SpanWhoseSolverFindsNoRootStillEases) {
    // Control points at exactly a third and two thirds make the timing curve's
    // x linear: the cubic and quadratic terms vanish and the closed form finds
    // no root at all.
    const double third = 1.0 / 3.0, twoThirds = 2.0 / 3.0;
    double a = 3 * third - 3 * twoThirds + 1;
    double b = -6 * third + 3 * twoThirds;
    ASSERT_EQ(cubicRootInUnitInterval(a, b, 3 * third, -0.25), -1);
    // x(t) = t, so the progress is y(t) at t = time: 3t² - 2t³.
    for (double time : {0.1, 0.25, 0.5, 0.9}) {
        SCOPED_TRACE(time);
        double expected = 3 * time * time - 2 * time * time * time;
        EXPECT_NEAR(eased(LottieVector2D(third, 0), LottieVector2D(twoThirds, 1), time), expected, 1e-12);
        EXPECT_NEAR(KeyframeEasing::curveParameter(time, third, twoThirds), time, 1e-12);
    }
}

TEST(KeyframeEasing, UnreadableFrameDoesNotHang) {
    double progress = KeyframeEasing::progress(0, false, LottieVector2D(0.4, 0), 1, LottieVector2D(0.6, 1),
                                               std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(progress < -1e9 || progress > 1e9);
}

// Parameters found lately are remembered: whatever was asked in between, a
// question asked again gets the answer it got the first time, and questions
// that differ in any one of their three numbers get their own answers.
TEST(KeyframeEasing, RememberedParametersAnswerOnlyTheirOwnQuestion) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> unit(0.001, 0.999);
    struct Question {
        double time, control1X, control2X;
    };
    // Families that share two of the three numbers, each larger than the
    // memory, so that questions alike but for one number meet in it.
    std::vector<Question> questions;
    const Question base{unit(random), unit(random), unit(random)};
    for (int i = 0; i < 200; ++i) {
        const double other = unit(random);
        questions.push_back({other, base.control1X, base.control2X});
        questions.push_back({base.time, other, base.control2X});
        questions.push_back({base.time, base.control1X, other});
        questions.push_back({unit(random), unit(random), unit(random)});
    }
    // Answered on a thread of their own, where nothing was asked before.
    std::vector<double> first(questions.size());
    std::thread([&] {
        for (std::size_t i = 0; i < questions.size(); ++i) {
            first[i] = KeyframeEasing::curveParameter(questions[i].time, questions[i].control1X, questions[i].control2X);
        }
    }).join();
    for (int round = 0; round < 3; ++round) {
        std::vector<std::size_t> order(questions.size());
        std::iota(order.begin(), order.end(), 0);
        std::shuffle(order.begin(), order.end(), random);
        for (const std::size_t i : order) {
            const Question& q = questions[i];
            // Twice in a row: the second from memory.
            for (int ask = 0; ask < 2; ++ask) {
                ASSERT_EQ(KeyframeEasing::curveParameter(q.time, q.control1X, q.control2X), first[i])
                    << "question " << i << ", round " << round;
            }
        }
    }
}
