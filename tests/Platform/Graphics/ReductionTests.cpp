// What the graphics layer reduces before the rasteriser sees it: images
// reduced for drawing much smaller, gradient ramps cut to the stops a ramp can show,
// and a stroke's pen bounded under a transform that stretches one way.

#include <gtest/gtest.h>

#include <cairo.h>

#include <array>
#include <cstdint>
#include <vector>

#include "Platform/Graphics/Gradient.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/WorkBudget.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

// An ARGB image of `width` x `height` whose pixels are given row by row as 0xAARRGGBB.
std::shared_ptr<const Image> argbImage(int width, int height, const std::vector<std::uint32_t>& values) {
    const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, width);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t value = values[static_cast<std::size_t>(y * width + x)];
            for (int byte = 0; byte < 4; ++byte) {
                pixels[static_cast<std::size_t>(y) * stride + x * 4 + byte] = static_cast<std::uint8_t>(value >> (8 * byte));
            }
        }
    }
    return Image::make(width, height, Image::Format::argb32Premultiplied, std::move(pixels));
}

TEST(ImageReduction, EachPixelIsTheRoundedMeanOfTheBlockItCovers) {
    struct Case {
        const char* name;
        int width, height;
        std::vector<std::uint32_t> source;
        int factor;
        int reducedWidth, reducedHeight;
        std::vector<std::uint32_t> expected;
    };
    const std::vector<Case> cases{
        {"halved, even sides", 4, 2,
         {0xff000000, 0xff000004, 0x80800000, 0x00000000,  //
          0xff000008, 0xff00000c, 0x80800000, 0x00000000},
         2, 2, 1, {0xff000006, 0x40400000}},
        // The last row and column are repeated where a block passes the edge.
        {"halved, odd sides", 3, 3,
         {0, 0, 0xff0000ff,  //
          0, 0, 0xff0000ff,  //
          0xffff0000, 0xffff0000, 0xff00ff00},
         2, 2, 2, {0x00000000, 0xff0000ff, 0xffff0000, 0xff00ff00}},
        // (1 + 2 + 2 + 2 + 2) / 4 rounds half up: 2.
        {"halved, rounding", 2, 2, {0x01010101, 0x02020202, 0x02020202, 0x01010101}, 2, 1, 1, {0x02020202}},
        // Sixteen pixels of 0 to 15 in blue: their mean 7.5 rounds up; the
        // fifth column alone makes the second pixel, repeated.
        {"by four, straight from the image", 5, 4,
         {0x00000000, 0x00000001, 0x00000002, 0x00000003, 0x00000010,  //
          0x00000004, 0x00000005, 0x00000006, 0x00000007, 0x00000010,  //
          0x00000008, 0x00000009, 0x0000000a, 0x0000000b, 0x00000020,  //
          0x0000000c, 0x0000000d, 0x0000000e, 0x0000000f, 0x00000020},
         4, 2, 1, {0x00000008, 0x00000018}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto image = argbImage(test.width, test.height, test.source);
        ASSERT_TRUE(image);
        const auto reduced = image->reduced(test.factor);
        ASSERT_TRUE(reduced);
        ASSERT_EQ(reduced->width(), test.reducedWidth);
        ASSERT_EQ(reduced->height(), test.reducedHeight);
        for (int y = 0; y < test.reducedHeight; ++y) {
            for (int x = 0; x < test.reducedWidth; ++x) {
                EXPECT_EQ(reduced->pixel(x, y), test.expected[static_cast<std::size_t>(y * test.reducedWidth + x)])
                    << x << ", " << y;
            }
        }
        // Made once per factor and kept with the image.
        EXPECT_EQ(image->reduced(test.factor), reduced);
    }
}

TEST(ImageReduction, NoneForGreyImagesSmallFactorsOrImagesSmallerThanTheFactor) {
    const auto image = argbImage(4, 4, std::vector<std::uint32_t>(16));
    EXPECT_FALSE(image->reduced(1));
    EXPECT_FALSE(image->reduced(8));
    EXPECT_FALSE(argbImage(1, 4, std::vector<std::uint32_t>(4))->reduced(2));
    EXPECT_FALSE(argbImage(4, 1, std::vector<std::uint32_t>(4))->reduced(2));
    const std::size_t greyBytes = static_cast<std::size_t>(Image::bytesPerRowFor(Image::Format::grey8, 2)) * 2;
    EXPECT_FALSE(Image::make(2, 2, Image::Format::grey8, std::vector<std::uint8_t>(greyBytes))->reduced(2));
}

TEST(GradientStops, OnlyTheFirstAndLastOfEachStepOfTheRampAreKept) {
    const double step = 1.0 / Gradient::resolution;
    struct Case {
        const char* name;
        std::vector<double> locations;
        std::vector<double> kept;
    };
    const std::vector<Case> cases{
        {"one stop per step", {0, step, 2 * step, 1}, {0, step, 2 * step, 1}},
        {"many in one step", {0.5, 0.5 + step / 4, 0.5 + step / 3, 0.5 + step / 2, 1}, {0.5, 0.5 + step / 2, 1}},
        {"a hard edge", {0, 0.25, 0.25, 1}, {0, 0.25, 0.25, 1}},
        {"the end falls into the last step", {1 - step / 2, 1 - step / 4, 1}, {1 - step / 2, 1}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        std::vector<Color> colors;
        for (std::size_t index = 0; index < test.locations.size(); ++index) {
            colors.push_back(Color::rgb(static_cast<double>(index) / test.locations.size(), 0, 0));
        }
        const auto gradient = Gradient::make(ColorSpace::deviceRGB(), colors, test.locations);
        ASSERT_TRUE(gradient);
        std::vector<double> kept;
        for (const Gradient::Stop& stop : gradient->stops()) kept.push_back(stop.location);
        EXPECT_EQ(kept, test.kept);
        // The kept stops keep their colours: the last is the last colour given.
        EXPECT_DOUBLE_EQ(gradient->stops().back().rgba[0], colors.back().clampedRGBA()[0]);
    }
}

TEST(GradientStops, AnyRampHoldsAtMostTwoStopsPerStep) {
    constexpr int count = 60'000;
    std::vector<Color> colors(count, Color::rgb(0, 0, 1));
    const auto gradient = Gradient::make(ColorSpace::deviceRGB(), colors, {});
    ASSERT_TRUE(gradient);
    EXPECT_LE(gradient->stops().size(), 2u * Gradient::resolution);
    EXPECT_EQ(gradient->stops().front().location, 0);
    EXPECT_EQ(gradient->stops().back().location, 1);
}

TEST(PenBound, AStrokeStretchedOneWayKeepsAPenOfBoundedWidthAndTheContextSound) {
    // A zigzag 100 device pixels wide, stretched 1e12 times across: its round
    // joins would be pens 1e12 pixels wide; bounded, they reach
    // maximumPenRadius past the path on either side.
    struct Case {
        const char* name;
        double stretch;
        double expectedWidth;  // of the stroke's box, in device pixels
    };
    const double bound = GraphicsContext::maximumPenRadius;
    const std::vector<Case> cases{
        {"an ordinary scale", 1e2, 100 + 2 * 1e2},
        {"stretched 1e12 times", 1e12, 100 + 2 * bound},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto context = bitmap(64, 64);
        context->translateBy(0, 32);
        context->scaleBy(test.stretch, 1);
        context->setLineWidth(2);
        context->setLineJoin(LineJoin::round);
        context->setStrokeColor(Color::rgb(1, 0, 0));
        const double unit = 20 / test.stretch;  // 20 device pixels
        Path zigzag;
        zigzag.moveTo({0, -10});
        for (int index = 1; index <= 5; ++index) zigzag.lineTo({index * unit, index % 2 ? 10.0 : -10.0});
        context->addPath(zigzag);
        context->replacePathWithStrokedPath();
        const Rect box = context->pathBoundingBox();
        EXPECT_NEAR(box.width() * test.stretch, test.expectedWidth, test.expectedWidth * 1e-3);
        context->beginPath();
        context->addPath(zigzag);
        context->strokePath();
        EXPECT_EQ(cairo_status(context->cairo()), CAIRO_STATUS_SUCCESS);
        const auto image = context->makeImage();
        ASSERT_TRUE(image);
        // The joins' pens cover the rows of the zigzag's corners across the view.
        EXPECT_TRUE(pixelNear(*image, 60, 22, kOpaqueRed));
        EXPECT_TRUE(pixelNear(*image, 60, 50, kClear));
    }
}

// The reach of a pen in user space: half its width, as far as the bounded pen
// reaches in the direction the transform stretches least.
TEST(PenBound, APensReachInUserSpaceIsBoundedAsThePenIs) {
    const double bound = GraphicsContext::maximumPenRadius;
    const struct {
        const char* name;
        double scaleX, scaleY, lineWidth, reach;
    } cases[] = {
        {"an ordinary pen", 1, 1, 10, 5},
        {"a pen far wider than the bound", 1, 1, 1e9, bound},
        {"scaled up 100 times", 100, 100, 1e9, bound / 100},
        {"stretched one way only", 1e6, 1, 1e9, bound},
        {"a negative width", 1, 1, -10, 5},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        auto context = bitmap(8, 8);
        context->scaleBy(test.scaleX, test.scaleY);
        EXPECT_DOUBLE_EQ(context->userPenRadius(test.lineWidth), test.reach);
    }
}

// Under a wide pen each segment of a path becomes a polygon across the pen,
// whose edges cross as many scanlines of the view as the pen is wide: a path
// of 2,000 tiny segments stroked with a pen wider than the view costs at least
// those scanlines for each segment, not the few its own edges cross.
TEST(PenBound, AStrokeCostsTheScanlinesItsPenCrosses) {
    constexpr int segments = 2000;
    const auto cost = [](double lineWidth) {
        auto context = bitmap(256, 256);
        context->setLineWidth(lineWidth);
        context->setStrokeColor(Color::rgb(1, 0, 0));
        Path zigzag;
        zigzag.moveTo({20, 128});
        for (int index = 1; index <= segments; ++index) zigzag.lineTo({20 + index * 0.1, index % 2 ? 129.0 : 128.0});
        context->addPath(zigzag);
        WorkBudget budget(1e18);
        const WorkBudget::Activation active(budget);
        context->strokePath();
        return budget.used();
    };
    const double narrow = cost(2), wide = cost(1000);
    EXPECT_GT(wide, segments * 256.0 * 6);
    EXPECT_GT(wide, 2 * narrow);
}

}  // namespace
}  // namespace platform::graphics
