#include <gtest/gtest.h>

#include <cmath>
#include <functional>
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

// The current path (a rectangle from x = 20 to 180, or a stroked line) filled
// with black to white from x = 50 to 150, padded past both ends, in one fill:
// through the fill rule or the stroke's outline, in the context's alpha.
TEST(GradientDrawingTest, FillsThePathOrItsStrokeWithTheGradient) {
    const Pixel white{255, 255, 255, 255};
    const Pixel grey{255, 128, 128, 128};
    struct Case {
        const char* name;
        std::function<void(GraphicsContext&, const Gradient&)> fill;
        std::vector<std::pair<Point, Pixel>> pixels;
    };
    const auto rectangle = [](GraphicsContext& context) { context.addRect({20, 0, 160, 10}); };
    const std::vector<Case> cases{
        {"linear over a rectangle",
         [&](GraphicsContext& context, const Gradient& gradient) {
             rectangle(context);
             context.fillPathWithLinearGradient(gradient, {50, 0}, {150, 0});
         },
         {{{10, 5}, kClear}, {{30, 5}, kOpaqueBlack}, {{100, 5}, grey}, {{170, 5}, white}, {{100, 15}, kClear}}},
        {"the stroke of a line",
         [](GraphicsContext& context, const Gradient& gradient) {
             context.setLineWidth(4);
             Path line;
             line.moveTo({0, 15});
             line.lineTo({200, 15});
             context.addPath(line);
             context.replacePathWithStrokedPath();
             context.fillPathWithLinearGradient(gradient, {50, 0}, {150, 0});
         },
         {{{100, 15}, grey}, {{100, 5}, kClear}, {{100, 18}, kClear}, {{170, 14}, white}, {{10, 16}, kOpaqueBlack}}},
        {"at half alpha",
         [&](GraphicsContext& context, const Gradient& gradient) {
             context.setAlpha(0.5);
             rectangle(context);
             context.fillPathWithLinearGradient(gradient, {50, 0}, {150, 0});
         },
         {{{30, 5}, {128, 0, 0, 0}}, {{100, 5}, {128, 64, 64, 64}}, {{170, 5}, {128, 128, 128, 128}}}},
        {"even-odd leaves the inner rectangle",
         [&](GraphicsContext& context, const Gradient& gradient) {
             rectangle(context);
             context.addRect({90, 2, 20, 6});
             context.fillPathWithLinearGradient(gradient, {50, 0}, {150, 0}, FillRule::evenOdd);
         },
         {{{100, 5}, kClear}, {{85, 5}, {255, 90, 90, 90}}}},
        {"radial from a centre",
         [&](GraphicsContext& context, const Gradient& gradient) {
             rectangle(context);
             context.fillPathWithRadialGradient(gradient, {100, 5}, 0, {100, 5}, 50);
         },
         {{{100, 5}, {255, 4, 4, 4}},
          {{124, 5}, {255, 125, 125, 125}},
          {{75, 5}, {255, 125, 125, 125}},
          {{160, 5}, white}}},
        {"no extent fills with the last colour",
         [&](GraphicsContext& context, const Gradient& gradient) {
             rectangle(context);
             context.fillPathWithLinearGradient(gradient, {50, 0}, {50, 0});
         },
         {{{30, 5}, white}, {{170, 5}, white}}},
        {"geometry that is not finite fills nothing",
         [&](GraphicsContext& context, const Gradient& gradient) {
             rectangle(context);
             context.fillPathWithRadialGradient(gradient, {NAN, 5}, 0, {100, 5}, 50);
             rectangle(context);
             context.fillPathWithRadialGradient(gradient, {100, 5}, -1, {100, 5}, 50);
             EXPECT_TRUE(context.isPathEmpty());
         },
         {{{30, 5}, kClear}, {{100, 5}, kClear}}},
    };
    const auto gradient = blackToWhite();
    ASSERT_NE(gradient, nullptr);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto context = bitmap(200, 20);
        test.fill(*context, *gradient);
        EXPECT_TRUE(context->isPathEmpty());
        const auto image = context->makeImage();
        for (const auto& [point, pixel] : test.pixels) {
            EXPECT_TRUE(pixelNear(*image, static_cast<int>(point.x), static_cast<int>(point.y), pixel, 2));
        }
    }
}

// A gradient is laid down through a mask of what the path covers: a gradient
// of one colour must cover exactly the pixels a fill of that colour covers,
// edges, clips, transforms and pixel masks included.
TEST(GradientDrawingTest, AGradientOfOneColourCoversWhatAFillOfThatColourCovers) {
    const Color colour = Color::rgb(0.9, 0.4, 0.1);
    const auto oneColour = Gradient::make(ColorSpace::deviceRGB(), std::vector<Color>{colour, colour},
                                          std::vector<double>{0, 1});
    ASSERT_NE(oneColour, nullptr);
    Path curve;
    curve.moveTo({6.3, 30.2});
    curve.curveTo({10, 2}, {50, 4.5}, {55.7, 31});
    curve.curveTo({40, 52}, {20, 57}, {6.3, 30.2});
    curve.closeSubpath();
    struct Case {
        const char* name;
        std::function<void(GraphicsContext&)> setUp;
        bool stroked;
        FillRule rule;
        bool inLayer = false;
    };
    const std::vector<Case> cases{
        {"a curved path", [](GraphicsContext&) {}, false, FillRule::winding},
        {"turned and scaled", [](GraphicsContext& c) { c.concatenate(AffineTransform::makeRotation(0.4).scaledBy(0.8, 1.1)); },
         false, FillRule::evenOdd},
        {"its stroke", [](GraphicsContext& c) { c.setLineWidth(5.5); }, true, FillRule::winding},
        {"under a clip between pixels", [](GraphicsContext& c) { c.clipToRect({10.4, 8.7, 30.2, 33.9}); }, false,
         FillRule::winding},
        {"in a transparency layer past the view's corner",
         [](GraphicsContext& c) {
             c.translateBy(-12.5, -9.25);
             c.beginTransparencyLayer();
         },
         true, FillRule::winding, true},
        {"through a pixel mask",
         [](GraphicsContext& c) {
             Path line;
             line.moveTo({0, 0});
             line.lineTo({64, 64});
             c.setLineWidth(20);
             c.addPath(line);
             c.clipToStrokeOfCurrentPath();
             c.setLineWidth(3);
         },
         true, FillRule::winding},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto draw = [&](bool gradient) {
            auto context = bitmap(64, 64);
            test.setUp(*context);
            context->addPath(curve);
            if (test.stroked) context->replacePathWithStrokedPath();
            if (gradient) {
                context->fillPathWithLinearGradient(*oneColour, {0, 0}, {64, 0}, test.rule);
            } else {
                context->setFillColor(colour);
                context->fillPath(test.rule);
            }
            if (test.inLayer) context->endTransparencyLayer();
            return context->makeImage();
        };
        const auto filled = draw(false);
        const auto throughGradient = draw(true);
        int covered = 0;
        for (int y = 0; y < 64; ++y) {
            for (int x = 0; x < 64; ++x) {
                const std::uint32_t want = filled->pixel(x, y);
                if (want != 0) ++covered;
                for (int shift : {0, 8, 16, 24}) {
                    ASSERT_NEAR(static_cast<int>((throughGradient->pixel(x, y) >> shift) & 0xff),
                                static_cast<int>((want >> shift) & 0xff), 1)
                        << x << "," << y;
                }
            }
        }
        EXPECT_GT(covered, 50);
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
