#include <gtest/gtest.h>

#include <cmath>

#include "Platform/Graphics/GraphicsContext.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

TEST(BlendModeTest, EachModeGivesTheStandardPixel) {
    // An opaque source (178, 77, 128) over an opaque backdrop (51, 153, 204): values exact
    // in 8 bits, so the only error left is the blend's own rounding. The expected pixels
    // come from the standard compositing formulas worked out apart from this code, and
    // differ from one another by at least 16 in some channel, so a mode drawn with
    // another mode's operator fails.
    struct Case {
        BlendMode mode;
        int r, g, b;
    };
    const Case cases[] = {
        {BlendMode::multiply, 36, 46, 102},    {BlendMode::screen, 193, 184, 230},
        {BlendMode::overlay, 71, 113, 204},    {BlendMode::darken, 51, 77, 128},
        {BlendMode::lighten, 178, 153, 204},   {BlendMode::colorDodge, 169, 219, 255},
        {BlendMode::colorBurn, 0, 0, 153},     {BlendMode::hardLight, 132, 92, 204},
        {BlendMode::softLight, 76, 129, 204},  {BlendMode::difference, 127, 76, 76},
        {BlendMode::exclusion, 158, 138, 127}, {BlendMode::hue, 227, 74, 151},
        {BlendMode::saturation, 77, 145, 178}, {BlendMode::color, 193, 92, 143},
        {BlendMode::luminosity, 36, 138, 189},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        auto context = bitmap(4, 4);
        context->setFillColor(Color::rgb(51 / 255.0, 153 / 255.0, 204 / 255.0));
        context->fillRect(Rect(0, 0, 4, 4));
        context->setBlendMode(c.mode);
        context->setFillColor(Color::rgb(178 / 255.0, 77 / 255.0, 128 / 255.0));
        context->fillRect(Rect(0, 0, 4, 4));
        EXPECT_TRUE(pixelNear(*context->makeImage(), 1, 1, {255, c.r, c.g, c.b}, 2));
    }
}

TEST(BlendModeTest, DestinationOutAndXor) {
    auto context = bitmap(4, 4);
    context->setFillColor(Color::rgb(1, 0, 0));
    context->fillRect(Rect(0, 0, 4, 4));
    context->setBlendMode(BlendMode::destinationOut);
    context->setFillColor(Color::rgb(0, 1, 0, 0.25));
    context->fillRect(Rect(0, 0, 2, 4));
    auto image = context->makeImage();
    EXPECT_TRUE(pixelNear(*image, 0, 0, {191, 191, 0, 0}, 1));  // erased by the source's alpha only
    EXPECT_TRUE(pixelNear(*image, 3, 0, kOpaqueRed));

    auto xorContext = bitmap(4, 4);
    xorContext->setFillColor(Color::rgb(1, 0, 0));
    xorContext->fillRect(Rect(0, 0, 4, 4));
    xorContext->setBlendMode(BlendMode::xorMode);
    xorContext->setFillColor(Color::rgb(0, 0, 1, 0.5));
    xorContext->fillRect(Rect(0, 0, 2, 2));
    xorContext->setFillColor(Color::rgb(0, 0, 1, 1));
    xorContext->fillRect(Rect(2, 2, 2, 2));
    image = xorContext->makeImage();
    // Where both are opaque nothing is left; a half-transparent source keeps half the backdrop.
    EXPECT_TRUE(pixelNear(*image, 3, 3, kClear));
    EXPECT_TRUE(pixelNear(*image, 0, 0, {128, 128, 0, 0}, 1));
}

TEST(TransparencyLayerTest, ALayerIsCompositedAsOneWithTheOuterAlpha) {
    for (bool layered : {false, true}) {
        auto context = bitmap(30, 10);
        context->setAlpha(0.5);
        context->setFillColor(Color::rgb(1, 0, 0));
        if (layered) {
            context->beginTransparencyLayer();
            EXPECT_EQ(context->alpha(), 1);
        }
        context->fillRect(Rect(0, 0, 20, 10));
        context->fillRect(Rect(10, 0, 20, 10));
        if (layered) {
            context->endTransparencyLayer();
        }
        EXPECT_EQ(context->alpha(), 0.5);
        const auto image = context->makeImage();
        // Overlapping halves add up without a layer; a layer is faded once, as a whole.
        EXPECT_TRUE(pixelNear(*image, 15, 5, layered ? Pixel{128, 128, 0, 0} : Pixel{191, 191, 0, 0}, 1));
        EXPECT_TRUE(pixelNear(*image, 5, 5, {128, 128, 0, 0}, 1));
    }
}

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

TEST(GraphicsStateTest, SaveRestoresStyleTransformAndAlpha) {
    auto context = bitmap(10, 10);
    context->saveGState();
    context->setFillColor(Color::rgb(0, 1, 0));
    context->setAlpha(0.25);
    context->setBlendMode(BlendMode::multiply);
    context->translateBy(3, 4);
    context->restoreGState();
    EXPECT_EQ(context->fillColor(), Color::black());
    EXPECT_EQ(context->alpha(), 1);
    EXPECT_EQ(context->blendMode(), BlendMode::normal);
    EXPECT_TRUE(context->currentTransform().isIdentity());
}

TEST(GraphicsStateTest, TransformsMapUserSpaceToPixels) {
    auto context = bitmap(40, 40);
    context->translateBy(20, 0);
    context->rotateBy(M_PI / 2);  // clockwise on screen: +x now points down
    context->fillRect(Rect(2, 2, 6, 6));
    const auto image = context->makeImage();
    EXPECT_TRUE(pixelNear(*image, 15, 5, kOpaqueBlack));
    EXPECT_TRUE(pixelNear(*image, 25, 5, kClear));
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
