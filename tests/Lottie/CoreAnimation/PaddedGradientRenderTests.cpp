// A gradient fill's gradient layers reach 10000 points past the shape on every
// side; drawing them must cost what the shape's mask lets show, not their
// 20000-point-wide bounds, and the alpha layer that masks the colour layer
// must lie where the colour layer does.

#include <gtest/gtest.h>

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/CoreAnimation/GradientAnimation.h"
#include "Lottie/CoreAnimation/ShapeItemLayer.h"
#include "Lottie/Model/ShapeItems/GradientFill.h"
#include "Platform/Compositor/RenderBudget.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/Image.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"
#include "tests/Lottie/Model/ShapeItems/ShapeItemTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;

namespace {

class PaddedGradientRenderTest : public ClockTest {};

TEST_F(PaddedGradientRenderTest, OnlyWhatTheShapeShowsIsRasterised) {
    const auto animation = emptyAnimation(0, 60, 30);
    const LayerAnimationContext context = rootContext(animation, log.logger(), 0, 60);
    LayerContext layerContext;
    layerContext.tracker = context.tracker;
    const ShapeItemReference ellipse{shapetests::byDictionary(R"({"ty":"el","nm":"E","p":{"a":0,"k":[20,20]},"s":{"a":0,"k":[20,20]}})"), {}};
    // Opacity stops below 1 give the colour layer an alpha layer as its mask.
    const ShapeItemReference gradient{
        shapetests::byDictionary(R"({"ty":"gf","nm":"G","o":{"a":0,"k":100},"r":1,"t":1,"s":{"a":0,"k":[10,0]},)"
                                 R"("e":{"a":0,"k":[30,0]},"g":{"p":2,"k":{"a":0,"k":[0,1,0,0,1,0,0,1,0,1,1,0.5]}}})"),
        {}};
    auto root = BaseAnimationLayer::make();
    root->setAnchorPoint({0, 0});
    root->setBounds({0, 0, 400, 400});
    auto item = ShapeItemLayer::make(ellipse, {gradient}, layerContext);
    root->addSublayer(item);
    root->layoutIfNeeded();
    item->layoutIfNeeded();
    root->setupAnimations(context);

    platform::compositor::RenderBudget budget(400 * 400);
    const double pixelsBefore = budget.pixelsLeft();
    std::shared_ptr<const platform::graphics::Image> image;
    {
        platform::compositor::RenderBudget::Activation active(budget);
        image = platform::compositor::Renderer::renderImage(root, clock->now(), 400, 400);
    }
    ASSERT_TRUE(image);
    const double spent = pixelsBefore - budget.pixelsLeft();
    // The shape's box is 20 x 20 points; the padded layers are 20020 x 20020.
    const double box = 20 * 20;
    EXPECT_LE(spent, 10 * box);
    EXPECT_LE(budget.work().used(), 25 * box);
    // The colours run from red to blue and the opacity from 1 to 0.5 across the
    // shape, both placed by the same points; nothing shows outside the shape.
    const auto alpha = [&](int x) { return (image->pixel(x, 20) >> 24) / 255.0; };
    const auto red = [&](int x) { return ((image->pixel(x, 20) >> 16) & 0xff) / 255.0; };
    EXPECT_GT(alpha(11), 0.9);
    EXPECT_LT(alpha(29), 0.55);
    EXPECT_GT(red(11), 0.85);
    EXPECT_LT(red(29), 0.05);
    EXPECT_EQ(image->pixel(200, 200), 0u);
    EXPECT_EQ(image->pixel(5, 20), 0u);
}

}  // namespace
