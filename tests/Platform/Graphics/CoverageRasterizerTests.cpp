// The coverage rasteriser on its own (exact areas, fill rules, what it refuses)
// and through GraphicsContext: strokes drawn as Cairo draws them, and every
// case it leaves to Cairo drawn by Cairo, pixel for pixel.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <numeric>
#include <vector>

#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/PixelBufferPool.h"
#include "Platform/Graphics/Gradient.h"
#include "Platform/Graphics/GradientDrawingOptions.h"
#include "Platform/Graphics/WorkBudget.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

// A cleared plane over [0, width) x [0, height) and the coverage drawn into it.
struct TestPlane {
    int width, height;
    std::vector<std::uint8_t> data;

    TestPlane(int w, int h) : width(w), height(h), data(static_cast<std::size_t>(w) * h, 0) {}
    CoverageRasterizer::Plane plane(int left = 0, int top = 0) {
        return {data.data(), width, left, top, width, height};
    }
    int at(int x, int y) const { return data[static_cast<std::size_t>(y) * width + x]; }
    // The covered area in pixels.
    double area() const { return std::accumulate(data.begin(), data.end(), 0.0) / 255; }
};

Path rectangle(double x, double y, double w, double h, bool clockwise = true) {
    Path path;
    if (clockwise) {
        path.addRect(Rect(x, y, w, h));
        return path;
    }
    path.moveTo({x, y});
    path.lineTo({x, y + h});
    path.lineTo({x + w, y + h});
    path.lineTo({x + w, y});
    path.closeSubpath();
    return path;
}

TEST(CoverageRasterizer, FillsCoverTheirExactArea) {
    struct Case {
        const char* name;
        Path path;
        double area;
        // Pixels whose coverage is known exactly: x, y, level (+-1).
        std::vector<std::array<int, 3>> pixels;
    };
    Path circle;
    circle.addEllipse(Rect(32.3 - 20, 31.7 - 20, 40, 40));
    Path triangle;
    triangle.moveTo({2, 2});
    triangle.lineTo({50, 2});
    triangle.lineTo({2, 34});
    triangle.closeSubpath();
    Path open;  // an open subpath is filled as if closed
    open.moveTo({10, 10});
    open.lineTo({30, 10});
    open.lineTo({30, 20});
    open.lineTo({10, 20});
    const Case cases[] = {
        {"rectangle on half pixels", rectangle(0.5, 0.5, 10, 10), 100, {{0, 0, 64}, {5, 0, 128}, {5, 5, 255}, {10, 10, 64}}},
        {"edge at three tenths of a row", rectangle(4, 10.3, 8, 5), 40, {{6, 10, 178}, {6, 12, 255}, {6, 15, 76}}},
        {"circle", circle, M_PI * 400, {{32, 31, 255}}},
        {"triangle", triangle, 48.0 * 32 / 2, {{3, 3, 255}}},
        {"open subpath", open, 200, {{20, 15, 255}, {20, 20, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CoverageRasterizer rasterizer;
        ASSERT_TRUE(rasterizer.takeFill(c.path, FillRule::winding));
        TestPlane plane(64, 64);
        ASSERT_TRUE(rasterizer.render(plane.plane()));
        // Curves are flattened to within a tenth of a pixel, and points
        // rounded to a 64th.
        EXPECT_NEAR(plane.area(), c.area, c.area * 0.01 + 0.01);
        for (const auto& [x, y, level] : c.pixels) {
            EXPECT_NEAR(plane.at(x, y), level, 2) << "(" << x << ", " << y << ")";
        }
    }
}

TEST(CoverageRasterizer, FillRulesOnOverlappingContours) {
    struct Case {
        const char* name;
        bool sameDirection;
        FillRule rule;
        int overlap;  // coverage where the squares overlap
    };
    const Case cases[] = {
        {"nonzero, same direction", true, FillRule::winding, 255},
        {"nonzero, opposite directions", false, FillRule::winding, 0},
        {"even-odd, same direction", true, FillRule::evenOdd, 0},
        {"even-odd, opposite directions", false, FillRule::evenOdd, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Path path = rectangle(0, 0, 20, 20);
        path.addPath(rectangle(10, 10, 20, 20, c.sameDirection));
        CoverageRasterizer rasterizer;
        ASSERT_TRUE(rasterizer.takeFill(path, c.rule));
        TestPlane plane(32, 32);
        ASSERT_TRUE(rasterizer.render(plane.plane()));
        EXPECT_EQ(plane.at(15, 15), c.overlap);
        EXPECT_EQ(plane.at(5, 5), 255);
        EXPECT_EQ(plane.at(25, 25), 255);
        EXPECT_EQ(plane.at(25, 5), 0);
    }
}

TEST(CoverageRasterizer, APlaneTakesOnlyItsOwnPixels) {
    // A plane over device pixels [8, 24) x [4, 12) of a square from 0 to 16.
    CoverageRasterizer rasterizer;
    ASSERT_TRUE(rasterizer.takeFill(rectangle(0, 0, 16, 16), FillRule::winding));
    TestPlane plane(16, 8);
    ASSERT_TRUE(rasterizer.render(plane.plane(8, 4)));
    EXPECT_EQ(plane.at(0, 0), 255);
    EXPECT_EQ(plane.at(7, 7), 255);
    EXPECT_EQ(plane.at(8, 0), 0);
    EXPECT_DOUBLE_EQ(plane.area(), 8 * 8);
    EXPECT_EQ(rasterizer.bounds(), Rect(0, 0, 16, 16));
}

TEST(CoverageRasterizer, RefusesWhatItCannotDrawExactly) {
    const double nan = std::nan("");
    Path manyPoints;
    manyPoints.moveTo({0, 0});
    for (int i = 0; i < 40'000; ++i) manyPoints.lineTo({static_cast<double>(i % 64), (i % 2) * 50.0});
    manyPoints.closeSubpath();
    Path notANumber;
    notANumber.moveTo({0, 0});
    notANumber.lineTo({nan, 10});
    notANumber.lineTo({10, 10});
    Path farAway = rectangle(0, 0, 1e7, 10);
    Path fartherAway = rectangle(0, 0, 1e8, 10);
    Path dot;
    dot.moveTo({10, 10});
    dot.lineTo({10, 10});
    struct Case {
        const char* name;
        Path path;
        bool stroked;
        CoverageRasterizer::StrokeStyle style;
    };
    CoverageRasterizer::StrokeStyle round;
    round.radius = 3;
    round.cap = LineCap::round;
    CoverageRasterizer::StrokeStyle square = round;
    square.cap = LineCap::square;
    CoverageRasterizer::StrokeStyle hairline;
    hairline.radius = 0.01;
    CoverageRasterizer::StrokeStyle notANumberWide;
    notANumberWide.radius = nan;
    const Case cases[] = {
        {"more points than an outline holds, filled", manyPoints, false, {}},
        {"a coordinate that is not a number", notANumber, false, {}},
        {"a coordinate past the fixed point's range", fartherAway, false, {}},
        {"a stroke past the fixed point's range", farAway, true, {}},
        {"a dot under round caps", dot, true, round},
        {"a dot under square caps", dot, true, square},
        {"a pen thinner than the grid keeps", rectangle(0, 0, 10, 10), true, hairline},
        {"a pen of no number", rectangle(0, 0, 10, 10), true, notANumberWide},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CoverageRasterizer rasterizer;
        EXPECT_FALSE(c.stroked ? rasterizer.takeStroke(c.path, c.style) : rasterizer.takeFill(c.path, FillRule::winding));
        EXPECT_TRUE(rasterizer.bounds().isNull());
    }
    // Under butt caps neither draws a dot: it is left out.
    CoverageRasterizer rasterizer;
    EXPECT_TRUE(rasterizer.takeStroke(dot, {}));
    EXPECT_TRUE(rasterizer.bounds().isNull());
    EXPECT_FALSE(rasterizer.strokeWasCut());
    // A stroke whose outline holds more points than FreeType's do is cut
    // after the subpaths that fit and part of the next, and says so.
    Path box = rectangle(100, 100, 20, 20);
    Path squareThenMany = box;
    squareThenMany.addPath(manyPoints);
    EXPECT_TRUE(rasterizer.takeStroke(squareThenMany, {}));
    EXPECT_TRUE(rasterizer.strokeWasCut());
    const Rect kept = rasterizer.bounds();
    EXPECT_TRUE(rasterizer.takeStroke(box, {}));
    EXPECT_FALSE(rasterizer.strokeWasCut());
    EXPECT_EQ(kept.unionWith(rasterizer.bounds()), kept);
    EXPECT_NE(kept, rasterizer.bounds());
}

TEST(CoverageRasterizer, OutlinesReachingPastThePlaneAreCutToIt) {
    // Edges far outside the plane are pressed onto a box around it before
    // scanning (the scan converter would walk every cell they cross): what
    // the plane shows stays what the whole outline covers there.
    Path star;
    star.moveTo({20, 180});
    star.lineTo({100, 5});
    star.lineTo({180, 180});
    star.lineTo({5, 60});
    star.lineTo({195, 60});
    star.closeSubpath();
    CoverageRasterizer rasterizer;
    ASSERT_TRUE(rasterizer.takeFill(star, FillRule::evenOdd));
    TestPlane whole(200, 200);
    ASSERT_TRUE(rasterizer.render(whole.plane()));
    struct Part {
        int left, top, width, height;
    };
    for (const Part& part : {Part{70, 40, 60, 50}, Part{0, 50, 30, 30}, Part{150, 150, 50, 50}, Part{90, 0, 20, 200}}) {
        SCOPED_TRACE(::testing::Message() << part.left << ", " << part.top);
        TestPlane plane(part.width, part.height);
        ASSERT_TRUE(rasterizer.render(plane.plane(part.left, part.top)));
        for (int y = 0; y < part.height; ++y) {
            for (int x = 0; x < part.width; ++x) {
                // Cut points are rounded to the grid as any point is.
                ASSERT_NEAR(plane.at(x, y), whole.at(part.left + x, part.top + y), 3) << x << ", " << y;
            }
        }
    }
    // A zigzag whose every tooth reaches a hundred thousand pixels to either
    // side, and a triangle with a corner as far: scanned near the plane only.
    Path zigzag;
    zigzag.moveTo({0, 0});
    for (int i = 0; i < 1000; ++i) zigzag.lineTo({(i % 2 ? 1 : -1) * 1e5, 1 + i * 0.01});
    zigzag.closeSubpath();
    ASSERT_TRUE(rasterizer.takeFill(zigzag, FillRule::winding));
    TestPlane plane(64, 64);
    EXPECT_TRUE(rasterizer.render(plane.plane()));
    Path triangle;
    triangle.moveTo({10, 10});
    triangle.lineTo({1e5, 10});
    triangle.lineTo({10, 50});
    triangle.closeSubpath();
    ASSERT_TRUE(rasterizer.takeFill(triangle, FillRule::winding));
    TestPlane cut(64, 64);
    ASSERT_TRUE(rasterizer.render(cut.plane()));
    EXPECT_EQ(cut.at(30, 30), 255);
    EXPECT_EQ(cut.at(5, 30), 0);
    EXPECT_EQ(cut.at(30, 55), 0);
    EXPECT_NEAR(cut.area(), 54 * 40, 2);
    // A hole in a plane millions of pixels wide (an inverted mask) covers
    // the pixels a plane just past the box would: both are cut to the box.
    const auto planeWithHole = [](double reach) {
        Path path = rectangle(-reach, -reach, 2 * reach, 2 * reach);
        path.addEllipse(Rect(10.3, 12.7, 40, 30));
        return path;
    };
    TestPlane near(64, 64), far(64, 64);
    ASSERT_TRUE(rasterizer.takeFill(planeWithHole(100), FillRule::evenOdd));
    ASSERT_TRUE(rasterizer.render(near.plane()));
    ASSERT_TRUE(rasterizer.takeFill(planeWithHole(4e6), FillRule::evenOdd));
    EXPECT_TRUE(rasterizer.render(far.plane()));
    EXPECT_EQ(far.data, near.data);
    EXPECT_EQ(far.at(0, 0), 255);
    EXPECT_EQ(far.at(30, 27), 0);
    // Edges far away above and below the plane.
    ASSERT_TRUE(rasterizer.takeFill(rectangle(-1e5, -1e5, 2e5, 2e5), FillRule::winding));
    TestPlane covered(64, 64);
    EXPECT_TRUE(rasterizer.render(covered.plane()));
    EXPECT_DOUBLE_EQ(covered.area(), 64 * 64);
}

// The alpha of every pixel of a drawing made by GraphicsContext.
std::vector<int> alphaOf(const Image& image) {
    std::vector<int> alpha;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) alpha.push_back(pixelAt(image, x, y).a);
    }
    return alpha;
}

// The same drawing made by Cairo alone: `draw` builds the path and strokes or
// fills it in black on a context of the size.
std::vector<int> cairoAlpha(int width, int height, const std::function<void(cairo_t*)>& draw) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cairo = cairo_create(surface);
    cairo_set_source_rgb(cairo, 0, 0, 0);
    draw(cairo);
    cairo_destroy(cairo);
    cairo_surface_flush(surface);
    std::vector<int> alpha;
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) alpha.push_back(data[y * stride + x * 4 + 3]);
    }
    cairo_surface_destroy(surface);
    return alpha;
}

struct Difference {
    int largest = 0;
    double areaRatio = 0;  // the area of one over the other's
};

Difference compare(const std::vector<int>& ours, const std::vector<int>& cairo) {
    Difference difference;
    double oursArea = 0, cairoArea = 0;
    for (std::size_t i = 0; i < ours.size(); ++i) {
        difference.largest = std::max(difference.largest, std::abs(ours[i] - cairo[i]));
        oursArea += ours[i];
        cairoArea += cairo[i];
    }
    difference.areaRatio = cairoArea > 0 ? oursArea / cairoArea : 0;
    return difference;
}

void cairoStrokeStyle(cairo_t* cairo, double width, LineCap cap, LineJoin join, double miterLimit) {
    cairo_set_line_width(cairo, width);
    cairo_set_line_cap(cairo, cap == LineCap::round    ? CAIRO_LINE_CAP_ROUND
                              : cap == LineCap::square ? CAIRO_LINE_CAP_SQUARE
                                                       : CAIRO_LINE_CAP_BUTT);
    cairo_set_line_join(cairo, join == LineJoin::round   ? CAIRO_LINE_JOIN_ROUND
                               : join == LineJoin::bevel ? CAIRO_LINE_JOIN_BEVEL
                                                         : CAIRO_LINE_JOIN_MITER);
    cairo_set_miter_limit(cairo, miterLimit);
}

void cairoAddPath(cairo_t* cairo, const Path& path) {
    for (const PathElement& e : path.elements()) {
        switch (e.type) {
            case PathElementType::moveTo: cairo_move_to(cairo, e.points[0].x, e.points[0].y); break;
            case PathElementType::lineTo: cairo_line_to(cairo, e.points[0].x, e.points[0].y); break;
            case PathElementType::curveTo:
                cairo_curve_to(cairo, e.points[0].x, e.points[0].y, e.points[1].x, e.points[1].y, e.points[2].x,
                               e.points[2].y);
                break;
            case PathElementType::quadCurveTo: FAIL() << "no quadratics here"; break;
            case PathElementType::closeSubpath: cairo_close_path(cairo); break;
        }
    }
}

TEST(CoverageRasterizer, StrokesDrawAsCairosDo) {
    Path corner;  // a right angle and a sharp turn
    corner.moveTo({10, 50});
    corner.lineTo({40, 50});
    corner.lineTo({40, 20});
    corner.lineTo({70, 60});
    Path curve;
    curve.moveTo({10, 60});
    curve.curveTo({20, 0}, {60, 0}, {70, 60});
    Path closedSquare = rectangle(15.3, 15.3, 50, 40);
    Path circle;
    circle.addEllipse(Rect(15, 10, 50, 50));
    struct Case {
        const char* name;
        const Path& path;
        double width;
        LineCap cap;
        LineJoin join;
        double miterLimit;
        double scale = 1;
        double rotation = 0;
        // A dash pattern and its phase: the context cuts the dashes itself.
        std::vector<double> dashes = {};
        double phase = 0;
        // The largest difference of a pixel. The ends of dashes along a
        // curve fall where each measures its length, Cairo along the lines it
        // flattens the curve into at a tenth of a pixel, ours within a
        // twentieth, a few hundredths of a pixel apart at each end; and each
        // round cap is a polygon of Cairo's tolerance.
        int largest = 40;
    };
    const Case cases[] = {
        {"miter joins, butt caps", corner, 6, LineCap::butt, LineJoin::miter, 10},
        {"miter past its limit is a bevel", corner, 6, LineCap::butt, LineJoin::miter, 1.5},
        {"round joins, round caps", corner, 6, LineCap::round, LineJoin::round, 10},
        {"bevel joins, square caps", corner, 6, LineCap::square, LineJoin::bevel, 10},
        {"a curve, wide", curve, 12, LineCap::butt, LineJoin::miter, 10},
        {"a curve, thin", curve, 1, LineCap::round, LineJoin::round, 10},
        {"a closed square", closedSquare, 5, LineCap::butt, LineJoin::miter, 10},
        {"a circle scaled and turned", circle, 3, LineCap::butt, LineJoin::miter, 10, 0.75, 0.3},
        {"a thin line under a scale", curve, 0.8, LineCap::butt, LineJoin::round, 10, 1.5},
        {"dashed, butt caps, dashes across the corners", corner, 6, LineCap::butt, LineJoin::miter, 10, 1, 0, {7, 3}},
        {"dashed with a phase, round caps and joins", corner, 6, LineCap::round, LineJoin::round, 10, 1, 0, {5, 4}, 2.5,
         80},
        {"a pattern of one length, square caps, bevel joins", corner, 6, LineCap::square, LineJoin::bevel, 10, 1, 0,
         {6}, 1},
        {"a pattern of three lengths, dashes and gaps swapping", corner, 4, LineCap::butt, LineJoin::miter, 10, 1, 0,
         {9, 2, 4}},
        {"a negative phase", corner, 4, LineCap::butt, LineJoin::miter, 10, 1, 0, {6, 3, 2, 3}, -5},
        {"a dashed curve, wide", curve, 8, LineCap::butt, LineJoin::miter, 10, 1, 0, {10, 5}, 3, 80},
        {"a dashed curve, round caps", curve, 3, LineCap::round, LineJoin::round, 10, 1, 0, {4, 6}, 0, 80},
        {"a dashed closed square, its last dash joined to its first", closedSquare, 5, LineCap::butt, LineJoin::miter,
         10, 1, 0, {20, 7}, 4},
        {"a closed square the pattern never leaves", closedSquare, 5, LineCap::butt, LineJoin::miter, 10, 1, 0,
         {500, 10}},
        {"a dashed circle scaled and turned", circle, 3, LineCap::butt, LineJoin::miter, 10, 0.75, 0.3, {8, 4}, 1},
        {"dots: dashes of no length under round caps", corner, 5, LineCap::round, LineJoin::round, 10, 1, 0, {0, 8}, 0,
         80},
        {"dots under square caps", curve, 4, LineCap::square, LineJoin::miter, 10, 1, 0, {0, 7}, 2},
        {"dashes of no length under butt caps show nothing", corner, 5, LineCap::butt, LineJoin::miter, 10, 1, 0,
         {0, 4, 6, 4}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto context = bitmap(80, 80);
        context->translateBy(40, 40);
        context->rotateBy(c.rotation);
        context->scaleBy(c.scale, c.scale);
        context->translateBy(-40, -40);
        const AffineTransform transform = context->currentTransform();
        context->setLineWidth(c.width);
        context->setLineCap(c.cap);
        context->setLineJoin(c.join);
        context->setMiterLimit(c.miterLimit);
        if (!c.dashes.empty()) context->setLineDash(c.phase, c.dashes);
        context->addPath(c.path);
        context->strokePath();
        const auto ours = alphaOf(*context->makeImage());
        const auto cairo = cairoAlpha(80, 80, [&](cairo_t* cr) {
            cairo_matrix_t matrix;
            cairo_matrix_init(&matrix, transform.a, transform.b, transform.c, transform.d, transform.tx, transform.ty);
            cairo_set_matrix(cr, &matrix);
            cairoAddPath(cr, c.path);
            cairoStrokeStyle(cr, c.width, c.cap, c.join, c.miterLimit);
            cairo_set_dash(cr, c.dashes.data(), static_cast<int>(c.dashes.size()), c.phase);
            cairo_stroke(cr);
        });
        const Difference difference = compare(ours, cairo);
        // Cairo samples each row at 15 heights, so an edge along a row can
        // land a sixteenth of a pixel away from its exact coverage, twice
        // where a pixel holds both sides of a thin stroke.
        EXPECT_LE(difference.largest, c.largest);
        EXPECT_NEAR(difference.areaRatio, 1, 0.015);
        EXPECT_NE(ours, cairo) << "drawn by Cairo, not by the rasteriser";
    }
}

Path quadrilateral() {
    Path path;
    path.moveTo({10, 10.3});
    path.lineTo({50, 10.3});
    path.lineTo({50, 30.7});
    path.lineTo({11, 30.7});
    path.closeSubpath();
    return path;
}

TEST(CoverageRasterizer, DegenerateStrokesDrawAsCairosDo) {
    // Pieces of next to no length, turns back on themselves, loops that
    // close on their start: the stroker fails on a subpath made only of
    // pieces it takes for none, so those are left out (under butt caps,
    // where Cairo draws nothing either) or left to Cairo (which draws a dot).
    struct Shape {
        const char* name;
        Path path;
    };
    std::vector<Shape> shapes;
    Path tinyCubic;
    tinyCubic.moveTo({20, 20});
    tinyCubic.curveTo({20, 20.001}, {19.999, 20.001}, {19.999, 20.002});
    shapes.push_back({"a cubic of a thousandth of a pixel", tinyCubic});
    Path tinyThenLong = tinyCubic;
    tinyThenLong.lineTo({50, 40});
    shapes.push_back({"a tiny cubic, then a line", tinyThenLong});
    Path repeated;
    repeated.moveTo({10, 10});
    repeated.lineTo({10, 10});
    repeated.lineTo({40, 10});
    repeated.lineTo({40, 10});
    repeated.lineTo({40, 40});
    shapes.push_back({"repeated points", repeated});
    Path back;
    back.moveTo({10, 30});
    back.lineTo({50, 30});
    back.lineTo({20, 30});
    shapes.push_back({"a line back over itself", back});
    Path loop;
    loop.moveTo({20, 40});
    loop.curveTo({60, 0}, {0, 0}, {20, 40});
    shapes.push_back({"a loop ending on its start", loop});
    Path cusp;
    cusp.moveTo({10, 40});
    cusp.curveTo({50, 10}, {10, 10}, {50, 40});
    shapes.push_back({"a cusp", cusp});
    Path closedDot;
    closedDot.moveTo({30, 30});
    closedDot.closeSubpath();
    closedDot.moveTo({10, 10});
    closedDot.lineTo({40, 12});
    shapes.push_back({"a closed subpath of one point", closedDot});
    for (const Shape& shape : shapes) {
        for (LineCap cap : {LineCap::butt, LineCap::round, LineCap::square}) {
            for (LineJoin join : {LineJoin::miter, LineJoin::round, LineJoin::bevel}) {
                SCOPED_TRACE(::testing::Message() << shape.name << ", cap " << static_cast<int>(cap) << ", join "
                                                  << static_cast<int>(join));
                auto context = bitmap(60, 50);
                context->setLineWidth(4);
                context->setLineCap(cap);
                context->setLineJoin(join);
                context->addPath(shape.path);
                context->strokePath();
                const auto ours = alphaOf(*context->makeImage());
                const auto cairo = cairoAlpha(60, 50, [&](cairo_t* cr) {
                    cairoAddPath(cr, shape.path);
                    cairoStrokeStyle(cr, 4, cap, join, 10);
                    cairo_stroke(cr);
                });
                const Difference difference = compare(ours, cairo);
                double cairoArea = 0;
                for (int level : cairo) cairoArea += level / 255.0;
                EXPECT_NEAR(difference.areaRatio * cairoArea, cairoArea, cairoArea * 0.02 + 0.5);
            }
        }
    }
}

TEST(CoverageRasterizer, AStrokedCircleCoversItsExactRing) {
    // Each pixel against the share of it within half the width of the
    // circle, sampled 16 x 16 times: the borders stray from the ring by the
    // stroke's tolerance, a twentieth of a pixel, and the path's circle from
    // a true one by less.
    for (const double width : {1.0, 5.0, 12.0}) {
        for (const double radius : {6.3, 20.3, 37.7}) {
            SCOPED_TRACE(::testing::Message() << "width " << width << ", radius " << radius);
            auto context = bitmap(100, 100);
            Path circle;
            circle.addEllipse(Rect(50 - radius, 50 - radius, 2 * radius, 2 * radius));
            context->setLineWidth(width);
            context->addPath(circle);
            context->strokePath();
            const auto ours = alphaOf(*context->makeImage());
            int largest = 0;
            for (int y = 0; y < 100; ++y) {
                for (int x = 0; x < 100; ++x) {
                    constexpr int samples = 16;
                    int inside = 0;
                    for (int j = 0; j < samples; ++j) {
                        for (int i = 0; i < samples; ++i) {
                            const double distance =
                                std::hypot(x + (i + 0.5) / samples - 50, y + (j + 0.5) / samples - 50);
                            inside += std::fabs(distance - radius) < width / 2;
                        }
                    }
                    const int exact = static_cast<int>(std::lround(inside * 255.0 / (samples * samples)));
                    largest = std::max(largest, std::abs(ours[static_cast<std::size_t>(y) * 100 + x] - exact));
                }
            }
            EXPECT_LE(largest, 16);
        }
    }
}

TEST(CoverageRasterizer, ACubicWithItsControlsOnItsEndsStrokesAsALine) {
    // Shapes give corners as cubics whose controls sit on their ends; their
    // joins must turn as those of the lines they are.
    const Point corners[] = {{10, 40}, {30, 8}, {52, 30}, {40, 52}};
    for (LineJoin join : {LineJoin::miter, LineJoin::round, LineJoin::bevel}) {
        SCOPED_TRACE(static_cast<int>(join));
        std::vector<std::vector<int>> drawn;
        for (bool asCubics : {false, true}) {
            Path path;
            path.moveTo(corners[0]);
            for (int i = 1; i <= 4; ++i) {
                const Point from = corners[i - 1], to = corners[i % 4];
                asCubics ? path.curveTo(from, to, to) : path.lineTo(to);
            }
            path.closeSubpath();
            auto context = bitmap(64, 64);
            context->setLineWidth(5);
            context->setLineJoin(join);
            context->addPath(path);
            context->strokePath();
            drawn.push_back(alphaOf(*context->makeImage()));
        }
        EXPECT_EQ(drawn[0], drawn[1]);
    }
}

// A drawing whose edges lie three tenths into a row, where Cairo's samples
// and the exact coverage part.
struct Drawing {
    const char* name;
    // Whether Cairo must draw it: the context's pixels are then Cairo's, exactly.
    bool cairoDraws;
    bool stroke = true;
    AffineTransform transform = {};
    bool antialias = true;
    bool dashed = false;
    LineCap cap = LineCap::butt;
    FillRule rule = FillRule::winding;
    // Not a rectangle, which Cairo fills as boxes with exact coverage.
    Path path = quadrilateral();
};

TEST(CoverageRasterizer, EveryCaseItRefusesIsDrawnByCairo) {
    Path manyPoints;
    manyPoints.moveTo({10, 10.3});
    for (int i = 0; i < 40'000; ++i) manyPoints.lineTo({10.0 + (i % 40), 10.3 + (i % 2) * 20.4});
    manyPoints.closeSubpath();
    Path withDot = quadrilateral();
    withDot.moveTo({60, 50});
    withDot.lineTo({60, 50});
    Path farPoint = quadrilateral();
    farPoint.moveTo({20, 40});
    farPoint.lineTo({3e5, 45.3});
    farPoint.lineTo({20, 50.6});
    farPoint.closeSubpath();
    Path smallCircle;
    smallCircle.addEllipse(Rect(38.3, 28.3, 2, 2));  // a bend of 1 under a pen reaching 1.5
    const AffineTransform stretch = AffineTransform::makeScale(1.5, 1);
    const AffineTransform skew(1, 0, 0.2, 1, 0, 0);
    const std::vector<double> dashes{7, 3};
    const Drawing drawings[] = {
        {"a stroke", false},
        {"a fill", false, false},
        {"a stroke under a rotation", false, true, AffineTransform::makeRotation(1e-3)},
        {"a stroke under a stretch", false, true, stretch},
        {"a stroke under a skew", false, true, skew},
        {"a fill under a skew", false, false, skew},
        {"a dot under butt caps", false, true, {}, true, false, LineCap::butt, FillRule::winding, withDot},
        {"without antialiasing, stroked", true, true, {}, false},
        {"without antialiasing, filled", true, false, {}, false},
        {"dashed", false, true, {}, true, true},
        {"more points than an outline holds", true, false, {}, true, false, LineCap::butt, FillRule::evenOdd,
         manyPoints},
        {"a dot under round caps", true, true, {}, true, false, LineCap::round, FillRule::winding, withDot},
        // The context keeps device points within Cairo's range, and a fill
        // takes all of that range in.
        {"a point past the scan converter's range, cut to the plane", false, false, {}, true, false, LineCap::butt,
         FillRule::winding, farPoint},
        {"a pen wider than the bend of a curve", true, true, {}, true, false, LineCap::butt, FillRule::winding,
         smallCircle},
    };
    for (const Drawing& d : drawings) {
        SCOPED_TRACE(d.name);
        auto context = bitmap(80, 60);
        context->concatenate(d.transform);
        context->setLineWidth(3);
        context->setLineCap(d.cap);
        if (!d.antialias) context->setShouldAntialias(false);
        if (d.dashed) context->setLineDash(0, dashes);
        context->addPath(d.path);
        d.stroke ? context->strokePath() : context->fillPath(d.rule);
        const auto ours = alphaOf(*context->makeImage());
        const auto cairo = cairoAlpha(80, 60, [&](cairo_t* cr) {
            // The context hands Cairo its path in device space.
            cairoAddPath(cr, d.path.transformed(d.transform));
            const AffineTransform& t = d.transform;
            cairo_matrix_t matrix;
            cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
            cairo_set_matrix(cr, &matrix);
            cairo_set_antialias(cr, d.antialias ? CAIRO_ANTIALIAS_DEFAULT : CAIRO_ANTIALIAS_NONE);
            if (d.stroke) {
                cairoStrokeStyle(cr, 3, d.cap, LineJoin::miter, 10);
                if (d.dashed) cairo_set_dash(cr, dashes.data(), 2, 0);
                cairo_stroke(cr);
            } else {
                cairo_set_fill_rule(cr, d.rule == FillRule::evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
                cairo_fill(cr);
            }
        });
        if (d.cairoDraws) {
            EXPECT_EQ(ours, cairo);
        } else {
            EXPECT_NE(ours, cairo);
            const Difference difference = compare(ours, cairo);
            EXPECT_LE(difference.largest, 40);
            EXPECT_NEAR(difference.areaRatio, 1, 0.01);
        }
    }
}

TEST(CoverageRasterizer, AClipOfPathsCutsOnlyWhereItsEdgesRun) {
    // A plane with a square hole whose top and bottom edges lie part way
    // into a row: the rows they cross stay whole beside the hole, for a
    // fill, a stroke, a rectangle and a gradient alike.
    struct Case {
        const char* name;
        std::function<void(GraphicsContext&)> draw;
    };
    const Color red = Color::rgb(1, 0, 0);
    const Color colors[] = {red, red};
    const std::shared_ptr<const Gradient> gradient = Gradient::make(ColorSpace(), colors, {});
    const Case cases[] = {
        {"a fill",
         [](GraphicsContext& c) {
             Path circle;
             circle.addEllipse(Rect(5, 5, 50, 50));
             c.addPath(circle);
             c.fillPath();
         }},
        {"a stroke",
         [](GraphicsContext& c) {
             c.setLineWidth(30);
             Path line;
             line.moveTo({0, 25});
             line.lineTo({60, 25});
             c.addPath(line);
             c.strokePath();
         }},
        {"a rectangle", [](GraphicsContext& c) { c.fillRect(Rect(0, 0, 60, 60)); }},
        {"a gradient",
         [&](GraphicsContext& c) {
             c.drawLinearGradient(*gradient, {0, 0}, {60, 0}, GradientDrawingOptions::extended());
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto context = bitmap(60, 60);
        Path holed;
        holed.addRect(Rect(-100, -100, 300, 300));
        holed.addRect(Rect(20.5, 20.3, 10, 10));
        context->addPath(holed);
        context->clip(FillRule::evenOdd);
        context->setFillColor(Color::rgb(1, 0, 0));
        context->setStrokeColor(Color::rgb(1, 0, 0));
        c.draw(*context);
        const auto image = context->makeImage();
        for (int x : {12, 15, 40, 45}) {
            EXPECT_EQ(pixelAt(*image, x, 20).a, 255) << x;
            EXPECT_EQ(pixelAt(*image, x, 30).a, 255) << x;
        }
        // Inside the hole's rows: nothing in it, its edges partly covered.
        EXPECT_EQ(pixelAt(*image, 25, 25).a, 0);
        EXPECT_NEAR(pixelAt(*image, 25, 20).a, 0.3 * 255, 3);
        EXPECT_NEAR(pixelAt(*image, 25, 30).a, 0.7 * 255, 3);
    }
}

// Fills every buffer the shared pool holds, and a range of new ones, with
// `value` and hands them back, so that the next surfaces made from the pool
// start out holding it.
void fillThePool(std::uint8_t value) {
    std::vector<cairo_surface_t*> held;
    for (double bytes = 1 << 19; bytes >= 1024; bytes *= 0.95) {
        const int width = 256, height = std::max(1, static_cast<int>(bytes / width));
        cairo_surface_t* surface = PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_A8, width, height);
        if (cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS) {
            cairo_surface_flush(surface);
            std::memset(cairo_image_surface_get_data(surface), value,
                        static_cast<std::size_t>(cairo_image_surface_get_stride(surface)) * height);
            cairo_surface_mark_dirty(surface);
        }
        held.push_back(surface);
    }
    for (cairo_surface_t* surface : held) cairo_surface_destroy(surface);
}

TEST(CoverageRasterizer, APlaneReusedFromEarlierDrawingsShowsNothingOfThem) {
    // A coverage plane is not cleared before use: each row clears what it
    // writes and the rest of what is laid down. Two thin turned bars, whose
    // box is mostly empty, drawn on buffers the pool hands back full of
    // coverage, must show only themselves, plain and under a clip of paths.
    struct Case {
        const char* name;
        std::function<void(GraphicsContext&)> clip;
    };
    const Case cases[] = {
        {"unclipped", [](GraphicsContext&) {}},
        {"under a clip of paths",
         [](GraphicsContext& c) {
             Path holed;
             holed.addRect(Rect(-10, -10, 100, 100));
             holed.addRect(Rect(30.5, 30.5, 9, 9));
             c.addPath(holed);
             c.clip(FillRule::evenOdd);
         }},
    };
    const auto bar = [](GraphicsContext& c) {
        Path path;
        path.moveTo({2, 3});
        path.lineTo({5, 1});
        path.lineTo({78, 74});
        path.lineTo({75, 77});
        path.closeSubpath();
        // A second bar beside it: the rows hold two runs with a gap between.
        path.moveTo({22, 3});
        path.lineTo({25, 1});
        path.lineTo({78, 54});
        path.lineTo({75, 57});
        path.closeSubpath();
        c.setFillColor(Color::rgb(0, 0, 1));
        c.addPath(path);
        c.fillPath();
    };
    // At a scale of 3 the planes are too large to be laid down at once:
    // they go band by band.
    for (const int scale : {1, 3}) {
        const int side = 80 * scale;
        for (const Case& c : cases) {
            SCOPED_TRACE(::testing::Message() << c.name << " at scale " << scale);
            const auto make = [&] {
                auto context = bitmap(side, side);
                context->scaleBy(scale, scale);
                return context;
            };
            fillThePool(0);
            auto fresh = make();
            c.clip(*fresh);
            bar(*fresh);
            const auto expected = fresh->makeImage();
            for (int round = 0; round < 3; ++round) {
                fillThePool(0xff);
                auto again = make();
                c.clip(*again);
                bar(*again);
                const auto image = again->makeImage();
                int differing = 0;
                for (int y = 0; y < side; ++y) {
                    for (int x = 0; x < side; ++x) differing += image->pixel(x, y) != expected->pixel(x, y) ? 1 : 0;
                }
                EXPECT_EQ(differing, 0) << "round " << round;
                EXPECT_EQ(pixelAt(*image, 70 * scale, 10 * scale).a, 0);
                EXPECT_EQ(pixelAt(*image, 10 * scale, 70 * scale).a, 0);
            }
        }
    }
}

TEST(CoverageRasterizer, HostilePathsDrawWithinTheBudget) {
    // Points that are not numbers, or lie millions of pixels away, as
    // animations reach them: drawn (by whichever scan converter takes them)
    // without a crash, and nothing at all once the budget is spent.
    const double nan = std::nan("");
    Path notANumber;
    notANumber.moveTo({0, 0});
    notANumber.lineTo({nan, 30});
    notANumber.lineTo({30, nan});
    notANumber.closeSubpath();
    Path zigzag;
    zigzag.moveTo({0, 0});
    for (int i = 0; i < 40'000; ++i) zigzag.lineTo({(i % 2 ? 1 : -1) * 1e9, i * 0.001});
    zigzag.closeSubpath();
    for (const Path* path : {&notANumber, &zigzag}) {
        for (bool stroke : {false, true}) {
            WorkBudget roomy(1e12);
            auto context = bitmap(64, 64);
            {
                const WorkBudget::Activation active(roomy);
                context->setLineWidth(2);
                context->addPath(*path);
                stroke ? context->strokePath() : context->fillPath();
            }
            EXPECT_GT(roomy.used(), 0);
            WorkBudget tight(roomy.used() / 2);
            auto refused = bitmap(64, 64);
            {
                const WorkBudget::Activation active(tight);
                refused->setLineWidth(2);
                refused->addPath(*path);
                stroke ? refused->strokePath() : refused->fillPath();
            }
            const auto alpha = alphaOf(*refused->makeImage());
            EXPECT_EQ(std::count(alpha.begin(), alpha.end(), 0), 64 * 64);
        }
    }
}

}  // namespace
}  // namespace platform::graphics
