// The parametric shape paths both engines draw.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"

namespace {

using lottie::BezierPath;
using lottie::PathDirection;
using lottie::ShapePathBuilders;
using platform::graphics::Point;

double distance(Point a, Point b) { return std::hypot(a.x - b.x, a.y - b.y); }

TEST(ShapePathBuilders, RectangleCornerRadiusIsLimitedToHalfTheShorterSide) {
    BezierPath path = ShapePathBuilders::makeRoundedRectangle({0, 0}, {10, 10}, 50, PathDirection::clockwise);
    ASSERT_EQ(path.elements().size(), 9u);
    EXPECT_EQ(path.elements()[0].vertex.point, Point(5, 0));
    // The second corner vertex sits radius 5 from the corner: at the bottom middle.
    EXPECT_EQ(path.elements()[2].vertex.point, Point(0, 5));
    EXPECT_NEAR(path.length(), 2 * M_PI * 5, 0.1);
}

// Kept to nine vertices, a square rectangle has the structure of a rounded one
// (so that the two can be morphed into one another) and draws the same square.
TEST(ShapePathBuilders, RectangleKeepsNineVerticesWhenAskedEvenIfSquare) {
    using Vertices = ShapePathBuilders::RectangleVertices;
    struct Case {
        const char* name;
        double radius;
        Vertices vertices;
        std::size_t count;
    };
    const std::vector<Case> cases = {
        {"square", 0, Vertices::asNeeded, 5},
        {"square kept to nine", 0, Vertices::alwaysNine, 9},
        {"a negative radius kept to nine", -4, Vertices::alwaysNine, 9},
        {"rounded", 3, Vertices::asNeeded, 9},
        {"rounded kept to nine", 3, Vertices::alwaysNine, 9},
    };
    const BezierPath square = ShapePathBuilders::makeRoundedRectangle({5, 5}, {10, 20}, 0, PathDirection::clockwise);
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        const BezierPath path = ShapePathBuilders::makeRoundedRectangle({5, 5}, {10, 20}, entry.radius,
                                                                        PathDirection::clockwise, entry.vertices);
        EXPECT_EQ(path.elements().size(), entry.count);
        if (entry.radius > 0) continue;
        EXPECT_EQ(path.toPath().boundingBox(), square.toPath().boundingBox());
        EXPECT_NEAR(path.length(), square.length(), 1e-9);
        for (const auto& element : path.elements()) {
            const Point point = element.vertex.point;
            EXPECT_TRUE((point.x == 0 || point.x == 10) && (point.y == -5 || point.y == 15)) << point.x << ", " << point.y;
        }
    }
}

// A fractional point count adds a last, shorter point, and starts between the radii.
TEST(ShapePathBuilders, PartialStarPoint) {
    BezierPath partial = ShapePathBuilders::makeStar({0, 0}, 40, 20, 0, 0, 5.5, 0, PathDirection::clockwise);
    EXPECT_EQ(partial.elements().size(), 13u);
    EXPECT_NEAR(distance(partial.elements()[0].vertex.point, {0, 0}), 30, 1e-9);
}

// Every builder closes its path (a path that lost its closed flag is stroked
// with a gap at its start); the user's clockwise is clockwise, and counter-
// clockwise visits the same vertices backwards with their handles swapped.
TEST(ShapePathBuilders, DirectionsAndClosing) {
    using B = ShapePathBuilders;
    using D = PathDirection;
    const std::vector<std::pair<const char*, std::function<BezierPath(D)>>> builders{
        {"ellipse", [](D d) { return B::makeEllipse({20, 10}, {0, 0}, d); }},
        {"rounded rectangle", [](D d) { return B::makeRoundedRectangle({3, 4}, {10, 20}, 3, d); }},
        {"rounded polygon", [](D d) { return B::makePolygon({0, 0}, 4, 10, 50, 0, d); }},
        {"partial rounded star", [](D d) { return B::makeStar({3, 4}, 40, 20, 10, 30, 5.5, 15, d); }},
    };
    for (const auto& [name, build] : builders) {
        SCOPED_TRACE(name);
        const BezierPath clockwise = build(PathDirection::clockwise);
        const BezierPath counter = build(PathDirection::counterClockwise);
        EXPECT_TRUE(clockwise.closed());
        EXPECT_TRUE(counter.closed());
        EXPECT_EQ(build(PathDirection::userSetClockwise), clockwise);
        ASSERT_EQ(clockwise.elements().size(), counter.elements().size());
        const std::size_t count = clockwise.elements().size();
        for (std::size_t index = 0; index < count; ++index) {
            const auto& forward = clockwise.elements()[index].vertex;
            const auto& backward = counter.elements()[count - 1 - index].vertex;
            EXPECT_EQ(forward.point, backward.point);
            EXPECT_EQ(forward.inTangent, backward.outTangent);
            EXPECT_EQ(forward.outTangent, backward.inTangent);
        }
    }
}

// Roundedness is kept as given, past 100 percent too (documents round their
// stars by up to a few hundred percent), up to maximumRoundedness either way,
// however many points there are.
TEST(ShapePathBuilders, RoundednessIsBounded) {
    const double most = ShapePathBuilders::maximumRoundedness;
    // The handle of the second vertex: on a star's inner radius 20, on a polygon's radius 40.
    const struct {
        bool star;
        double points, roundedness, handle;
    } cases[] = {
        {true, 5, 50, 20 * 0.5 * 0.47829},        {true, 5, 265, 20 * 2.65 * 0.47829},
        {true, 5, -190, 20 * 1.9 * 0.47829},      {true, 5, most, 20 * most / 100 * 0.47829},
        {true, 5, 1e5, 20 * most / 100 * 0.47829}, {true, 5, -1e5, 20 * most / 100 * 0.47829},
        {true, 5, std::numeric_limits<double>::quiet_NaN(), 0},
        {true, 5e3, 200, 20 * 2 * 0.47829},       {false, 5, 200, 40 * 2 * 0.25},
        {false, 5, 1e5, 40 * most / 100 * 0.25},  {false, 5e3, 100, 40 * 0.25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.points) + (c.star ? " star " : " polygon ") + std::to_string(c.roundedness));
        const BezierPath path = c.star ? ShapePathBuilders::makeStar({0, 0}, 40, 20, c.roundedness, c.roundedness,
                                                                     c.points, 0, PathDirection::clockwise)
                                       : ShapePathBuilders::makePolygon({0, 0}, c.points, 40, c.roundedness, 0,
                                                                        PathDirection::clockwise);
        const auto& vertex = path.elements()[1].vertex;
        EXPECT_NEAR(distance(vertex.inTangent, vertex.point), c.handle, c.handle * 1e-9 + 1e-12);
        EXPECT_EQ(ShapePathBuilders::boundedRoundedness(c.roundedness) == c.roundedness,
                  std::fabs(c.roundedness) <= most);
    }
}

// Counts that describe no shape give the first vertex alone; huge counts are
// built with the largest supported count instead of billions of vertices.
TEST(ShapePathBuilders, PointCountsOutsideTheShapeRange) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double infinity = std::numeric_limits<double>::infinity();
    for (double points : {-0.5, nan, infinity, -infinity, 0.0}) {
        SCOPED_TRACE(points);
        BezierPath polygon = ShapePathBuilders::makePolygon({0, 0}, points, 10, 50, 0, PathDirection::clockwise);
        BezierPath star = ShapePathBuilders::makeStar({0, 0}, 10, 5, 50, 50, points, 0, PathDirection::clockwise);
        EXPECT_EQ(polygon.elements().size(), 1u);
        EXPECT_EQ(star.elements().size(), 1u);
        EXPECT_TRUE(std::isfinite(star.elements()[0].vertex.point.x));
    }
    BezierPath huge = ShapePathBuilders::makeStar({0, 0}, 10, 5, 0, 0, 1e12, 0, PathDirection::clockwise);
    EXPECT_EQ(huge.elements().size(), 1 + 2 * static_cast<std::size_t>(ShapePathBuilders::maximumPointCount));
}

}  // namespace
