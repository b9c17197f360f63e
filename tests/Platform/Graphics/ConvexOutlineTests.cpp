#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "Platform/Graphics/ConvexOutline.h"

namespace platform::graphics {
namespace {

Path polygon(std::initializer_list<Point> points, bool close = true) {
    Path path;
    bool first = true;
    for (const Point point : points) {
        if (first) {
            path.moveTo(point);
        } else {
            path.lineTo(point);
        }
        first = false;
    }
    if (close) path.closeSubpath();
    return path;
}

TEST(ConvexOutlineTest, TakesConvexPolygonsOfLinesAlone) {
    Path turned;
    turned.addRect(Rect(0, 0, 100, 60), AffineTransform::makeRotation(0.5));
    // Closed, closed by the fill, the other way round, with the close
    // repeating the start, and ended with a move as Cairo ends one.
    EXPECT_TRUE(ConvexOutline::of(turned));
    EXPECT_TRUE(ConvexOutline::of(polygon({{0, 0}, {50, 0}, {25, 40}}, false)));
    EXPECT_TRUE(ConvexOutline::of(polygon({{0, 0}, {25, 40}, {50, 0}})));
    EXPECT_TRUE(ConvexOutline::of(polygon({{0, 0}, {50, 0}, {50, 50}, {0, 50}, {0, 0}})));
    Path ended = polygon({{0, 0}, {50, 0}, {50, 50}});
    ended.moveTo({0, 0});
    EXPECT_TRUE(ConvexOutline::of(ended));

    // A notch, a star that turns the same way at every point, a line, two
    // subpaths, a curve, and a corner at infinity.
    EXPECT_FALSE(ConvexOutline::of(polygon({{0, 0}, {50, 0}, {25, 10}, {50, 50}, {0, 50}})));
    Path star;
    for (int i = 0; i < 5; ++i) {
        const double angle = i * 4 * M_PI / 5;
        const Point point(50 + 40 * std::cos(angle), 50 + 40 * std::sin(angle));
        if (i == 0) {
            star.moveTo(point);
        } else {
            star.lineTo(point);
        }
    }
    star.closeSubpath();
    EXPECT_FALSE(ConvexOutline::of(star));
    EXPECT_FALSE(ConvexOutline::of(polygon({{0, 0}, {10, 10}, {20, 20}})));
    Path two = polygon({{0, 0}, {50, 0}, {25, 40}});
    two.addPath(polygon({{60, 0}, {90, 0}, {75, 30}}));
    EXPECT_FALSE(ConvexOutline::of(two));
    Path ellipse;
    ellipse.addEllipse(Rect(0, 0, 50, 50));
    EXPECT_FALSE(ConvexOutline::of(ellipse));
    EXPECT_FALSE(ConvexOutline::of(polygon({{0, 0}, {std::numeric_limits<double>::infinity(), 0}, {0, 50}})));
    EXPECT_FALSE(ConvexOutline::of(Path()));
}

TEST(ConvexOutlineTest, HoldsABoxWhollyInsideByTheMargin) {
    // A square turned by 45 degrees about (100, 100): |x - 100| + |y - 100| <= 60.
    Path diamond = polygon({{100, 40}, {160, 100}, {100, 160}, {40, 100}});
    for (const bool reversed : {false, true}) {
        SCOPED_TRACE(reversed ? "the other way round" : "one way round");
        const std::optional<ConvexOutline> outline =
            ConvexOutline::of(reversed ? polygon({{40, 100}, {100, 160}, {160, 100}, {100, 40}}) : diamond);
        ASSERT_TRUE(outline);
        EXPECT_TRUE(outline->holds(Rect(80, 80, 40, 40), 1.0 / 32));
        // Corners 2 / sqrt(2) (about 1.41) inside: held by less, not by more.
        EXPECT_TRUE(outline->holds(Rect(71, 71, 58, 58), 1.0 / 32));
        EXPECT_TRUE(outline->holds(Rect(71, 71, 58, 58), 1.4));
        EXPECT_FALSE(outline->holds(Rect(71, 71, 58, 58), 1.42));
        // Corners on the edges, and one past an edge.
        EXPECT_FALSE(outline->holds(Rect(70, 70, 60, 60), 1.0 / 32));
        EXPECT_FALSE(outline->holds(Rect(71, 71, 61, 58), 0));
        EXPECT_FALSE(outline->holds(Rect(0, 0, 20, 20), 0));
        EXPECT_FALSE(outline->holds(Rect::null(), 0));
    }
}

}  // namespace
}  // namespace platform::graphics
