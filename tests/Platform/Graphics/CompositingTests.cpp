#include <gtest/gtest.h>

#include <cmath>

#include "Platform/Graphics/GraphicsContext.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

TEST(TransparencyLayerTest, UnbalancedCallsAreHarmless) {
    auto context = bitmap(10, 10);
    context->endTransparencyLayer();  // nothing open
    context->restoreGState();         // nothing saved
    context->beginTransparencyLayer();
    context->saveGState();
    context->setFillColor(Color::rgb(0, 0, 1));
    context->fillRect(Rect(0, 0, 10, 10));
    context->endTransparencyLayer();  // closes the save left open inside
    EXPECT_EQ(context->fillColor(), Color::black());
    EXPECT_TRUE(pixelNear(*context->makeImage(), 5, 5, {255, 0, 0, 255}));
    context->beginTransparencyLayer();
    context->fillRect(Rect(0, 0, 10, 10));
    context.reset();  // destroying with a layer open must not crash
}

TEST(GraphicsStateTest, ACollapsedTransformDrawsNothingUntilRestored) {
    auto context = bitmap(10, 10);
    context->saveGState();
    context->scaleBy(0, 1);
    context->addRect(Rect(0, 0, 10, 10));
    EXPECT_TRUE(context->isPathEmpty());
    context->fillRect(Rect(0, 0, 10, 10));
    context->concatenate(AffineTransform(NAN, 0, 0, 1, 0, 0));
    context->fillRect(Rect(0, 0, 10, 10));
    context->restoreGState();
    EXPECT_TRUE(pixelNear(*context->makeImage(), 5, 5, kClear));
    context->fillRect(Rect(0, 0, 10, 10));
    EXPECT_TRUE(pixelNear(*context->makeImage(), 5, 5, kOpaqueBlack));
}

TEST(GraphicsStateTest, ClearRectAndNonFiniteInputs) {
    auto context = bitmap(10, 10);
    context->fillRect(Rect(0, 0, 10, 10));
    context->setBlendMode(BlendMode::multiply);
    context->clearRect(Rect(0, 0, 5, 10));
    Path wild;
    wild.moveTo({NAN, 0});
    wild.lineTo({INFINITY, 5});
    wild.lineTo({0, -INFINITY});
    context->addPath(wild);
    context->setLineWidth(NAN);
    context->setMiterLimit(-3);
    context->setLineDash(NAN, std::vector<double>{1, 2});
    context->strokePath();
    const auto image = context->makeImage();
    EXPECT_TRUE(pixelNear(*image, 2, 5, kClear));
    EXPECT_TRUE(pixelNear(*image, 7, 5, kOpaqueBlack));
}

}  // namespace
}  // namespace platform::graphics
