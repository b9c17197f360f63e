#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Values/Interpolatable.h"

using namespace lottie;
using platform::graphics::Point;
using platform::graphics::Rect;

namespace {

// The arch from (0, 0) to (100, 0) whose tangents both point 50 down.
constexpr Point archStart(0, 0), archEnd(100, 0), archOut(0, 50), archIn(0, 50);

}  // namespace

TEST(Interpolation, NumbersBlendAndExtrapolate) {
    struct Case {
        double amount, expected;
    };
    for (const Case& c : {Case{0.25, 12.5}, Case{1.2, 22}, Case{-0.5, 5}, Case{0, 10}, Case{1, 20}}) {
        SCOPED_TRACE(c.amount);
        EXPECT_DOUBLE_EQ(interpolate(10.0, 20.0, c.amount), c.expected);
        EXPECT_DOUBLE_EQ(interpolate(LottieVector1D(10), LottieVector1D(20), c.amount).value, c.expected);
    }
}

// The value types' midways are in the keyframe interpolator's table.
TEST(Interpolation, GeometryAndColoursBlendComponentWise) {
    // A rectangle's width and height blend as it reports them: never negative.
    EXPECT_EQ(interpolate(Rect(0, 0, -10, 10), Rect(10, 10, 30, 30), 0.5), Rect(5, 5, 20, 20));
    CurveVertex from(Point(0, 0), Point(-2, 0), Point(2, 0));
    CurveVertex to(Point(10, 10), Point(10, 6), Point(10, 14));
    EXPECT_EQ(interpolate(from, to, 0.5), CurveVertex(Point(5, 5), Point(4, 3), Point(6, 7)));
}

TEST(Interpolation, SpatialRuleFollowsTheMotionPath) {
    // Flat tangents, or none, give the straight lerp.
    EXPECT_EQ(interpolateWithTangents(archStart, archEnd, 0.5, Point(0, 0), Point(0, 0)), Point(50, 0));
    EXPECT_EQ(interpolateWithTangents(archStart, archEnd, 0.5, std::nullopt, archIn), Point(50, 0));
    EXPECT_EQ(interpolate(archStart, archEnd, 0.5), Point(50, 0));
    // A number ignores tangents.
    EXPECT_DOUBLE_EQ(interpolateWithTangents(0.0, 10.0, 0.5, archOut, archIn), 5);

    Point middle = interpolateWithTangents(archStart, archEnd, 0.5, archOut, archIn);
    EXPECT_LT(pointDistance(middle, Point(50, 37.5)), 0.5);
    EXPECT_EQ(interpolateWithTangents(archStart, archEnd, 0.0, archOut, archIn), archStart);
    EXPECT_EQ(interpolateWithTangents(archStart, archEnd, 1.0, archOut, archIn), archEnd);
    // Beyond the ends the motion stops at the path's ends instead of extrapolating.
    EXPECT_EQ(interpolateWithTangents(archStart, archEnd, -0.3, archOut, archIn), archStart);
    EXPECT_LT(pointDistance(interpolateWithTangents(archStart, archEnd, 1.3, archOut, archIn), archEnd), 1e-9);

    // Even speed by arc length: equal amounts cover nearly equal distances.
    Point previous = archStart;
    std::vector<double> steps;
    for (int i = 1; i <= 10; ++i) {
        Point next = interpolateWithTangents(archStart, archEnd, i / 10.0, archOut, archIn);
        steps.push_back(pointDistance(previous, next));
        previous = next;
    }
    for (double step : steps) EXPECT_NEAR(step, steps[0], 0.05 * steps[0]);
}

TEST(Interpolation, HoldAndOptionalWrappers) {
    Hold<bool> off{false}, on{true};
    EXPECT_FALSE(interpolate(off, on, 0.999).value);
    EXPECT_TRUE(interpolate(off, on, 1.0).value);
    EXPECT_TRUE(interpolate(off, on, 1.5).value);

    std::optional<double> none, five = 5.0, fifteen = 15.0;
    EXPECT_EQ(interpolate(five, fifteen, 0.5), std::optional<double>(10));
    for (double amount : {0.0, 0.5, 1.0}) {
        EXPECT_FALSE(interpolate(five, none, amount));
        EXPECT_FALSE(interpolate(none, fifteen, amount));
    }
}

TEST(Interpolation, ArraysPairElementsAndReportDifferentCounts) {
    std::vector<std::string> asserted;  // each assertion's condition, message and site
    const auto previous = LottieLogger::shared();
    auto ignore = [](const LottieLogger::Message&, std::string_view, unsigned) {};
    LottieLogger::setShared(std::make_shared<LottieLogger>(
        [&asserted](const LottieLogger::Condition& condition, const LottieLogger::Message& message,
                    std::string_view file, unsigned line) {
            asserted.push_back((condition() ? "true " : "false ") + message() + " " + std::string(file) + ":" +
                               std::to_string(line));
        },
        ignore, ignore, [](const LottieLogger::Message&) {}));
    std::vector<double> three{0, 10, 20}, two{10, 20};
    EXPECT_EQ(interpolate(three, two, 0.5), (std::vector<double>{5, 15}));
    EXPECT_EQ(interpolate(two, two, 0.25), two);
    LottieLogger::setShared(previous);
    ASSERT_EQ(asserted.size(), 2u);
    EXPECT_EQ(asserted[0], "false When interpolating Arrays, both array sound have the same element count. "
                           "Lottie/Interpolatable:250");
    EXPECT_EQ(asserted[1].rfind("true ", 0), 0u);
}

TEST(Interpolation, PathsBlendTheVerticesBothHave) {
    BezierPath four, three;
    for (Point p : {Point(0, 0), Point(10, 0), Point(10, 10), Point(0, 10)}) four.appendVertex(CurveVertex::corner(p));
    for (Point p : {Point(0, 0), Point(20, 0), Point(20, 20)}) three.appendVertex(CurveVertex::corner(p));
    four.setClosed(true);
    three.setClosed(true);
    BezierPath blended = interpolate(four, three, 0.5);
    EXPECT_FALSE(blended.closed());
    ASSERT_EQ(blended.elements().size(), 3u);
    EXPECT_EQ(blended.elements()[1].vertex.point, Point(15, 0));
    EXPECT_EQ(blended.elements()[2].vertex.point, Point(15, 15));
    EXPECT_DOUBLE_EQ(blended.elements()[1].length, 15);
    EXPECT_DOUBLE_EQ(blended.length(), 30);
    EXPECT_TRUE(interpolate(four, BezierPath(), 0.5).isEmpty());
}

TEST(Interpolation, AMorphingPathStaysClosedWhenBothEndsAreClosed) {
    const auto triangle = [](double tip, bool closed) {
        BezierPath path;
        for (Point p : {Point(0, 0), Point(20, 0), Point(10, tip)}) path.appendVertex(CurveVertex::corner(p));
        if (closed) path.appendVertex(CurveVertex::corner(Point(0, 0)));
        path.setClosed(closed);
        return path;
    };
    struct Case {
        bool fromClosed, toClosed, blendClosed;
    };
    const Case cases[] = {{true, true, true}, {true, false, false}, {false, true, false}, {false, false, false}};
    for (const Case& item : cases) {
        SCOPED_TRACE(testing::Message() << "from closed " << item.fromClosed << ", to closed " << item.toClosed);
        const BezierPath blended = interpolate(triangle(10, item.fromClosed), triangle(30, item.toClosed), 0.5);
        EXPECT_EQ(blended.closed(), item.blendClosed);
        EXPECT_EQ(blended.elements()[2].vertex.point, Point(10, 20));
    }
}
