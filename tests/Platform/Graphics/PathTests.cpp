#include <gtest/gtest.h>

#include <vector>

#include "Platform/Graphics/Path.h"

namespace platform::graphics {
namespace {

using Type = PathElementType;

std::vector<Type> typesOf(const Path& path) {
    std::vector<Type> types;
    path.forEachElement([&](const PathElement& element) { types.push_back(element.type); });
    return types;
}

void expectRectNear(const Rect& actual, const Rect& expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.minX(), expected.minX(), tolerance);
    EXPECT_NEAR(actual.minY(), expected.minY(), tolerance);
    EXPECT_NEAR(actual.maxX(), expected.maxX(), tolerance);
    EXPECT_NEAR(actual.maxY(), expected.maxY(), tolerance);
}

TEST(PathTest, SegmentsWithoutACurrentPointStartTheirOwnSubpath) {
    Path path;
    path.lineTo({4, 5});
    EXPECT_EQ(typesOf(path), (std::vector<Type>{Type::moveTo, Type::lineTo}));
    EXPECT_EQ(path.elements()[0].points[0], Point(4, 5));
    Path closed;
    closed.closeSubpath();
    EXPECT_TRUE(closed.isEmpty());
    // Emptied, a path starts again as a new one would, at no current point.
    path.closeSubpath();
    path.removeAll();
    EXPECT_TRUE(path.isEmpty());
    EXPECT_FALSE(path.hasCurrentPoint());
    EXPECT_EQ(path.currentPoint(), Point());
    path.lineTo({7, 8});
    EXPECT_EQ(typesOf(path), (std::vector<Type>{Type::moveTo, Type::lineTo}));
    EXPECT_EQ(path.elements()[0].points[0], Point(7, 8));
}

TEST(PathTest, AddRectAndEllipse) {
    Path path;
    path.addRect(Rect(10, 20, -10, 5));
    ASSERT_EQ(path.elements().size(), 5u);
    EXPECT_EQ(path.elements()[0].points[0], Point(0, 20));

    Path ellipse;
    ellipse.addEllipse(Rect(0, 0, 20, 10));
    EXPECT_EQ(typesOf(ellipse), (std::vector<Type>{Type::moveTo, Type::curveTo, Type::curveTo, Type::curveTo,
                                                   Type::curveTo, Type::closeSubpath}));
    EXPECT_EQ(ellipse.elements()[0].points[0], Point(20, 5));
    // Clockwise on screen: the first quarter ends at the bottom.
    EXPECT_EQ(ellipse.elements()[1].points[2], Point(10, 10));
    expectRectNear(ellipse.pathBoundingBox(), Rect(0, 0, 20, 10));
    Path nothing;
    nothing.addRect(Rect::null());
    EXPECT_TRUE(nothing.isEmpty());
}

TEST(PathTest, AddPathUnderATransformAndTransformedCopies) {
    Path square;
    square.addRect(Rect(0, 0, 1, 1));
    Path path;
    path.addPath(square, AffineTransform::makeScale(10, 10).translatedBy(1, 0));
    EXPECT_EQ(path.elements()[0].points[0], Point(10, 0));
    EXPECT_EQ(path.elements()[2].points[0], Point(20, 10));
    EXPECT_EQ(path, square.transformed(AffineTransform::makeScale(10, 10).translatedBy(1, 0)));
    EXPECT_NE(path, square);

    // Adding a path to itself doubles it rather than reading what it writes.
    path.addPath(path);
    EXPECT_EQ(path.elements().size(), 10u);
    EXPECT_EQ(path.elements()[5], path.elements()[0]);
}

TEST(PathTest, BoundingBoxesOfControlPointsAndOfTheOutline) {
    struct Case {
        const char* name;
        Path path;
        Rect boundingBox;
        Rect pathBoundingBox;
    };
    Path cubic;
    cubic.moveTo({0, 0});
    cubic.curveTo({0, 10}, {10, 10}, {10, 0});  // peaks at y = 7.5
    Path quad;
    quad.moveTo({0, 0});
    quad.quadCurveTo({5, -10}, {10, 0});  // peaks at y = -5
    Path sShape;
    sShape.moveTo({0, 0});
    sShape.curveTo({40, 0}, {-30, 10}, {10, 10});  // overshoots both sides in x
    const Case cases[] = {
        {"cubic", cubic, Rect(0, 0, 10, 10), Rect(0, 0, 10, 7.5)},
        {"quad", quad, Rect(0, -10, 10, 10), Rect(0, -5, 10, 5)},
        {"s-curve", sShape, Rect(-30, 0, 70, 10), Rect(-2.8334945, 0, 2 * 2.8334945 + 10, 10)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        expectRectNear(c.path.boundingBox(), c.boundingBox);
        expectRectNear(c.path.pathBoundingBox(), c.pathBoundingBox, 1e-6);
    }
    EXPECT_TRUE(Path().boundingBox().isNull());
    EXPECT_TRUE(Path().pathBoundingBox().isNull());
}

}  // namespace
}  // namespace platform::graphics
