#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>

#include "Platform/Graphics/GraphicsContext.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;
using Rgb = std::array<double, 3>;

// The blend formulas of the compositing standard, written out by hand for an
// opaque source over an opaque backdrop.
double separable(BlendMode mode, double b, double s) {
    switch (mode) {
        case BlendMode::multiply: return b * s;
        case BlendMode::screen: return b + s - b * s;
        case BlendMode::overlay: return b <= 0.5 ? 2 * s * b : 1 - 2 * (1 - s) * (1 - b);
        case BlendMode::darken: return std::min(b, s);
        case BlendMode::lighten: return std::max(b, s);
        case BlendMode::colorDodge: return s >= 1 ? 1 : std::min(1.0, b / (1 - s));
        case BlendMode::colorBurn: return s <= 0 ? 0 : 1 - std::min(1.0, (1 - b) / s);
        case BlendMode::hardLight: return s <= 0.5 ? 2 * s * b : 1 - 2 * (1 - s) * (1 - b);
        case BlendMode::softLight: {
            if (s <= 0.5) {
                return b - (1 - 2 * s) * b * (1 - b);
            }
            const double d = b <= 0.25 ? ((16 * b - 12) * b + 4) * b : std::sqrt(b);
            return b + (2 * s - 1) * (d - b);
        }
        case BlendMode::difference: return std::fabs(b - s);
        case BlendMode::exclusion: return b + s - 2 * b * s;
        default: return s;
    }
}

double lum(Rgb c) { return 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]; }
double sat(Rgb c) { return *std::max_element(c.begin(), c.end()) - *std::min_element(c.begin(), c.end()); }

Rgb clipColor(Rgb c) {
    const double l = lum(c);
    const double n = *std::min_element(c.begin(), c.end());
    const double x = *std::max_element(c.begin(), c.end());
    for (double& v : c) {
        if (n < 0) v = l + (v - l) * l / (l - n);
        if (x > 1) v = l + (v - l) * (1 - l) / (x - l);
    }
    return c;
}

Rgb setLum(Rgb c, double l) {
    const double d = l - lum(c);
    return clipColor({c[0] + d, c[1] + d, c[2] + d});
}

Rgb setSat(Rgb c, double s) {
    std::array<int, 3> order{0, 1, 2};
    std::sort(order.begin(), order.end(), [&](int a, int b) { return c[a] < c[b]; });
    Rgb result{0, 0, 0};
    const double range = c[order[2]] - c[order[0]];
    if (range > 0) {
        result[order[1]] = (c[order[1]] - c[order[0]]) * s / range;
        result[order[2]] = s;
    }
    return result;
}

Rgb blend(BlendMode mode, Rgb b, Rgb s) {
    switch (mode) {
        case BlendMode::hue: return setLum(setSat(s, sat(b)), lum(b));
        case BlendMode::saturation: return setLum(setSat(b, sat(s)), lum(b));
        case BlendMode::color: return setLum(s, lum(b));
        case BlendMode::luminosity: return setLum(b, lum(s));
        default: return {separable(mode, b[0], s[0]), separable(mode, b[1], s[1]), separable(mode, b[2], s[2])};
    }
}

TEST(BlendModeTest, EachModeMatchesTheHandComputedPixel) {
    // Values that are exact in 8 bits, so the only error left is the blend's own rounding.
    const Rgb backdrop{51 / 255.0, 153 / 255.0, 204 / 255.0};
    const Rgb source{178 / 255.0, 77 / 255.0, 128 / 255.0};
    const BlendMode modes[] = {
        BlendMode::multiply,  BlendMode::screen,     BlendMode::overlay,   BlendMode::darken,
        BlendMode::lighten,   BlendMode::colorDodge, BlendMode::colorBurn, BlendMode::hardLight,
        BlendMode::softLight, BlendMode::difference, BlendMode::exclusion, BlendMode::hue,
        BlendMode::saturation, BlendMode::color,     BlendMode::luminosity,
    };
    for (BlendMode mode : modes) {
        auto context = bitmap(4, 4);
        context->setFillColor(Color::rgb(backdrop[0], backdrop[1], backdrop[2]));
        context->fillRect(Rect(0, 0, 4, 4));
        context->setBlendMode(mode);
        context->setFillColor(Color::rgb(source[0], source[1], source[2]));
        context->fillRect(Rect(0, 0, 4, 4));
        const Rgb expected = blend(mode, backdrop, source);
        auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); };
        EXPECT_TRUE(pixelNear(*context->makeImage(), 1, 1,
                              {255, channel(expected[0]), channel(expected[1]), channel(expected[2])}, 2))
            << "mode " << static_cast<int>(mode);
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
    const AffineTransform t = context->currentTransform();
    EXPECT_NEAR(t.apply(Point(1, 0)).x, 20, 1e-12);
    EXPECT_NEAR(t.apply(Point(1, 0)).y, 1, 1e-12);
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
