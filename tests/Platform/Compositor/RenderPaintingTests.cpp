// Hand-built trees rendered and checked pixel by pixel: blend modes, shadows,
// shapes, gradients, images and custom drawing.

#include <gtest/gtest.h>

#include "CompositorTestSupport.h"
#include "RenderTestSupport.h"
#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/BlendMode.h"
#include "Platform/Graphics/GaussianBlur.h"
#include "Platform/Graphics/GraphicsContext.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::BlendMode;
using platform::graphics::Color;
using platform::graphics::GraphicsContext;
using platform::graphics::LineCap;
using platform::graphics::LineJoin;
using platform::graphics::Path;
using platform::graphics::Rect;

class RenderPaintingTest : public CompositorTest {};

TEST_F(RenderPaintingTest, EveryBlendModeAndXorOverABackdrop) {
    const Color backdrop = Color::rgb(1, 0.5, 0.2, 1);
    const Color top = Color::rgb(0.3, 0.6, 0.9, 0.8);
    const char* names[] = {"multiplyBlendMode",   "screenBlendMode",     "overlayBlendMode",
                           "darkenBlendMode",     "lightenBlendMode",    "colorDodgeBlendMode",
                           "colorBurnBlendMode",  "hardLightBlendMode",  "softLightBlendMode",
                           "differenceBlendMode", "exclusionBlendMode",  "hueBlendMode",
                           "saturationBlendMode", "colorBlendMode",      "luminosityBlendMode",
                           "xor"};
    for (const char* name : names) {
        SCOPED_TRACE(name);
        // What the graphics context itself gives for the mode, drawn directly.
        auto direct = GraphicsContext::makeBitmap(4, 4);
        direct->setFillColor(backdrop);
        direct->fillRect({0, 0, 4, 4});
        direct->setBlendMode(*platform::graphics::blendModeFromName(name));
        direct->setFillColor(top);
        direct->fillRect({0, 0, 2, 4});
        const auto expected = direct->makeImage();

        auto root = makeRoot(4, 4);
        root->addSublayer(makeBox({0, 0, 4, 4}, backdrop));
        auto blended = makeBox({0, 0, 2, 4}, top);
        blended->setCompositingFilter(std::string(name));
        root->addSublayer(blended);
        const auto image = renderTree(root, clock->now(), 4, 4);
        for (int x : {1, 3}) {
            const Rgba want = premultipliedAt(*expected, x, 1);
            EXPECT_TRUE(pixelIs(*image, x, 1, want, 1));
        }
        // The mode actually did something other than plain source-over.
        const Rgba plain{static_cast<int>(255 * (0.3 * 0.8 + 1 * 0.2)), static_cast<int>(255 * (0.6 * 0.8 + 0.5 * 0.2)),
                         static_cast<int>(255 * (0.9 * 0.8 + 0.2 * 0.2)), 255};
        EXPECT_FALSE(pixelIs(*image, 1, 1, plain, 1));
    }
    // Xor of two opaque areas leaves nothing.
    auto root = makeRoot(4, 4);
    root->addSublayer(makeBox({0, 0, 4, 4}, Color::rgb(0, 0, 1)));
    auto hole = makeBox({0, 0, 2, 4}, Color::rgb(1, 0, 0));
    hole->setCompositingFilter(std::string("xor"));
    root->addSublayer(hole);
    const auto image = renderTree(root, clock->now(), 4, 4);
    EXPECT_TRUE(pixelIs(*image, 1, 1, kClear));
    EXPECT_TRUE(pixelIs(*image, 3, 1, kBlue));
}

TEST_F(RenderPaintingTest, ShadowOffsetOpacityColourAndBlur) {
    auto root = makeRoot();
    auto box = makeBox({10, 10, 10, 10}, Color::rgb(1, 0, 0));
    box->setShadowOpacity(0.5);
    box->setShadowColor(Color::rgb(0, 0, 1));
    box->setShadowOffset({0, 5});  // downwards
    box->setShadowRadius(0);
    root->addSublayer(box);
    auto image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 15, 15, kRed)) << "the layer covers its own shadow";
    EXPECT_TRUE(pixelIs(*image, 15, 22, {0, 0, 128, 128})) << "half-opaque blue below";
    EXPECT_TRUE(pixelIs(*image, 15, 26, kClear));
    EXPECT_TRUE(pixelIs(*image, 15, 8, kClear));

    // Blurred: the shadow's edge softens and spreads past its hard edge.
    box->setShadowRadius(4);
    image = renderTree(root, clock->now());
    const Rgba inside = premultipliedAt(*image, 15, 23);
    const Rgba edge = premultipliedAt(*image, 15, 25);
    const Rgba beyond = premultipliedAt(*image, 15, 27);
    EXPECT_GT(inside.a, edge.a);
    EXPECT_GT(edge.a, beyond.a);
    EXPECT_GT(beyond.a, 0);
    EXPECT_LT(inside.a, 128);

    // Clipping to the bounds clips the shadow too.
    box->setMasksToBounds(true);
    image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 15, 22, kClear));
}

TEST_F(RenderPaintingTest, AbsurdShadowsDrawTheLayerWithoutOne) {
    struct Case {
        const char* name;
        double radius;
        platform::graphics::Size offset;
    };
    const Case cases[] = {{"huge blur", 1e308, {0, 5}},
                          {"huge offset", 2, {1e308, 0}},
                          {"infinite offset", 2, {0, INFINITY}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto root = makeRoot();
        auto box = makeBox({10, 10, 10, 10}, Color::rgb(1, 0, 0));
        box->setShadowOpacity(1);
        box->setShadowColor(Color::rgb(0, 0, 1));
        box->setShadowOffset(c.offset);
        box->setShadowRadius(c.radius);
        root->addSublayer(box);
        auto image = renderTree(root, clock->now());
        EXPECT_TRUE(pixelIs(*image, 15, 15, kRed));
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

TEST_F(RenderPaintingTest, ShapeFillThenStroke) {
    auto root = makeRoot();
    auto shape = ShapeLayer::make();
    shape->setFrame({0, 0, 40, 40});
    Path square;
    square.addRect({10, 10, 20, 20});
    shape->setPath(square);
    shape->setFillColor(Color::rgb(0, 1, 0));
    shape->setStrokeColor(Color::rgb(1, 0, 0));
    shape->setLineWidth(4);
    root->addSublayer(shape);
    auto image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 20, 20, kGreen));
    EXPECT_TRUE(pixelIs(*image, 11, 20, kRed)) << "the stroke lies over the fill";
    EXPECT_TRUE(pixelIs(*image, 9, 20, kRed));
    EXPECT_TRUE(pixelIs(*image, 7, 20, kClear));
    shape->setFillColor(std::nullopt);
    image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 20, 20, kClear));
}

TEST_F(RenderPaintingTest, TrimSpansTwoSubpaths) {
    auto root = makeRoot();
    auto shape = ShapeLayer::make();
    shape->setFrame({0, 0, 40, 40});
    Path lines;
    lines.moveTo({0, 10});
    lines.lineTo({20, 10});
    lines.moveTo({0, 30});
    lines.lineTo({20, 30});
    shape->setPath(lines);
    shape->setFillColor(std::nullopt);
    shape->setStrokeColor(Color::rgb(1, 0, 0));
    shape->setLineWidth(2);
    shape->setStrokeStart(0.25);
    shape->setStrokeEnd(0.75);
    root->addSublayer(shape);
    const auto image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 5, 10, kClear));
    EXPECT_TRUE(pixelIs(*image, 15, 10, kRed));
    EXPECT_TRUE(pixelIs(*image, 5, 30, kRed));
    EXPECT_TRUE(pixelIs(*image, 15, 30, kClear));
}

TEST_F(RenderPaintingTest, DashCapsAndJoins) {
    auto root = makeRoot();
    auto shape = ShapeLayer::make();
    shape->setFrame({0, 0, 40, 40});
    Path line;
    line.moveTo({10, 10});
    line.lineTo({30, 10});
    shape->setPath(line);
    shape->setFillColor(std::nullopt);
    shape->setStrokeColor(Color::rgb(1, 0, 0));
    shape->setLineWidth(4);
    root->addSublayer(shape);
    // Butt caps end at the end point; square and round caps reach past it.
    auto image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 9, 10, kClear));
    EXPECT_TRUE(pixelIs(*image, 10, 10, kRed));
    shape->setLineCap(LineCap::square);
    image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 9, 10, kRed));
    EXPECT_TRUE(pixelIs(*image, 8, 8, kRed));
    shape->setLineCap(LineCap::round);
    image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 9, 9, kRed));
    EXPECT_LT(premultipliedAt(*image, 8, 8).a, 128) << "a round cap leaves the corner mostly empty";

    // Dashes of 4 on, 4 off from the start.
    shape->setLineCap(LineCap::butt);
    shape->setLineDashPattern({4, 4});
    image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 12, 10, kRed));
    EXPECT_TRUE(pixelIs(*image, 16, 10, kClear));
    EXPECT_TRUE(pixelIs(*image, 20, 10, kRed));
    shape->setLineDashPhase(4);
    image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 12, 10, kClear));

    // A right-angle corner: a miter join fills the outer corner, a bevel cuts it.
    Path corner;
    corner.moveTo({10, 30});
    corner.lineTo({30, 30});
    corner.lineTo({30, 10});
    shape->setPath(corner);
    shape->setLineDashPattern({});
    shape->setLineJoin(LineJoin::miter);
    image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 31, 31, kRed));
    shape->setLineJoin(LineJoin::bevel);
    image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 31, 31, kClear));
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
    const auto image = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*image, 0, 20, kRed, 8));
    EXPECT_TRUE(pixelIs(*image, 20, 20, {128, 0, 128, 255}, 8));
    EXPECT_TRUE(pixelIs(*image, 39, 20, kBlue, 8));

    // Radial: centred on the start point, reaching the end point's x and y.
    gradient->setType(GradientLayer::Type::radial);
    gradient->setStartPoint({(pad + 20) / width, (pad + 20) / width});
    gradient->setEndPoint({(pad + 40) / width, (pad + 40) / width});
    const auto radial = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*radial, 20, 20, kRed, 12));
    EXPECT_TRUE(pixelIs(*radial, 30, 20, {128, 0, 128, 255}, 10));
    EXPECT_TRUE(pixelIs(*radial, 39, 39, kBlue, 8)) << "extended past the end";
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
    EXPECT_TRUE(pixelIs(*out, 12, 12, kRed));
    EXPECT_TRUE(pixelIs(*out, 27, 12, kGreen));
    EXPECT_TRUE(pixelIs(*out, 12, 27, kBlue));
    EXPECT_TRUE(pixelIs(*out, 27, 27, {255, 255, 255, 255}));
    EXPECT_TRUE(pixelIs(*out, 8, 8, kClear));
    // Centred at its own size (2 points at scale 1).
    layer->setContentsGravity(ContentsGravity::center);
    out = renderTree(root, clock->now());
    EXPECT_TRUE(pixelIs(*out, 19, 19, kRed));
    EXPECT_TRUE(pixelIs(*out, 12, 12, kClear));
}

// A layer that draws a red square and counts its drawings.
class DrawingLayer : public Layer {
public:
    void draw(GraphicsContext& context) override {
        ++draws;
        context.setFillColor(Color::rgb(1, 0, 0));
        context.fillRect({0, 0, 5, 5});
    }
    int draws = 0;
};

TEST_F(RenderPaintingTest, CustomDrawnLayerRedrawsOnlyWhenAsked) {
    auto root = makeRoot();
    auto layer = std::make_shared<DrawingLayer>();
    layer->setFrame({10, 10, 10, 10});
    layer->setContentsScale(2);
    layer->setNeedsDisplay();
    root->addSublayer(layer);
    auto image = renderTree(root, clock->now());
    EXPECT_EQ(layer->draws, 1);
    ASSERT_TRUE(layer->contents());
    EXPECT_EQ(layer->contents()->width(), 20) << "bounds times contents scale";
    EXPECT_TRUE(pixelIs(*image, 12, 12, kRed));
    EXPECT_TRUE(pixelIs(*image, 17, 17, kClear));
    renderTree(root, clock->now());
    renderTree(root, clock->now());
    EXPECT_EQ(layer->draws, 1);
    layer->setNeedsDisplay();
    renderTree(root, clock->now());
    EXPECT_EQ(layer->draws, 2);
    // A plain layer asked to display keeps its contents.
    auto plain = Layer::make();
    plain->setBounds({0, 0, 4, 4});
    plain->setContents(layer->contents());
    plain->display();
    EXPECT_EQ(plain->contents(), layer->contents());
}

}  // namespace
