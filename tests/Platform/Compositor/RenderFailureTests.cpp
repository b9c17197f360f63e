// A layer whose drawing puts the graphics library's context into its error
// state is left out alone, reported once: the layers drawn before and after it
// are drawn, under the clips and in the groups they were in, and the frame is
// returned.

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <memory>
#include <string>

#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "tests/Platform/Compositor/RenderTestSupport.h"

namespace {

using namespace compositortest;
using platform::compositor::Layer;
using platform::graphics::Color;
using platform::graphics::Rect;

// Draws in the render pass through the Cairo context the way the text drawing
// does, and sets a matrix there that Cairo cannot invert, as a drawing
// stretched past what it represents would: the context then refuses all else.
class FailingLayer final : public Layer {
public:
    explicit FailingLayer(const Rect& frame) {
        setFrame(frame);
        setDrawsInRenderPass(true);
    }
    void draw(platform::graphics::GraphicsContext& context) override {
        cairo_matrix_t singular;
        cairo_matrix_init(&singular, 1e-300, 0, 0, 1e-300, 0, 0);
        cairo_set_matrix(context.cairo(), &singular);
        context.setFillColor(Color::rgb(1, 1, 0));
        context.fillRect(bounds());
    }
};

std::shared_ptr<Layer> group(const Rect& frame, double opacity, bool clips) {
    auto layer = Layer::make();
    layer->setFrame(frame);
    layer->setOpacity(opacity);
    layer->setMasksToBounds(clips);
    return layer;
}

TEST(RenderFailure, TheRestOfTheFrameIsDrawnAroundAFailingLayer) {
    struct Case {
        const char* name;
        double opacity;  // of the group holding the layers
        bool clips;      // whether that group clips to its 20 x 20 bounds
        std::vector<PixelCheck> checks;
    };
    const Rgba halfRed{128, 0, 0, 128}, halfBlue{0, 0, 128, 128};  // premultiplied
    const std::vector<Case> cases{
        {"among siblings", 1, false, {{5, 5, kRed, 0}, {15, 5, kClear, 0}, {25, 5, kBlue, 0}, {35, 35, kGreen, 0}}},
        {"in a group at half opacity", 0.5, false,
         {{5, 5, halfRed, 2}, {15, 5, kClear, 0}, {25, 5, halfBlue, 2}, {35, 35, kGreen, 0}}},
        {"under a clip", 1, true, {{5, 5, kRed, 0}, {15, 5, kClear, 0}, {25, 5, kClear, 0}, {35, 35, kGreen, 0}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto root = std::make_shared<ReportingRoot>(40);
        auto holder = group({0, 0, 20, 20}, test.opacity, test.clips);
        holder->addSublayer(makeBox({0, 0, 10, 10}, Color::rgb(1, 0, 0)));
        holder->addSublayer(std::make_shared<FailingLayer>(Rect(10, 0, 10, 10)));
        holder->addSublayer(makeBox({20, 0, 10, 10}, Color::rgb(0, 0, 1)));
        root->addSublayer(holder);
        root->addSublayer(makeBox({30, 30, 10, 10}, Color::rgb(0, 1, 0)));
        const auto image = renderTree(root, 0);
        ASSERT_TRUE(image);
        expectPixels(*image, test.checks);
        ASSERT_EQ(root->reports.size(), 1u);
        EXPECT_NE(root->reports.front().find("could not be drawn"), std::string::npos) << root->reports.front();
    }
}

}  // namespace
