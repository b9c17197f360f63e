#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "Platform/Graphics/GraphicsContext.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

TEST(FillTest, FillingAndClippingFollowTheRule) {
    // Two nested squares drawn the same way round: the rules differ on the inner one.
    // Filling the path, or clipping to it and filling everything, must agree.
    for (bool clip : {false, true}) {
        for (FillRule rule : {FillRule::winding, FillRule::evenOdd}) {
            SCOPED_TRACE(::testing::Message() << (clip ? "clip" : "fill") << static_cast<int>(rule));
            auto context = bitmap(40, 40);
            context->setFillColor(Color::rgb(1, 0, 0));
            Path ring;
            ring.addRect(Rect(0, 0, 30, 30));
            ring.addRect(Rect(10, 10, 10, 10));
            context->addPath(ring);
            if (clip) {
                context->clip(rule);
                EXPECT_TRUE(context->isPathEmpty());  // clipping consumes the path
                context->fillRect(Rect(0, 0, 40, 40));
            } else {
                context->fillPath(rule);
                EXPECT_TRUE(context->isPathEmpty());  // and so does filling
            }
            const auto image = context->makeImage();
            EXPECT_TRUE(pixelNear(*image, 5, 5, kOpaqueRed));
            EXPECT_TRUE(pixelNear(*image, 15, 15, rule == FillRule::winding ? kOpaqueRed : kClear));
            EXPECT_TRUE(pixelNear(*image, 35, 35, kClear));
        }
    }
}

TEST(FillTest, AlphaAndFillRectLeaveTheCurrentPathAlone) {
    auto context = bitmap(20, 20);
    context->addRect(Rect(0, 0, 5, 5));
    context->setAlpha(0.5);
    context->setFillColor(Color::rgb(0, 0, 1));
    context->fillRect(Rect(10, 10, 10, 10));
    EXPECT_FALSE(context->isPathEmpty());
    context->fillPath();
    const auto image = context->makeImage();
    EXPECT_TRUE(pixelNear(*image, 15, 15, {128, 0, 0, 128}, 1));
    EXPECT_TRUE(pixelNear(*image, 2, 2, {128, 0, 0, 128}, 1));
    EXPECT_TRUE(pixelNear(*image, 7, 7, kClear));
}

// Cairo is handed the current path only when it draws or measures with it:
// a path built in pieces, with drawings, saved paths and a transparency layer
// between them, reaches it whole, once. Cairo fills what is not anti-aliased,
// and the even-odd rule shows a piece handed twice as well as one missing.
TEST(FillTest, APathBuiltInPiecesReachesCairoWhole) {
    using Step = std::function<void(GraphicsContext&)>;
    const Step none = [](GraphicsContext&) {};
    struct Case {
        const char* name;
        Step between;  // the pieces
        Step after;    // the second piece and the fill
    };
    const Case cases[] = {
        {"nothing", none, none},
        {"a rectangle filled", [](GraphicsContext& c) { c.fillRect(Rect(34, 34, 4, 4)); }, none},
        {"its box measured", [](GraphicsContext& c) { EXPECT_FALSE(c.pathBoundingBox().isNull()); }, none},
        {"a clip to a rectangle", [](GraphicsContext& c) { c.clipToRect(Rect(0, 0, 40, 40)); }, none},
        {"a transparency layer around the second piece", [](GraphicsContext& c) { c.beginTransparencyLayer(); },
         [](GraphicsContext& c) { c.endTransparencyLayer(); }},
    };
    const auto draw = [](GraphicsContext& context, const Step& between, const Step& after) {
        context.setShouldAntialias(false);
        context.setFillColor(Color::rgb(0, 0.5, 1));
        Path first, second;
        first.addRect(Rect(2, 2, 20, 20));
        first.moveTo({4, 30});
        first.curveTo({10, 24}, {20, 36}, {28, 30});
        first.closeSubpath();
        second.addRect(Rect(12, 12, 20, 20));
        context.addPath(first);
        between(context);
        context.addPath(second);
        after(context);
        const Rect box = context.pathBoundingBox();
        context.fillPath(FillRule::evenOdd);
        return box;
    };
    auto expected = bitmap(40, 40);
    const Rect expectedBox = draw(*expected, none, none);
    const auto want = expected->makeImage();
    EXPECT_TRUE(pixelNear(*want, 16, 16, kClear));  // where the squares overlap
    EXPECT_FALSE(pixelNear(*want, 5, 5, kClear));
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto context = bitmap(40, 40);
        EXPECT_EQ(draw(*context, test.between, test.after), expectedBox);
        const auto image = context->makeImage();
        for (int y = 0; y < 34; ++y) {
            for (int x = 0; x < 34; ++x) {
                ASSERT_TRUE(pixelNear(*image, x, y, pixelAt(*want, x, y))) << x << ", " << y;
            }
        }
    }
}

TEST(StrokeTest, EveryJoinAndTheMiterLimit) {
    // A right-angle corner at (40, 40), 10 wide: its outer corner is at (45, 35). The
    // corner needs a miter limit of sqrt(2); below it the mitre is cut to a bevel.
    struct Case {
        LineJoin join;
        double miterLimit;
        bool nearOuterCorner;  // pixel (44, 35): inside the mitre only
        bool insideRound;      // pixel (43, 37): inside the mitre and the round join
    };
    const Case cases[] = {
        {LineJoin::miter, 10, true, true},
        {LineJoin::round, 10, false, true},
        {LineJoin::bevel, 10, false, false},
        {LineJoin::miter, 1.2, false, false},
    };
    for (const Case& c : cases) {
        auto context = bitmap(80, 80);
        context->setLineWidth(10);
        context->setLineJoin(c.join);
        context->setMiterLimit(c.miterLimit);
        Path corner;
        corner.moveTo({10, 40});
        corner.lineTo({40, 40});
        corner.lineTo({40, 70});
        context->addPath(corner);
        context->strokePath();
        const auto image = context->makeImage();
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.join) << ", limit " << c.miterLimit);
        EXPECT_EQ(pixelAt(*image, 44, 35).a > 128, c.nearOuterCorner);
        EXPECT_EQ(pixelAt(*image, 43, 37).a > 128, c.insideRound);
        EXPECT_EQ(pixelAt(*image, 20, 40).a, 255);
    }
}

TEST(StrokeTest, AStrokeFarFromItsUserSpacesOriginIsTheStrokeNearIt) {
    // A layer's space can lie thousands of points from the device's origin
    // (a gradient's bounds placed far off, the path moved there with them).
    // The pen is the same wherever it is: the stroke lands on the same
    // pixels, by the same stroker, as the same path stroked near the origin.
    const auto stroked = [](double offset) {
        auto context = bitmap(120, 100);
        context->translateBy(-offset, -offset);
        Path path;
        path.moveTo({offset + 10.3, offset + 20.7});
        path.curveTo({offset + 90, offset + 5}, {offset + 30, offset + 95}, {offset + 110.2, offset + 80.4});
        path.lineTo({offset + 20, offset + 70});
        context->addPath(path);
        context->setLineWidth(7.5);
        context->setLineJoin(LineJoin::round);
        context->setStrokeColor(Color::rgb(0.2, 0.4, 0.9, 0.8));
        context->strokePath();
        return GraphicsContext::finishImage(std::move(context));
    };
    const auto near = stroked(0);
    int covered = 0;
    // Far enough that the stroker's own coordinates would pass what it takes.
    for (const double offset : {250000.0, 1e6}) {
        SCOPED_TRACE(offset);
        const auto far = stroked(offset);
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 120; ++x) {
                EXPECT_EQ(far->pixel(x, y), near->pixel(x, y)) << x << ", " << y;
                covered += near->pixel(x, y) != 0 ? 1 : 0;
            }
        }
    }
    EXPECT_GT(covered, 2 * 1500);
}

TEST(StrokeTest, AMoveAloneAddsNoDotUnderRoundCaps) {
    // Under round and square caps a piece of no length is a dot, but a
    // subpath of a move alone (a path's stray or trailing move) is nothing:
    // the stroke is the same, pixel for pixel, as the path without it.
    for (const LineCap cap : {LineCap::round, LineCap::square}) {
        SCOPED_TRACE(static_cast<int>(cap));
        const auto stroked = [&](bool strayMoves) {
            auto context = bitmap(100, 80);
            Path path;
            if (strayMoves) path.moveTo({70.5, 12.5});
            path.moveTo({10.3, 20.7});
            path.curveTo({60, 5}, {30, 75}, {90.2, 60.4});
            if (strayMoves) path.moveTo({50.5, 40.5});
            context->addPath(path);
            context->setLineWidth(6.5);
            context->setLineCap(cap);
            context->setStrokeColor(Color::rgb(0.8, 0.3, 0.1, 0.9));
            context->strokePath();
            return GraphicsContext::finishImage(std::move(context));
        };
        const auto plain = stroked(false), withMoves = stroked(true);
        int covered = 0;
        for (int y = 0; y < 80; ++y) {
            for (int x = 0; x < 100; ++x) {
                EXPECT_EQ(withMoves->pixel(x, y), plain->pixel(x, y)) << x << ", " << y;
                covered += plain->pixel(x, y) != 0 ? 1 : 0;
            }
        }
        EXPECT_GT(covered, 500);
    }
}

TEST(StrokeTest, DashPatternsAndPhase) {
    struct Case {
        const char* name;
        double phase;
        std::vector<double> lengths;
        std::vector<int> onAt;
        std::vector<int> offAt;
        // Far past the picture, the line's length asks for too many dashes.
        double length = 100;
        double scale = 1;
    };
    const Case cases[] = {
        {"10 on 10 off", 0, {10, 10}, {5, 25, 45}, {15, 35}},
        {"shifted by 5", 5, {10, 10}, {2, 20, 40}, {10, 30}},
        {"empty is solid", 0, {}, {5, 15, 25, 35}, {}},
        {"all zero is solid", 0, {0, 0}, {5, 15, 25, 35}, {}},
        {"negative is solid", 0, {10, -5}, {5, 15, 25, 35}, {}},
        {"at the dash limit", 0, {10, 10}, {5, 25}, {15, 35}, 1e5},
        {"stretched, phase too", 5, {10, 10}, {10, 70}, {30, 50}, 4e5},
        {"stretched under a scale", 0, {20, 20}, {5, 15, 45}, {25, 35}, 4e5, 0.5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto context = bitmap(100, 20);
        context->scaleBy(c.scale, c.scale);
        context->setLineWidth(4 / c.scale);
        context->setLineDash(c.phase, c.lengths);
        Path line;
        line.moveTo({0, 10 / c.scale});
        line.lineTo({c.length, 10 / c.scale});
        context->addPath(line);
        context->strokePath();
        const auto image = context->makeImage();
        for (int x : c.onAt) {
            EXPECT_EQ(pixelAt(*image, x, 10).a, 255) << "x = " << x;
        }
        for (int x : c.offAt) {
            EXPECT_EQ(pixelAt(*image, x, 10).a, 0) << "x = " << x;
        }
    }
}

}  // namespace
}  // namespace platform::graphics
