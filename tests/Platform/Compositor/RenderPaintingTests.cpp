// Hand-built trees rendered and checked pixel by pixel: blend modes, shadows,
// shapes, gradients, images and custom drawing.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <utility>
#include <vector>

#include "CompositorTestSupport.h"
#include "RenderTestSupport.h"
#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/GaussianBlur.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::Color;
using platform::graphics::LineCap;
using platform::graphics::LineJoin;
using platform::graphics::Path;
using platform::graphics::Size;

class RenderPaintingTest : public CompositorTest {};

TEST_F(RenderPaintingTest, EveryBlendModeAndXorOverABackdrop) {
    // Orange under a blue at 80 %: each value was worked out from the mode's
    // definition, (1 - 0.8) x backdrop + 0.8 x B(backdrop, blue). Plain
    // source-over would give (112, 148, 194), which no mode matches.
    const std::vector<std::pair<const char*, Rgba>> cases = {
        {"multiplyBlendMode", {112, 87, 47, 255}},     {"screenBlendMode", {255, 189, 198, 255}},
        {"overlayBlendMode", {255, 148, 84, 255}},     {"darkenBlendMode", {112, 128, 51, 255}},
        {"lightenBlendMode", {255, 148, 194, 255}},    {"colorDodgeBlendMode", {255, 230, 214, 255}},
        {"colorBurnBlendMode", {255, 59, 33, 255}},    {"hardLightBlendMode", {173, 148, 182, 255}},
        {"softLightBlendMode", {255, 136, 91, 255}},   {"differenceBlendMode", {194, 46, 153, 255}},
        {"exclusionBlendMode", {194, 128, 161, 255}},  {"hueBlendMode", {124, 164, 214, 255}},
        {"saturationBlendMode", {235, 133, 72, 255}},  {"colorBlendMode", {127, 163, 209, 255}},
        {"luminosityBlendMode", {240, 112, 36, 255}},  {"xor", {51, 26, 10, 51}},
    };
    for (const auto& [name, expected] : cases) {
        SCOPED_TRACE(name);
        auto root = makeRoot(4, 4);
        root->addSublayer(makeBox({0, 0, 4, 4}, Color::rgb(1, 0.5, 0.2, 1)));
        auto blended = makeBox({0, 0, 2, 4}, Color::rgb(0.3, 0.6, 0.9, 0.8));
        blended->setCompositingFilter(std::string(name));
        root->addSublayer(blended);
        expectPixels(*renderTree(root, clock->now(), 4, 4), {{1, 1, expected}, {3, 1, {255, 128, 51, 255}}});
    }
}

TEST_F(RenderPaintingTest, ShadowOffsetOpacityColourAndBlur) {
    auto root = makeRoot();
    auto box = makeBox({10, 10, 10, 10}, Color::rgb(1, 0, 0));
    box->setShadowOpacity(0.5);
    box->setShadowColor(Color::rgb(0, 0, 1));
    box->setShadowOffset({0, 5});  // downwards
    box->setShadowRadius(0);
    root->addSublayer(box);
    // The layer covers its own shadow; half-opaque blue shows below it.
    expectPixels(*renderTree(root, clock->now()),
                 {{15, 15, kRed}, {15, 22, {0, 0, 128, 128}}, {15, 26, kClear}, {15, 8, kClear}});

    // Blurred: the shadow's edge softens and spreads past its hard edge.
    box->setShadowRadius(4);
    auto image = renderTree(root, clock->now());
    const int inside = premultipliedAt(*image, 15, 23).a;
    const int edge = premultipliedAt(*image, 15, 25).a;
    const int beyond = premultipliedAt(*image, 15, 27).a;
    EXPECT_TRUE(128 > inside && inside > edge && edge > beyond && beyond > 0)
        << inside << ", " << edge << ", " << beyond;

    // Clipping to the bounds clips the shadow too.
    box->setMasksToBounds(true);
    EXPECT_TRUE(pixelIs(*renderTree(root, clock->now()), 15, 22, kClear));

    // Absurd shadows: the layer is drawn without one.
    box->setMasksToBounds(false);
    using Shadow = std::pair<double, Size>;
    for (const auto& [radius, offset] : {Shadow{1e308, {0, 5}}, Shadow{2, {1e308, 0}}, Shadow{2, {0, INFINITY}}}) {
        box->setShadowRadius(radius);
        box->setShadowOffset(offset);
        EXPECT_TRUE(pixelIs(*renderTree(root, clock->now()), 15, 15, kRed)) << radius << ", " << offset.width;
    }
}

// Wide blurs work on a scaled-down source, and shadows offset from far outside
// the view are drawn from there; either must match the full-resolution blur.
TEST_F(RenderPaintingTest, WideAndDistantShadowsMatchTheFullResolutionBlur) {
    const struct {
        const char* name;
        double boxX, offsetX, radius;
    } cases[] = {{"near and narrow", 40, 10, 8},  {"far and narrow", -90, 130, 8}, {"near and wide", 40, 10, 60},
                 {"far and wide", -90, 130, 60}, {"wider than the view", 40, 0, 400}};
    const auto opaque = platform::graphics::Image::make(20, 20, platform::graphics::Image::Format::argb32Premultiplied,
                                                        std::vector<std::uint8_t>(20 * 20 * 4, 0xff));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto root = makeRoot(100, 100);
        auto box = makeBox({c.boxX, 40, 20, 20}, Color::rgb(1, 0, 0));
        box->setShadowOpacity(1);
        box->setShadowColor(Color::rgb(0, 0, 1));
        box->setShadowOffset({c.offsetX, 0});
        box->setShadowRadius(c.radius);
        root->addSublayer(box);
        const auto image = renderTree(root, clock->now(), 100, 100);
        const auto expected = platform::graphics::GaussianBlur::shadow(*opaque, c.radius, Color::rgb(0, 0, 1));
        const int spread = platform::graphics::GaussianBlur::spread(c.radius);
        for (int x = 0; x < 100; x += 7) {
            for (int y : {50, 62, 75}) {
                if (x >= c.boxX && x < c.boxX + 20 && y < 60) continue;  // the box covers its shadow
                const int sx = x - static_cast<int>(c.boxX + c.offsetX) + spread;
                EXPECT_TRUE(pixelIs(*image, x, y, premultipliedAt(*expected, sx, y - 40 + spread), 3));
            }
        }
    }
}

TEST_F(RenderPaintingTest, ShapesFillStrokeTrimDashCapsAndJoins) {
    Path square;
    square.addRect({10, 10, 20, 20});
    const Path line = polyline({{10, 10}, {30, 10}});
    Path twoLines = polyline({{0, 10}, {20, 10}});
    twoLines.addPath(polyline({{0, 30}, {20, 30}}));
    const Path corner = polyline({{10, 30}, {30, 30}, {30, 10}});
    // About 53 degrees: the miter reaches 2.24 half-widths past the corner.
    const Path sharpCorner = polyline({{10, 35}, {20, 15}, {30, 35}});
    const auto miterLimitedTo = [](double limit) {
        return [limit](ShapeLayer& s) {
            s.setLineWidth(8);
            s.setLineJoin(LineJoin::miter);
            s.setMiterLimit(limit);
        };
    };
    struct Case {
        const char* name;
        const Path& path;
        std::function<void(ShapeLayer&)> style;  // applied to a red stroke of width 4 without fill
        std::vector<PixelCheck> pixels;
    };
    const std::vector<Case> cases = {
        {"the stroke lies over the fill", square, [](ShapeLayer& s) { s.setFillColor(Color::rgb(0, 1, 0)); },
         {{20, 20, kGreen}, {11, 20, kRed}, {9, 20, kRed}, {7, 20, kClear}}},
        {"a trim spans both subpaths", twoLines,
         [](ShapeLayer& s) {
             s.setStrokeStart(0.25);
             s.setStrokeEnd(0.75);
         },
         {{5, 10, kClear}, {15, 10, kRed}, {5, 30, kRed}, {15, 30, kClear}}},
        {"a butt cap ends at the end point", line, {}, {{9, 10, kClear}, {10, 10, kRed}}},
        {"a square cap reaches past it", line, [](ShapeLayer& s) { s.setLineCap(LineCap::square); },
         {{9, 10, kRed}, {8, 8, kRed}}},
        {"dashes of 4 on, 4 off", line, [](ShapeLayer& s) { s.setLineDashPattern({4, 4}); },
         {{12, 10, kRed}, {16, 10, kClear}, {20, 10, kRed}}},
        {"a miter join fills the outer corner", corner, [](ShapeLayer& s) { s.setLineJoin(LineJoin::miter); },
         {{31, 31, kRed}}},
        {"a bevel join cuts it", corner, [](ShapeLayer& s) { s.setLineJoin(LineJoin::bevel); }, {{31, 31, kClear}}},
        {"a sharp miter within the limit keeps its tip", sharpCorner, miterLimitedTo(3), {{20, 9, kRed}}},
        {"a sharp miter past the limit is bevelled", sharpCorner, miterLimitedTo(2), {{20, 9, kClear}, {20, 14, kRed}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto root = makeRoot();
        auto shape = ShapeLayer::make();
        shape->setFrame({0, 0, 40, 40});
        shape->setPath(c.path);
        shape->setFillColor(std::nullopt);
        shape->setStrokeColor(Color::rgb(1, 0, 0));
        shape->setLineWidth(4);
        if (c.style) {
            c.style(*shape);
        }
        root->addSublayer(shape);
        expectPixels(*renderTree(root, clock->now()), c.pixels);
    }
}

TEST_F(RenderPaintingTest, PaddedGradientShowsOnlyWhereItShows) {
    // Padded by 10,000 on every side, as the engines pad gradient layers; the
    // unit points place the gradient's ends at x = 0 and x = 40 of the view.
    auto root = makeRoot();
    auto gradient = GradientLayer::make();
    const double pad = 10000;
    gradient->setFrame({-pad, -pad, 40 + 2 * pad, 40 + 2 * pad});
    const double width = 40 + 2 * pad;
    gradient->setColors(std::vector<Color>{Color::rgb(1, 0, 0), Color::rgb(0, 0, 1)});
    gradient->setStartPoint({pad / width, 0.5});
    gradient->setEndPoint({(pad + 40) / width, 0.5});
    root->addSublayer(gradient);
    expectPixels(*renderTree(root, clock->now()),
                 {{0, 20, kRed, 8}, {20, 20, {128, 0, 128, 255}, 8}, {39, 20, kBlue, 8}});

    // Radial: centred on the start point, reaching the end point's x and y.
    gradient->setType(GradientLayer::Type::radial);
    gradient->setStartPoint({(pad + 20) / width, (pad + 20) / width});
    gradient->setEndPoint({(pad + 40) / width, (pad + 40) / width});
    // Extended past the end.
    expectPixels(*renderTree(root, clock->now()),
                 {{20, 20, kRed, 12}, {30, 20, {128, 0, 128, 255}, 10}, {39, 39, kBlue, 8}});
}

TEST_F(RenderPaintingTest, ImageWithResizeGravity) {
    // Four pixels: red, green / blue, white; stretched over a 20 x 20 layer.
    const auto image = platform::graphics::Image::fromStraightRGBA(
        2, 2, {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255, 255, 255, 255});
    auto root = makeRoot();
    auto layer = Layer::make();
    layer->setFrame({10, 10, 20, 20});
    layer->setContents(image);
    root->addSublayer(layer);
    auto out = renderTree(root, clock->now());
    expectPixels(*out, {{12, 12, kRed}, {27, 12, kGreen}, {12, 27, kBlue}, {8, 8, kClear}});
}

}  // namespace
