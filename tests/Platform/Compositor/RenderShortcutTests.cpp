// The renderer's shortcuts past intermediate surfaces, each checked against the
// surface it saves: the pixels must be those the surface gives, and the
// surface must really be saved (counted in the frame's budget).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

#include "CompositorTestSupport.h"
#include "RenderTestSupport.h"
#include "Platform/Compositor/GradientLayer.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/LayerGeometry.h"
#include "Platform/Compositor/LayerPainter.h"
#include "Platform/Compositor/RenderBudget.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/PixelBufferPool.h"
#include "Platform/Graphics/WorkBudget.h"

namespace {

using namespace platform::compositor;
using namespace compositortest;
using platform::graphics::Color;
using platform::graphics::Image;
using platform::graphics::Path;
using platform::graphics::Rect;
using platform::graphics::Transform3D;

class RenderShortcutTest : public CompositorTest {};

// A rendered tree with the intermediate surfaces its frame took.
struct Rendered {
    std::shared_ptr<const Image> image;
    std::size_t surfaces = 0;
};

Rendered renderCounting(const std::shared_ptr<Layer>& root, double time) {
    RenderBudget budget(40.0 * 40);
    const RenderBudget::Activation activation(budget);
    Rendered rendered;
    rendered.image = renderTree(root, time);
    rendered.surfaces = RenderBudget::maximumSurfaceCount - budget.surfacesLeft();
    return rendered;
}

// The largest difference of any premultiplied channel of any pixel.
int maximumDifference(const Image& a, const Image& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const Rgba p = premultipliedAt(a, x, y), q = premultipliedAt(b, x, y);
            worst = std::max({worst, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b),
                              std::abs(p.a - q.a)});
        }
    }
    return worst;
}

int coveredPixels(const Image& image) {
    int covered = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) covered += premultipliedAt(image, x, y).a > 0 ? 1 : 0;
    }
    return covered;
}

std::shared_ptr<ShapeLayer> makeShape(const Path& path, std::optional<Color> fill, std::optional<Color> stroke = {}) {
    auto shape = ShapeLayer::make();
    shape->setAnchorPoint({0, 0});
    shape->setBounds({0, 0, 40, 40});
    shape->setPath(path);
    shape->setFillColor(fill);
    shape->setStrokeColor(stroke);
    shape->setLineWidth(4);
    return shape;
}

Path circle(double x, double y, double radius) {
    Path path;
    path.addEllipse({x - radius, y - radius, 2 * radius, 2 * radius});
    return path;
}

// Rounds the stroke's ends, dashes it by `dash` from `phase`, and trims it to
// 10-85 % of its length.
void dashAndTrim(ShapeLayer& shape, std::vector<double> dash, double phase) {
    shape.setLineCap(platform::graphics::LineCap::round);
    shape.setLineDashPattern(std::move(dash));
    shape.setLineDashPhase(phase);
    shape.setStrokeStart(0.1);
    shape.setStrokeEnd(0.85);
}

// Two overlapping drawings (a group of their own) under `mask`, drawn as they
// are, then once more with a visible sublayer that draws nothing added to the
// mask: that leaves the mask's alpha as it was but makes it more than one
// drawing, so that it goes through a buffer.
std::pair<Rendered, Rendered> drawnWithAndWithoutShortcut(const std::shared_ptr<Layer>& mask, double time) {
    auto root = makeRoot();
    auto layer = makeBox({1, 1, 38, 38}, Color::rgb(0.2, 0.4, 0.9));
    layer->addSublayer(makeBox({10, 5, 20, 30}, Color::rgb(0.9, 0.1, 0.1, 0.7)));
    layer->setMask(mask);
    root->addSublayer(layer);
    Rendered shortcut = renderCounting(root, time);
    mask->addSublayer(Layer::make());
    return {std::move(shortcut), renderCounting(root, time)};
}

TEST_F(RenderShortcutTest, OpacityOfOneDrawingIsItsAlphaWithTheGroupsPixels) {
    const Color red = Color::rgb(1, 0, 0);
    struct Case {
        const char* name;
        // The layer whose contents are one drawing, and a pixel inside that drawing.
        std::function<std::shared_ptr<Layer>()> make;
        int probeX, probeY;
        // The groups the frame takes all the same.
        std::size_t surfaces = 0;
    };
    const Case cases[] = {
        {"a filled circle", [&] { return makeShape(circle(20, 20, 13.3), Color::rgb(0.2, 0.3, 0.7)); }, 20, 20},
        {"a stroked circle",
         [&] { return makeShape(circle(20, 20, 13.3), std::nullopt, Color::rgb(0.1, 0.2, 0.3, 0.9)); }, 20, 7},
        {"a background", [&] { return makeBox({5.5, 7.25, 20, 21}, Color::rgb(0.6, 1, 0.1, 0.8)); }, 15, 15},
        {"an image",
         [&] {
             auto layer = makeBox({4, 4, 30, 30}, red);
             layer->setBackgroundColor(std::nullopt);
             std::vector<std::uint8_t> pixels(3 * 3 * 4);
             for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 20 % 256 | 0x0f);
             for (std::size_t i = 3; i < pixels.size(); i += 4) pixels[i] = 0xff;
             layer->setContents(Image::make(3, 3, Image::Format::argb32Premultiplied, pixels));
             return layer;
         },
         20, 20},
        {"a gradient",
         [&] {
             auto gradient = GradientLayer::make();
             gradient->setFrame({3, 3, 30, 30});
             gradient->setColors(std::vector<Color>{red, Color::rgb(0, 0, 1, 0.5)});
             return std::shared_ptr<Layer>(gradient);
         },
         20, 20},
        {"a chain of single sublayers, turned and clipped",
         [&] {
             auto top = makeBox({0, 0, 40, 40}, red);
             top->setBackgroundColor(std::nullopt);
             auto middle = makeBox({2, 2, 36, 36}, red);
             middle->setBackgroundColor(std::nullopt);
             middle->setMasksToBounds(true);
             middle->setTransform(Transform3D::makeRotation(0.4, 0, 0, 1));
             middle->addSublayer(makeShape(circle(20, 20, 19), Color::rgb(0.9, 0.5, 0.1)));
             auto hidden = makeBox({0, 0, 40, 40}, red);
             hidden->setHidden(true);
             top->addSublayer(hidden);
             top->addSublayer(middle);
             return top;
         },
         20, 20},
        // A gradient that reaches far past the shape it fills, drawn through
        // the shape's path as a mask: the mask only clips the one drawing.
        {"a gradient through an opaque filled path, a sublayer down",
         [&] {
             auto top = makeBox({0, 0, 40, 40}, red);
             top->setBackgroundColor(std::nullopt);
             auto masked = makeBox({0, 0, 40, 40}, red);
             masked->setBackgroundColor(std::nullopt);
             masked->setMask(makeShape(circle(20, 20, 13.3), Color::rgb(0, 0, 0)));
             auto gradient = GradientLayer::make();
             gradient->setFrame({-400, -400, 840, 840});
             gradient->setColors(std::vector<Color>{red, Color::rgb(0, 0, 1, 0.5)});
             masked->addSublayer(gradient);
             top->addSublayer(masked);
             return top;
         },
         20, 20},
        // The sublayer's opacity would round a second time: the top keeps its
        // group, and the sublayer draws as one drawing inside it.
        {"a chain with a half-opaque sublayer",
         [&] {
             auto top = makeBox({0, 0, 40, 40}, red);
             top->setBackgroundColor(std::nullopt);
             auto shape = makeShape(circle(20, 20, 13.3), red);
             shape->setOpacity(0.6);
             top->addSublayer(shape);
             return top;
         },
         20, 20, 1},
    };
    for (const Case& test : cases) {
        for (const double opacity : {0.5, 0.3, 0.02}) {
            SCOPED_TRACE(testing::Message() << test.name << " at " << opacity);
            auto root = makeRoot();
            auto layer = test.make();
            layer->setOpacity(opacity);
            root->addSublayer(layer);
            const Rendered alone = renderCounting(root, clock->now());
            // A visible sublayer that draws nothing changes no pixel but makes
            // the contents more than one drawing: they are grouped.
            layer->addSublayer(Layer::make());
            const Rendered grouped = renderCounting(root, clock->now());
            ASSERT_TRUE(alone.image && grouped.image);
            EXPECT_EQ(alone.surfaces, test.surfaces);
            EXPECT_EQ(grouped.surfaces, 1u);
            // Exact inside the drawing, within rounding at its antialiased edges.
            EXPECT_TRUE(pixelIs(*alone.image, test.probeX, test.probeY,
                                premultipliedAt(*grouped.image, test.probeX, test.probeY), 0));
            EXPECT_LE(maximumDifference(*alone.image, *grouped.image), 2);
            EXPECT_GT(coveredPixels(*alone.image), 100);
        }
    }
}

TEST_F(RenderShortcutTest, ContentsOfSeveralDrawingsAreStillCompositedAsOne) {
    // Each case draws red twice over the pixel (20, 20) under a half-opaque
    // layer: grouped, the pixel is half red; blended drawing by drawing it
    // would be three quarters. A sublayer's blend mode applies within the
    // group, over nothing, so that it leaves red red.
    const Color red = Color::rgb(1, 0, 0);
    const Rgba halfRed{128, 0, 0, 128};
    struct Case {
        const char* name;
        std::function<void(Layer& root, Layer& layer)> fill;
        Rgba expected;
    };
    const Case cases[] = {
        {"two overlapping shapes",
         [&](Layer&, Layer& layer) {
             layer.addSublayer(makeShape(circle(15, 20, 10), red));
             layer.addSublayer(makeShape(circle(25, 20, 10), red));
         },
         halfRed},
        {"a shape's fill and stroke",
         [&](Layer&, Layer& layer) {
             layer.addSublayer(makeShape(polyline({{5, 20}, {35, 20}, {35, 30}, {5, 30}, {5, 20}}), red, red));
         },
         halfRed},
        {"a background under a sublayer",
         [&](Layer&, Layer& layer) {
             layer.setBackgroundColor(red);
             layer.addSublayer(makeBox({10, 10, 20, 20}, red));
         },
         halfRed},
        {"two shapes a sublayer down",
         [&](Layer&, Layer& layer) {
             auto middle = makeBox({0, 0, 40, 40}, red);
             middle->setBackgroundColor(std::nullopt);
             middle->addSublayer(makeShape(circle(15, 20, 10), red));
             middle->addSublayer(makeShape(circle(25, 20, 10), red));
             layer.addSublayer(middle);
         },
         halfRed},
        {"a multiplying shape over a blue backdrop",
         [&](Layer& root, Layer& layer) {
             root.insertSublayer(makeBox({0, 0, 40, 40}, Color::rgb(0, 0, 1)), 0);
             auto shape = makeShape(circle(20, 20, 10), red);
             shape->setCompositingFilter("multiplyBlendMode");
             layer.addSublayer(shape);
         },
         {128, 0, 127, 255}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot();
        auto layer = makeBox({0, 0, 40, 40}, red);
        layer->setBackgroundColor(std::nullopt);
        layer->setOpacity(0.5);
        root->addSublayer(layer);
        test.fill(*root, *layer);
        const auto image = renderTree(root, clock->now());
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelIs(*image, 20, 20, test.expected));
    }
}

TEST_F(RenderShortcutTest, AMaskOfOneOpaqueFillClipsByItsPathWithTheBuffersPixels) {
    const Color opaque = Color::rgb(0, 0, 0);
    // A plane larger than any layer with `cut` as its hole, filled even-odd.
    const auto hole = [&](const Path& cut) {
        Path path;
        path.addRect({-1e7, -1e7, 2e7, 2e7});
        path.addPath(cut);
        auto shape = makeShape(path, Color::rgb(0, 1, 0));
        shape->setFillRule(platform::graphics::FillRule::evenOdd);
        return shape;
    };
    const auto empty = [&](const Rect& frame) {
        auto layer = makeBox(frame, opaque);
        layer->setBackgroundColor(std::nullopt);
        return layer;
    };
    struct Case {
        const char* name;
        // The mask, in the masked layer's coordinates.
        std::function<std::shared_ptr<Layer>()> make;
        // Pixels of the masked layer the mask must take away.
        std::vector<std::pair<int, int>> cutAway = {};
    };
    const Case cases[] = {
        {"a circle", [&] { return makeShape(circle(20, 20, 13.3), opaque); }},
        {"a plane with a hole, even-odd", [&] { return hole(circle(18, 21, 9.6)); }},
        {"a turned, scaled chain",
         [&] {
             auto top = makeBox({3, 2, 30, 30}, opaque);
             top->setBackgroundColor(std::nullopt);
             top->setTransform(Transform3D::makeRotation(0.5, 0, 0, 1));
             auto middle = makeBox({0, 0, 30, 30}, opaque);
             middle->setBackgroundColor(std::nullopt);
             middle->setSublayerTransform(Transform3D::makeScale(1.3, 0.7, 1));
             middle->addSublayer(makeBox({0, 0, 5, 5}, opaque));
             middle->sublayers().front()->setHidden(true);
             middle->addSublayer(makeShape(circle(15, 15, 11), opaque));
             top->addSublayer(middle);
             return top;
         }},
        {"a moving circle",
         [&] {
             auto shape = makeShape(circle(20, 20, 10), opaque);
             shape->addAnimation(basicAnimation("position", platform::graphics::Point{0, 0},
                                                platform::graphics::Point{10, 4}, 2),
                                 "move");
             return shape;
         }},
        // Masks that cut others are built as a chain: a layer whose mask is
        // the cutting path holds what was built before it. The mask is then
        // the fill cut by each path, and clips by them all.
        {"a square with a hole",
         [&] {
             auto top = empty({0, 0, 40, 40});
             auto cut = empty({0, 0, 40, 40});
             cut->setMask(hole(circle(20, 20, 7.3)));
             cut->addSublayer(makeShape(polyline({{4, 4}, {36, 4}, {36, 36}, {4, 36}, {4, 4}}), opaque));
             top->addSublayer(cut);
             return top;
         },
         {{20, 20}}},
        {"cut twice, one cut inside the other",
         [&] {
             auto top = empty({0, 0, 40, 40});
             auto outer = empty({0, 0, 40, 40});
             outer->setMask(makeShape(circle(14, 20, 12.2), opaque));
             auto inner = empty({0, 0, 40, 40});
             inner->setMask(hole(circle(12, 12, 4.6)));
             inner->addSublayer(makeShape(circle(20, 20, 16.5), opaque));
             outer->addSublayer(inner);
             top->addSublayer(outer);
             return top;
         },
         {{12, 12}, {33, 20}}},
        // Each cut lies in the space of the layer it masks, wherever that
        // layer and its mask are placed, turned or scaled.
        {"placed, turned and scaled layers",
         [&] {
             auto top = empty({2, 1, 36, 36});
             top->setSublayerTransform(Transform3D::makeScale(1.2, 0.9, 1));
             auto cut = empty({3, 4, 28, 30});
             cut->setTransform(Transform3D::makeRotation(0.4, 0, 0, 1));
             auto mask = hole(circle(9, 8, 5.1));
             mask->setFrame({4.5, 5, 40, 40});
             mask->setTransform(Transform3D::makeScale(1.3, 1.1, 1));
             cut->setMask(mask);
             cut->addSublayer(makeShape(circle(14, 15, 13), opaque));
             top->addSublayer(cut);
             return top;
         },
         {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto [clipped, buffered] = drawnWithAndWithoutShortcut(test.make(), clock->now() + 1);
        ASSERT_TRUE(clipped.image && buffered.image);
        EXPECT_EQ(clipped.surfaces, 1u);
        EXPECT_EQ(buffered.surfaces, 2u);
        EXPECT_LE(maximumDifference(*clipped.image, *buffered.image), 1);
        EXPECT_GT(coveredPixels(*clipped.image), 100);
        for (const auto& [x, y] : test.cutAway) EXPECT_TRUE(pixelIs(*clipped.image, x, y, kClear, 0));
    }
}

TEST_F(RenderShortcutTest, AMaskDrawnApartTakesCoverageAloneOverWhatItCovers) {
    // A masked layer that draws in the corner of a large view: its mask (two
    // drawings, so drawn apart) takes a byte a pixel over the layer's 20 x 20
    // pixels, and becomes the clip as it is, with no plane over the whole view.
    constexpr int side = 200;
    struct Case {
        const char* name;
        std::function<std::shared_ptr<Layer>()> make;
    };
    const Case cases[] = {
        {"a mask as large as the layer",
         [&] {
             auto layer = makeBox({170, 170, 20, 20}, Color::rgb(1, 0, 0));
             auto mask = makeBox({0, 0, 20, 20}, Color::rgb(0, 0, 0, 0.5));
             mask->addSublayer(makeBox({10, 0, 10, 20}, Color::rgb(0, 0, 0, 0.5)));
             layer->setMask(mask);
             return layer;
         }},
        // A matte as large as the view, over a layer as large whose contents
        // are only the box: the mask is drawn only where they can show.
        {"a mask over the whole view",
         [&] {
             auto layer = makeBox({0, 0, side, side}, Color::rgb(1, 0, 0));
             layer->setBackgroundColor(std::nullopt);
             layer->addSublayer(makeBox({170, 170, 20, 20}, Color::rgb(1, 0, 0)));
             auto mask = makeBox({0, 0, side, side}, Color::rgb(0, 0, 0, 0.5));
             mask->addSublayer(makeBox({180, 0, 20, side}, Color::rgb(0, 0, 0, 0.5)));
             layer->setMask(mask);
             return layer;
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot(side, side);
        root->addSublayer(test.make());
        const auto& pool = platform::graphics::PixelBufferPool::shared();
        const std::size_t before = pool.clearedBytes();
        const auto image = renderTree(root, clock->now(), side, side);
        const std::size_t cleared = pool.clearedBytes() - before;
        ASSERT_TRUE(image);
        expectPixels(*image,
                     {{175, 180, {128, 0, 0, 128}}, {185, 180, {191, 0, 0, 191}}, {165, 180, kClear}, {20, 20, kClear}});
        // The view itself, then the mask and the layer's group: at most a byte
        // and four bytes a pixel over the layer's pixels, counted with a pixel
        // more on each side for its antialiased edges and rows of whole words.
        const std::size_t view = std::size_t{side} * side * 4, layerPixels = 22 * 24;
        EXPECT_GE(cleared, view);
        EXPECT_LE(cleared, view + layerPixels * (1 + 4));
    }
}

TEST_F(RenderShortcutTest, AMaskOfOneOpaqueStrokeIsStrokedIntoThePixelMaskWithTheBuffersPixels) {
    const Color opaque = Color::rgb(0, 0, 0);
    struct Case {
        const char* name;
        // The mask, in the masked layer's coordinates.
        std::function<std::shared_ptr<Layer>()> make;
    };
    const auto stroke = [&](const Path& path) {
        auto shape = makeShape(path, std::nullopt, opaque);
        shape->setLineWidth(5.5);
        return shape;
    };
    const Case cases[] = {
        {"a circle", [&] { return stroke(circle(20, 20, 13.3)); }},
        {"a dashed, trimmed line with round ends",
         [&] {
             auto shape = stroke(polyline({{4, 6}, {36, 12}, {8, 34}}));
             dashAndTrim(*shape, {6, 3}, 2);
             return shape;
         }},
        // The line width is the shape's: stretched and turned with it.
        {"a turned, unevenly scaled chain",
         [&] {
             auto top = makeBox({3, 2, 30, 30}, opaque);
             top->setBackgroundColor(std::nullopt);
             top->setTransform(Transform3D::makeRotation(0.5, 0, 0, 1));
             auto middle = makeBox({0, 0, 30, 30}, opaque);
             middle->setBackgroundColor(std::nullopt);
             middle->setSublayerTransform(Transform3D::makeScale(1.6, 0.6, 1));
             middle->addSublayer(stroke(circle(12, 15, 9)));
             top->addSublayer(middle);
             return top;
         }},
        {"a moving circle",
         [&] {
             auto shape = stroke(circle(20, 20, 10));
             shape->addAnimation(basicAnimation("position", platform::graphics::Point{0, 0},
                                                platform::graphics::Point{10, 4}, 2),
                                 "move");
             return shape;
         }},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        // A stroke that does not animate is drawn into a buffer, where its
        // picture can be kept: one that changes nothing makes it animate.
        auto mask = test.make();
        mask->addAnimation(basicAnimation("opacity", 1.0, 1.0, 10), "still");
        const auto [stroked, buffered] = drawnWithAndWithoutShortcut(mask, clock->now() + 1);
        ASSERT_TRUE(stroked.image && buffered.image);
        EXPECT_EQ(stroked.surfaces, buffered.surfaces);
        EXPECT_LE(maximumDifference(*stroked.image, *buffered.image), 1);
        EXPECT_GT(coveredPixels(*stroked.image), 60);
    }
}

TEST_F(RenderShortcutTest, OneAnimatedDrawingThroughAPixelMaskNeedsNoGroup) {
    // Layers whose contents are one drawing that animates, under a mask that
    // is not one filled path (a box drawn into a buffer): laid down through
    // the mask drawing by drawing, they show what a group of them shows
    // through it. Contents that do not animate keep their group, where their
    // picture can be kept from frame to frame.
    const Color red = Color::rgb(1, 0, 0);
    struct Case {
        const char* name;
        std::function<std::shared_ptr<Layer>()> make;
        double opacity;
    };
    const Case cases[] = {
        {"a half-opaque fill", [&] { return makeShape(circle(20, 20, 13.3), Color::rgb(0.2, 0.3, 0.7)); }, 0.5},
        {"a gradient at partial opacity",
         [&] {
             auto gradient = GradientLayer::make();
             gradient->setFrame({3, 3, 30, 30});
             gradient->setColors(std::vector<Color>{red, Color::rgb(0, 0, 1, 0.5)});
             return std::shared_ptr<Layer>(gradient);
         },
         0.3},
        // The sublayer's opacity is its own: the opaque layer above it needs
        // no group to lay it down through the mask.
        {"an opaque layer over a half-opaque gradient",
         [&] {
             auto top = makeBox({0, 0, 40, 40}, red);
             top->setBackgroundColor(std::nullopt);
             auto gradient = GradientLayer::make();
             gradient->setFrame({3, 3, 30, 30});
             gradient->setType(GradientLayer::Type::radial);
             gradient->setColors(std::vector<Color>{red, Color::rgb(0, 1, 0, 0.8)});
             gradient->setStartPoint({0.5, 0.5});
             gradient->setEndPoint({1, 1});
             gradient->setOpacity(0.6);
             top->addSublayer(gradient);
             return top;
         },
         1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot();
        root->addSublayer(makeBox({0, 0, 40, 40}, Color::rgb(0.1, 0.8, 0.3)));
        auto layer = test.make();
        layer->setOpacity(test.opacity);
        auto mask = makeBox({6.5, 4.25, 24, 27}, Color::rgb(0, 0, 0, 0.8));
        layer->setMask(mask);
        root->addSublayer(layer);
        EXPECT_EQ(renderCounting(root, clock->now()).surfaces, 2u);
        // An animation that changes nothing.
        layer->addAnimation(basicAnimation("opacity", test.opacity, test.opacity, 10), "still");
        const Rendered alone = renderCounting(root, clock->now());
        // A visible sublayer that draws nothing makes the contents more than
        // one drawing: they are grouped.
        layer->addSublayer(Layer::make());
        const Rendered grouped = renderCounting(root, clock->now());
        ASSERT_TRUE(alone.image && grouped.image);
        EXPECT_EQ(alone.surfaces, 1u);
        EXPECT_EQ(grouped.surfaces, 2u);
        EXPECT_LE(maximumDifference(*alone.image, *grouped.image), 2);
    }
}

TEST_F(RenderShortcutTest, OneDrawingThroughAPathNeedsNoGroup) {
    // A whole layer whose mask is one opaque filled path, its contents one
    // drawing with opacities of its own: clipped to the path, the drawing
    // shows what a group of it shows through the path, still or animated.
    const Color red = Color::rgb(1, 0, 0);
    struct Case {
        const char* name;
        std::function<std::shared_ptr<Layer>()> make;
        bool animated;
    };
    const auto halfOpaqueGradient = [&] {
        auto top = makeBox({0, 0, 40, 40}, red);
        top->setBackgroundColor(std::nullopt);
        auto gradient = GradientLayer::make();
        gradient->setFrame({3, 3, 30, 30});
        gradient->setColors(std::vector<Color>{red, Color::rgb(0, 1, 0, 0.8)});
        gradient->setOpacity(0.6);
        top->addSublayer(gradient);
        return top;
    };
    const Case cases[] = {
        {"a half-opaque shape", [&] {
             auto shape = makeShape(circle(20, 20, 15), Color::rgb(0.2, 0.3, 0.7));
             shape->setOpacity(0.5);
             auto top = makeBox({0, 0, 40, 40}, red);
             top->setBackgroundColor(std::nullopt);
             top->addSublayer(shape);
             return top;
         }, false},
        {"a half-opaque gradient", halfOpaqueGradient, false},
        {"a half-opaque gradient, animated", halfOpaqueGradient, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot();
        root->addSublayer(makeBox({0, 0, 40, 40}, Color::rgb(0.1, 0.8, 0.3)));
        auto layer = test.make();
        layer->setMask(makeShape(circle(19, 21, 11.6), Color::rgb(0, 0, 0)));
        if (test.animated) {
            // An animation that changes nothing.
            layer->addAnimation(basicAnimation("opacity", 1.0, 1.0, 10), "still");
        }
        root->addSublayer(layer);
        const Rendered alone = renderCounting(root, clock->now());
        // A visible sublayer that draws nothing makes the contents more than
        // one drawing: they are grouped.
        layer->addSublayer(Layer::make());
        const Rendered grouped = renderCounting(root, clock->now());
        ASSERT_TRUE(alone.image && grouped.image);
        EXPECT_EQ(alone.surfaces, 0u);
        EXPECT_EQ(grouped.surfaces, 1u);
        EXPECT_TRUE(pixelIs(*alone.image, 20, 20, premultipliedAt(*grouped.image, 20, 20), 0));
        EXPECT_LE(maximumDifference(*alone.image, *grouped.image), 2);
    }
}

// A root of 200 points holding a layer of its size masked by `mask`, the
// layer holding one gradient layer of `type` in `frame`, turned and scaled
// by `chain`, with the colours and points the gradient shortcuts are tried on.
struct MaskedGradient {
    std::shared_ptr<Layer> root;
    std::shared_ptr<GradientLayer> gradient;
};
MaskedGradient gradientMaskedBy(GradientLayer::Type type, const Rect& frame, const Transform3D& chain,
                                const std::shared_ptr<Layer>& mask) {
    auto gradient = GradientLayer::make();
    gradient->setFrame(frame);
    gradient->setColors(std::vector<Color>{Color::rgb(1, 0, 0), Color::rgb(0, 0.5, 1), Color::rgb(0.2, 0.9, 0.1, 0.7)});
    gradient->setStartPoint({0.4, 0.35});
    gradient->setEndPoint({0.55, 0.5});
    gradient->setType(type);
    gradient->setTransform(chain);
    auto layer = Layer::make();
    layer->setAnchorPoint({0, 0});
    layer->setBounds({0, 0, 200, 200});
    layer->addSublayer(gradient);
    layer->setMask(mask);
    auto root = makeRoot(200, 200);
    root->addSublayer(layer);
    return {root, gradient};
}

// A gradient layer masked by one opaque filled path, as a gradient fill of a
// shape is built: its path is filled with the gradient at once. The pixels are
// those of painting the gradient under a clip to the path, and the frame's work
// is less than that clip and paint alone cost (a pixel mask of the clip).
TEST_F(RenderShortcutTest, AGradientThroughAMaskOfOnePathIsFilledWithoutAClip) {
    struct Case {
        const char* name;
        GradientLayer::Type type;
        Path mask;
        platform::graphics::FillRule rule;
        // Turns and scales the gradient within the masked layer.
        Transform3D chain;
    };
    Path holed = circle(100, 100, 80);
    holed.addPath(circle(90, 110, 30));
    const Case cases[] = {
        {"axial through a circle", GradientLayer::Type::axial, circle(95, 105, 71.3),
         platform::graphics::FillRule::winding, Transform3D()},
        {"radial through a circle", GradientLayer::Type::radial, circle(95, 105, 71.3),
         platform::graphics::FillRule::winding, Transform3D()},
        {"axial through a ring, even-odd, turned and scaled", GradientLayer::Type::axial, holed,
         platform::graphics::FillRule::evenOdd,
         Transform3D::concat(Transform3D::makeRotation(0.4, 0, 0, 1), Transform3D::makeScale(1.2, 0.8, 1))},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto mask = ShapeLayer::make();
        mask->setAnchorPoint({0, 0});
        mask->setBounds({0, 0, 200, 200});
        mask->setPath(test.mask);
        mask->setFillColor(Color::black());
        mask->setFillRule(test.rule);
        const auto [root, gradient] =
            gradientMaskedBy(test.type, {-300, -200, 800, 700}, test.chain, mask);

        RenderBudget budget(200.0 * 200);
        std::shared_ptr<const Image> filled;
        {
            const RenderBudget::Activation activation(budget);
            filled = renderTree(root, clock->now(), 200, 200);
        }
        // The same gradient painted under a clip to the mask's path.
        auto context = platform::graphics::GraphicsContext::makeBitmap(200, 200);
        platform::graphics::WorkBudget work(1e12);
        {
            const platform::graphics::WorkBudget::Activation activation(work);
            context->beginPath();
            context->addPath(test.mask);
            context->clip(test.rule);
            context->concatenate(platform::compositor::LayerGeometry::layerToParent(*gradient));
            LayerPainter::paintGradient(*gradient, *context);
        }
        const auto clipped = platform::graphics::GraphicsContext::finishImage(std::move(context));
        ASSERT_TRUE(filled && clipped);
        EXPECT_LE(maximumDifference(*filled, *clipped), 1);
        EXPECT_GT(coveredPixels(*filled), 10000);
        // Filling the mask's path with the gradient is estimated as the clip to
        // it and the gradient's pixels are, never more.
        EXPECT_LE(budget.work().used(), work.used() * (1 + 1e-9));
    }
}

// A gradient layer masked by one opaque stroke, as a gradient stroke of a
// shape is built: the stroke is filled with the gradient at once, with the
// pixels of painting the gradient through a pixel mask of the stroke, and no
// surface. The pen keeps its shape only under a turn and a uniform scale
// from the stroke to the gradient, and a radial gradient of equal radii;
// any other way the stroke goes through its pixel mask as before.
TEST_F(RenderShortcutTest, AGradientThroughAMaskOfOneStrokeIsStrokedWithoutAPixelMask) {
    struct Case {
        const char* name;
        GradientLayer::Type type;
        // The gradient's frame: a square one has radii of one length.
        Rect frame;
        // The stroke's shape, placed within the masked layer.
        std::function<std::shared_ptr<ShapeLayer>()> make;
        bool shortcut;
    };
    const auto stroke = [](const Path& path, double width) {
        auto shape = ShapeLayer::make();
        shape->setAnchorPoint({0, 0});
        shape->setBounds({0, 0, 200, 200});
        shape->setPath(path);
        shape->setFillColor(std::nullopt);
        shape->setStrokeColor(Color::black());
        shape->setLineWidth(width);
        return shape;
    };
    const Case cases[] = {
        {"axial along a circle", GradientLayer::Type::axial, {-300, -200, 800, 700},
         [&] { return stroke(circle(95, 105, 61.3), 13.5); }, true},
        {"radial along a dashed, trimmed line with round ends", GradientLayer::Type::radial, {-250, -250, 700, 700},
         [&] {
             auto shape = stroke(polyline({{20, 30}, {170, 60}, {40, 170}}), 9);
             dashAndTrim(*shape, {16, 7}, 3);
             return shape;
         },
         true},
        {"axial along a turned circle scaled up evenly", GradientLayer::Type::axial, {-300, -200, 800, 700},
         [&] {
             auto shape = stroke(circle(60, 60, 40.3), 7.25);
             shape->setTransform(
                 Transform3D::concat(Transform3D::makeScale(1.5, 1.5, 1), Transform3D::makeRotation(0.4, 0, 0, 1)));
             return shape;
         },
         true},
        {"axial along a circle scaled unevenly", GradientLayer::Type::axial, {-300, -200, 800, 700},
         [&] {
             auto shape = stroke(circle(60, 60, 40.3), 7.25);
             shape->setTransform(Transform3D::makeScale(1.6, 0.7, 1));
             return shape;
         },
         false},
        {"radial of unequal radii", GradientLayer::Type::radial, {-300, -200, 800, 700},
         [&] { return stroke(circle(95, 105, 61.3), 13.5); }, false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        // Still, yet animated: its stroke goes into a pixel mask, not a buffer.
        auto mask = test.make();
        mask->addAnimation(basicAnimation("opacity", 1.0, 1.0, 10), "still");
        const auto root = gradientMaskedBy(test.type, test.frame, Transform3D(), mask).root;
        const auto render = [&] {
            RenderBudget budget(200.0 * 200);
            const RenderBudget::Activation activation(budget);
            Rendered rendered;
            rendered.image = renderTree(root, clock->now() + 1, 200, 200);
            rendered.surfaces = RenderBudget::maximumSurfaceCount - budget.surfacesLeft();
            return rendered;
        };
        const Rendered stroked = render();
        // A visible sublayer that draws nothing makes the mask more than one
        // drawing: it is drawn into a buffer, the gradient painted through it.
        mask->addSublayer(Layer::make());
        const Rendered buffered = render();
        ASSERT_TRUE(stroked.image && buffered.image);
        // The stroke is outlined in the gradient's space, not the shape's,
        // and each point of its borders is rounded to the device's grid from
        // there: a few levels apart at edges.
        EXPECT_LE(maximumDifference(*stroked.image, *buffered.image), 4);
        EXPECT_GT(coveredPixels(*stroked.image), 1500);
        if (test.shortcut) {
            EXPECT_EQ(stroked.surfaces, 0u);
        } else {
            EXPECT_GE(stroked.surfaces, 1u);
        }
        EXPECT_GE(buffered.surfaces, 1u);
    }
}

// One animated drawing under a pixel mask far larger than it (as an inverted
// mask spans the view) is laid down through the mask only where it reaches:
// it costs the frame little more work than the mask itself and no more than
// the group it saves, and shows the group's pixels.
TEST_F(RenderShortcutTest, ADrawingThroughALargePixelMaskCostsOnlyWhereItReaches) {
    struct Case {
        const char* name;
        Rect square;
    };
    const Case cases[] = {
        {"a small square", {20, 20, 12, 12}},
        {"a square across the mask's edge", {180.5, 90.25, 30, 14}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot(200, 200);
        auto layer = Layer::make();
        layer->setAnchorPoint({0, 0});
        layer->setBounds({0, 0, 200, 200});
        auto shape = ShapeLayer::make();
        shape->setAnchorPoint({0, 0});
        shape->setBounds({0, 0, 200, 200});
        Path path;
        path.addRect(test.square);
        shape->setPath(path);
        shape->setFillColor(Color::rgb(0.9, 0.2, 0.1));
        shape->addAnimation(basicAnimation("opacity", 1.0, 1.0, 10), "still");
        layer->addSublayer(shape);
        // Not one opaque shape: a pixel mask over the whole view.
        layer->setMask(makeBox({0, 0, 190, 200}, Color::rgb(0, 0, 0, 0.6)));
        root->addSublayer(layer);
        const auto render = [&] {
            RenderBudget budget(200.0 * 200);
            const RenderBudget::Activation activation(budget);
            auto image = renderTree(root, clock->now(), 200, 200);
            return std::make_pair(image, budget.work().used());
        };
        const auto [alone, aloneWork] = render();
        // A visible sublayer that draws nothing makes the contents a group.
        layer->addSublayer(Layer::make());
        const auto [grouped, groupedWork] = render();
        ASSERT_TRUE(alone && grouped);
        EXPECT_LE(maximumDifference(*alone, *grouped), 1);
        EXPECT_GT(coveredPixels(*alone), 100);
        EXPECT_LE(aloneWork, groupedWork);
        // What the mask costs of its own: its buffer, and drawing it as a layer.
        auto maskAlone = makeRoot(200, 200);
        maskAlone->addSublayer(makeBox({0, 0, 190, 200}, Color::rgb(0, 0, 0, 0.6)));
        RenderBudget budget(200.0 * 200);
        {
            const RenderBudget::Activation activation(budget);
            renderTree(maskAlone, clock->now(), 200, 200);
        }
        const double maskWork = 190.0 * 200 + budget.work().used();
        // The square adds little to that; laid down over the whole mask it
        // would add about as much again.
        EXPECT_LT(aloneWork - maskWork, maskWork / 4);
    }
}

TEST_F(RenderShortcutTest, MasksThatAreNotOneOpaqueFillKeepTheirAlpha) {
    // A red layer under masks that a clip by the square's path would get
    // wrong: it would let (20, 20) through whole and nothing outside the square.
    const Color opaque = Color::rgb(0, 0, 0);
    const Rgba halfRed{128, 0, 0, 128};
    const Path square = polyline({{10, 10}, {30, 10}, {30, 30}, {10, 30}, {10, 10}});
    struct Case {
        const char* name;
        std::function<std::shared_ptr<Layer>()> make;
        std::vector<PixelCheck> probes;
    };
    const Case cases[] = {
        {"a half-transparent fill", [&] { return makeShape(square, Color::rgb(0, 0, 0, 0.5)); },
         {{20, 20, halfRed}, {2, 2, kClear}}},
        {"a half-opaque mask",
         [&] {
             auto shape = makeShape(square, opaque);
             shape->setOpacity(0.5);
             return shape;
         },
         {{20, 20, halfRed}, {2, 2, kClear}}},
        {"a half-opaque layer a sublayer down",
         [&] {
             auto top = makeBox({0, 0, 40, 40}, opaque);
             top->setBackgroundColor(std::nullopt);
             auto shape = makeShape(square, opaque);
             shape->setOpacity(0.5);
             top->addSublayer(shape);
             return top;
         },
         {{20, 20, halfRed}, {2, 2, kClear}}},
        {"a fill and its stroke", [&] { return makeShape(square, opaque, opaque); },
         {{20, 20, kRed}, {8, 20, kRed}, {2, 2, kClear}}},
        {"a stroke alone", [&] { return makeShape(square, std::nullopt, opaque); },
         {{20, 20, kClear}, {8, 20, kRed}, {2, 2, kClear}}},
        {"a layer clipped to its bounds",
         [&] {
             auto shape = makeShape(square, opaque);
             shape->setBounds({0, 0, 20, 40});
             shape->setMasksToBounds(true);
             return shape;
         },
         {{15, 20, kRed}, {25, 20, kClear}}},
        // The fill alone is one drawing, but a layer above it clips it: every
        // clip of the chain holds, not only the innermost one.
        {"a fill under a layer clipped to its bounds",
         [&] {
             auto top = makeBox({0, 0, 20, 40}, opaque);
             top->setBackgroundColor(std::nullopt);
             top->setMasksToBounds(true);
             top->addSublayer(makeShape(square, opaque));
             return top;
         },
         {{15, 20, kRed}, {25, 20, kClear}, {2, 2, kClear}}},
        {"a fill two layers under a clip",
         [&] {
             auto top = makeBox({0, 0, 40, 20}, opaque);
             top->setBackgroundColor(std::nullopt);
             top->setMasksToBounds(true);
             auto middle = makeBox({0, 0, 40, 40}, opaque);
             middle->setBackgroundColor(std::nullopt);
             middle->addSublayer(makeShape(square, opaque));
             top->addSublayer(middle);
             return top;
         },
         {{20, 15, kRed}, {20, 25, kClear}, {2, 2, kClear}}},
        // A cut that is not one opaque fill takes away by its alpha.
        {"a fill under a layer masked by a half-transparent plane",
         [&] {
             auto top = makeBox({0, 0, 40, 40}, opaque);
             top->setBackgroundColor(std::nullopt);
             top->setMask(makeShape(polyline({{0, 0}, {40, 0}, {40, 40}, {0, 40}, {0, 0}}), Color::rgb(0, 0, 0, 0.5)));
             top->addSublayer(makeShape(square, opaque));
             auto mask = makeBox({0, 0, 40, 40}, opaque);
             mask->setBackgroundColor(std::nullopt);
             mask->addSublayer(top);
             return mask;
         },
         {{20, 20, halfRed}, {2, 2, kClear}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot();
        auto layer = makeBox({0, 0, 40, 40}, Color::rgb(1, 0, 0));
        layer->setMask(test.make());
        root->addSublayer(layer);
        const auto image = renderTree(root, clock->now());
        ASSERT_TRUE(image);
        expectPixels(*image, test.probes);
    }
}

TEST_F(RenderShortcutTest, AShadowBlurredOverItsContentBoxHasTheWholeAreasPixels) {
    struct Case {
        const char* name;
        Rect frame;
        platform::graphics::Size offset;
        double radius;
        double turn;
        // A blur worked at reduced resolution pads the shadow's edge pixels
        // outwards where the whole area has its next ones, a level lower.
        int tolerance;
    };
    const Case cases[] = {
        {"near and narrow", {40, 40, 20, 14}, {5, 7}, 8, 0, 0},
        {"near, narrow and turned", {30.5, 40.25, 20, 14}, {-6, 3}, 5, 0.6, 0},
        {"near and wide", {40, 40, 20, 14}, {10, 4}, 60, 0, 1},
        {"near, wide and turned", {41.3, 37.6, 20, 14}, {10, 4}, 45, 0.3, 1},
        {"far and narrow", {-90, 40, 20, 14}, {130, 0}, 8, 0, 0},
        {"far and wide", {-90, 40, 20, 14}, {130, 3}, 60, 0, 1},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot(100, 100);
        auto layer = makeBox(test.frame, Color::rgb(1, 0, 0));
        layer->setTransform(Transform3D::makeRotation(test.turn, 0, 0, 1));
        layer->setShadowOpacity(0.8);
        layer->setShadowColor(Color::rgb(0, 0, 1));
        layer->setShadowOffset(test.offset);
        layer->setShadowRadius(test.radius);
        layer->addSublayer(makeShape(circle(15, 5, 6), Color::rgb(0, 1, 0)));
        root->addSublayer(layer);
        const auto bounded = renderTree(root, clock->now(), 100, 100);
        // A sublayer that draws nothing but animates hides the content box
        // from the renderer, which then blurs the whole area the shadow can come from.
        auto animated = Layer::make();
        animated->addAnimation(basicAnimation("opacity", 1.0, 1.0, 10), "still");
        layer->addSublayer(animated);
        const auto whole = renderTree(root, clock->now(), 100, 100);
        ASSERT_TRUE(bounded && whole);
        EXPECT_LE(maximumDifference(*bounded, *whole), test.tolerance);
        EXPECT_GT(coveredPixels(*bounded), 400);
    }
}

}  // namespace
