#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Platform/Graphics/GraphicsContext.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

std::shared_ptr<const Gradient> blackToWhite(ColorSpace space = ColorSpace::deviceRGB()) {
    const std::vector<Color> colors{Color::black(), Color::white()};
    const std::vector<double> locations{0, 1};
    return Gradient::make(space, colors, locations);
}

TEST(GradientDrawingTest, LinearRampWithAndWithoutExtension) {
    struct Case {
        GradientDrawingOptions options;
        Pixel before, after;
    };
    const Case cases[] = {
        {GradientDrawingOptions::extended(), kOpaqueBlack, {255, 255, 255, 255}},
        {{}, kClear, kClear},
        {{true, false}, kOpaqueBlack, kClear},
        {{false, true}, kClear, {255, 255, 255, 255}},
    };
    const auto gradient = blackToWhite();
    ASSERT_NE(gradient, nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.options.drawsBeforeStart << c.options.drawsAfterEnd);
        auto context = bitmap(200, 10);
        context->drawLinearGradient(*gradient, {50, 0}, {150, 0}, c.options);
        const auto image = context->makeImage();
        EXPECT_TRUE(pixelNear(*image, 10, 5, c.before));
        EXPECT_TRUE(pixelNear(*image, 190, 5, c.after));
        EXPECT_TRUE(pixelNear(*image, 100, 5, {255, 128, 128, 128}, 2));
    }
}

TEST(GradientDrawingTest, GreyGradientIntoAGreyBitmap) {
    // The engines' opacity stops: a grey ramp drawn into a grey bitmap (used as a mask in ClipTest).
    const auto gradient = blackToWhite(ColorSpace::deviceGrey());
    auto grey = GraphicsContext::makeGreyBitmap(100, 10);
    ASSERT_NE(grey, nullptr);
    EXPECT_TRUE(grey->isGrey());
    grey->drawLinearGradient(*gradient, {0, 0}, {100, 0}, GradientDrawingOptions::extended());
    const auto mask = grey->makeImage();
    ASSERT_EQ(mask->format(), Image::Format::grey8);
    EXPECT_NEAR(mask->pixels()[50], 128, 2);
    EXPECT_NEAR(mask->pixels()[0], 1, 1);
}

TEST(GradientDrawingTest, DegenerateGeometryDrawsOnlyWhenExtendedPastTheEnd) {
    const auto gradient = blackToWhite();
    for (bool extended : {false, true}) {
        auto context = bitmap(10, 10);
        context->drawLinearGradient(*gradient, {5, 5}, {5, 5},
                                    extended ? GradientDrawingOptions::extended() : GradientDrawingOptions());
        context->drawRadialGradient(*gradient, {5, 5}, NAN, {5, 5}, 3, GradientDrawingOptions::extended());
        EXPECT_TRUE(pixelNear(*context->makeImage(), 1, 1, extended ? Pixel{255, 255, 255, 255} : kClear));
    }
}

TEST(BitmapContextTest, SizesAreCheckedAndReported) {
    struct Case {
        int width, height;
        bool made;
    };
    const Case cases[] = {{1, 1, true}, {0, 5, false}, {40000, 1, false}};
    for (const Case& c : cases) {
        auto context = GraphicsContext::makeBitmap(c.width, c.height);
        EXPECT_EQ(context != nullptr, c.made) << c.width << "x" << c.height;
        EXPECT_EQ(GraphicsContext::makeGreyBitmap(c.width, c.height) != nullptr, c.made);
    }
}

}  // namespace
}  // namespace platform::graphics
