// Layers that draw in the render pass: drawn straight into the frame at the
// device's resolution under their transform and opacity, every time they are
// drawn, without a contents image; and back to a cached image when turned off.

#include <gtest/gtest.h>

#include <memory>

#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/LayerExtent.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tests/Platform/Compositor/RenderTestSupport.h"

namespace {

using namespace compositortest;
using platform::compositor::Layer;
using platform::graphics::Color;
using platform::graphics::Rect;

// Fills the left 5.25 points of its 10 x 10 bounds in red, and counts its drawings.
class StripeLayer final : public Layer {
public:
    StripeLayer() { setBounds({0, 0, 10, 10}); }

    void draw(platform::graphics::GraphicsContext& context) override {
        ++drawings;
        context.setFillColor(Color::rgb(1, 0, 0));
        context.fillRect({0, 0, 5.25, 10});
    }

    int drawings = 0;
};

std::shared_ptr<StripeLayer> makeStripe(const std::shared_ptr<Layer>& root) {
    auto stripe = std::make_shared<StripeLayer>();
    stripe->setAnchorPoint({0, 0});
    stripe->setDrawsInRenderPass(true);
    root->addSublayer(stripe);
    return stripe;
}

// Drawn four times larger, the stripe's edge at 5.25 points falls on the
// boundary of device pixels 20 and 21: a drawing made in the render pass has
// it there, where an image of one pixel per point would smear it over several.
TEST(RenderPassDrawing, DrawsAtTheDeviceResolutionUnderTheLayersGeometry) {
    struct Case {
        const char* name;
        double opacity;
        platform::graphics::Point position;
        std::vector<PixelCheck> checks;
    };
    const std::vector<Case> cases{
        {"at the origin", 1, {0, 0}, {{20, 8, kRed, 0}, {21, 8, kClear, 0}, {0, 39, kRed, 0}, {0, 40, kClear, 0}}},
        {"moved by a point", 1, {1, 1}, {{24, 12, kRed, 0}, {25, 12, kClear, 0}, {3, 12, kClear, 0}}},
        {"at half opacity", 0.5, {0, 0}, {{20, 8, {128, 0, 0, 128}, 1}, {21, 8, kClear, 0}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = makeRoot(20, 20);
        auto stripe = makeStripe(root);
        stripe->setPosition(test.position);
        stripe->setOpacity(test.opacity);
        const auto image = platform::compositor::Renderer::renderImage(root, 0, 80, 80, 4);
        ASSERT_TRUE(image);
        expectPixels(*image, test.checks);
        EXPECT_FALSE(stripe->contents());
    }
}

TEST(RenderPassDrawing, DrawsOnEveryRenderAndNeverDisplays) {
    auto root = makeRoot();
    auto stripe = makeStripe(root);
    stripe->setNeedsDisplay();
    EXPECT_FALSE(stripe->needsDisplay());
    // Nothing pending: the extent of its drawing is known without drawing.
    const auto extent = platform::compositor::LayerExtent::contentBounds(*stripe, *stripe, {});
    ASSERT_TRUE(extent);
    EXPECT_EQ(*extent, Rect(-1, -1, 12, 12));
    for (int render = 1; render <= 2; ++render) {
        ASSERT_TRUE(renderTree(root, 0));
        EXPECT_EQ(stripe->drawings, render);
    }
    EXPECT_FALSE(stripe->contents());
}

// Turned off, the layer displays into a contents image again, drawn once and
// shown from then on; turned on, that image is dropped.
TEST(RenderPassDrawing, TurningItOffAndOnSwitchesBetweenImageAndDrawing) {
    auto root = makeRoot();
    auto stripe = makeStripe(root);
    stripe->setDrawsInRenderPass(false);
    EXPECT_TRUE(stripe->needsDisplay());
    for (int render = 0; render < 2; ++render) {
        const auto image = renderTree(root, 0);
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelIs(*image, 2, 5, kRed, 0));
    }
    EXPECT_EQ(stripe->drawings, 1);
    EXPECT_TRUE(stripe->contents());
    stripe->setDrawsInRenderPass(true);
    EXPECT_FALSE(stripe->contents());
    const auto image = renderTree(root, 0);
    ASSERT_TRUE(image);
    EXPECT_TRUE(pixelIs(*image, 2, 5, kRed, 0));
    EXPECT_EQ(stripe->drawings, 2);
}

}  // namespace
