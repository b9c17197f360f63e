#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/PixelArithmetic.h"
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

TEST(TransparencyLayerTest, AlphaAsLayerGivesTheLayersPixels) {
    // Rectangles over a backdrop, filled and stroked, at alphas where the plain
    // product of colour and alpha rounds away from the layer's pixels.
    const Color colors[] = {Color::rgb(0.196, 0.314, 0.69), Color::rgb(1, 0.5, 0.25, 0.9),
                            Color::rgb(0.02, 1, 0.7, 0.3)};
    int roundedApart = 0;
    for (const Color& color : colors) {
        for (const double alpha : {0.0167, 0.3, 0.5, 0.77}) {
            SCOPED_TRACE(::testing::Message() << "alpha " << alpha);
            const auto draw = [&](GraphicsContext& context) {
                context.setFillColor(color);
                context.setStrokeColor(color);
                context.setLineWidth(2);
                context.fillRect(Rect(1, 1, 4, 4));
                context.addRect(Rect(7, 2, 2, 2));
                context.strokePath();
            };
            const auto layered = bitmap(10, 6), direct = bitmap(10, 6), plain = bitmap(10, 6);
            for (GraphicsContext* context : {layered.get(), direct.get(), plain.get()}) {
                context->setFillColor(Color::rgb(0.3, 0.7, 0.2, 0.6));
                context->fillRect(Rect(0, 0, 10, 6));
                context->setAlpha(alpha);
            }
            layered->beginTransparencyLayer();
            draw(*layered);
            layered->endTransparencyLayer();
            direct->setAlphaAsLayer(true);
            draw(*direct);
            draw(*plain);
            const auto expected = layered->makeImage(), image = direct->makeImage(), product = plain->makeImage();
            for (const auto& [x, y] : {std::pair{2, 2}, std::pair{4, 4}, std::pair{7, 2}, std::pair{6, 1}}) {
                const Pixel p = pixelAt(*expected, x, y);
                EXPECT_TRUE(pixelNear(*image, x, y, p)) << x << ", " << y;
                const Pixel q = pixelAt(*product, x, y);
                roundedApart += (p.a != q.a || p.r != q.r || p.g != q.g || p.b != q.b) ? 1 : 0;
            }
        }
    }
    // The plain product differs somewhere, or the table tests nothing.
    EXPECT_GT(roundedApart, 0);
}

TEST(TransparencyLayerTest, IsLaidDownPixelForPixelUnderAnyTransform) {
    // A layer holds device pixels: laid down whole, whatever the user space it
    // was opened in, it gives exactly the pixels of its drawing made
    // directly, through a pixel mask or without one. (Under a clip to a path
    // a drawing is cut exactly where the layer is laid down through the
    // clip's coverage: the edges may round apart.)
    struct Case {
        const char* name;
        AffineTransform transform;
    };
    const Case cases[] = {
        {"turned", AffineTransform::makeRotation(0.3).concatenating(AffineTransform::makeTranslation(21, 3))},
        {"scaled unevenly",
         AffineTransform::makeScale(0.55, 1.7).concatenating(AffineTransform::makeTranslation(4.3, 2.1))},
        {"turned and scaled",
         AffineTransform::makeRotation(-1.1).concatenating(AffineTransform::makeScale(0.6, 0.6)).concatenating(
             AffineTransform::makeTranslation(11, 27))},
    };
    enum class Clip { none, pixels };
    for (const Case& test : cases) {
        for (const Clip clip : {Clip::none, Clip::pixels}) {
            SCOPED_TRACE(::testing::Message() << test.name << ", clip " << static_cast<int>(clip));
            const auto layered = bitmap(40, 40), direct = bitmap(40, 40);
            for (GraphicsContext* context : {layered.get(), direct.get()}) {
                context->concatenate(test.transform);
                if (clip == Clip::pixels) {
                    context->setLineWidth(9);
                    context->addEllipse(Rect(4, 2, 20, 24));
                    context->clipToStrokeOfCurrentPath();
                }
            }
            const auto draw = [](GraphicsContext& context) {
                context.setFillColor(Color::rgb(0.9, 0.3, 0.1));
                context.addEllipse(Rect(0.5, 1.25, 30, 22));
                context.fillPath();
            };
            layered->beginTransparencyLayer();
            draw(*layered);
            layered->endTransparencyLayer();
            draw(*direct);
            const auto expected = direct->makeImage(), image = layered->makeImage();
            int differing = 0;
            for (int y = 0; y < 40; ++y) {
                for (int x = 0; x < 40; ++x) {
                    // Under a pixel mask the coverage of an antialiased edge
                    // may round a few levels apart between a drawing laid
                    // through the mask at once and one laid down with the
                    // layer; a resampled layer moves far more than that.
                    const std::uint32_t a = image->pixel(x, y), b = expected->pixel(x, y);
                    int largest = 0;
                    for (int shift = 0; shift < 32; shift += 8) {
                        largest = std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xff) -
                                                             static_cast<int>((b >> shift) & 0xff)));
                    }
                    differing += largest > (clip == Clip::pixels ? 3 : 0) ? 1 : 0;
                }
            }
            EXPECT_EQ(differing, 0);
        }
    }
}

TEST(TransparencyLayerTest, KeepsItsPlaceInDrawingOrderAndItsPixelsUnderAClipOfRectangles) {
    // A layer at an alpha between drawings before and after it: its pixels,
    // laid down whole, must be those the pixel library gives laying the same
    // picture down at that alpha, wherever the layer's buffer lies.
    struct Case {
        const char* name;
        std::vector<Rect> clip;  // none: unclipped
        std::optional<Rect> bounds;  // the layer's device box, when given
        bool nested;
        int shows;  // where the layer shows, along the diagonal
    };
    const Case cases[] = {
        {"unclipped", {}, std::nullopt, false, 18},
        {"under a rectangle of whole pixels", {Rect(5, 4, 20, 22)}, std::nullopt, false, 18},
        {"under a rectangle, within a box of its own", {Rect(5, 4, 20, 22)}, Rect(8, 9, 12, 10), false, 15},
        {"under a rectangle, one layer in another", {Rect(5, 4, 20, 22)}, std::nullopt, true, 18},
        {"under two rectangles", {Rect(2, 2, 10, 10), Rect(20, 18, 12, 14)}, std::nullopt, false, 25},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto layered = bitmap(40, 40), direct = bitmap(40, 40), apart = bitmap(40, 40);
        const auto clip = [&](GraphicsContext& context) {
            if (test.clip.empty()) return;
            for (const Rect& rect : test.clip) context.addRect(rect);
            context.clip();
        };
        for (GraphicsContext* context : {layered.get(), direct.get()}) {
            context->setFillColor(Color::rgb(0.1, 0.2, 0.9));
            context->fillRect(Rect(0, 0, 40, 40));
            clip(*context);
            context->setAlpha(0.6);
        }
        const auto draw = [](GraphicsContext& context) {
            context.setFillColor(Color::rgb(0.9, 0.3, 0.1));
            context.addEllipse(Rect(3, 5, 30, 26));
            context.fillPath();
        };
        layered->beginTransparencyLayer(test.bounds);
        if (test.nested) layered->beginTransparencyLayer();
        draw(*layered);
        if (test.nested) layered->endTransparencyLayer();
        layered->endTransparencyLayer();
        // The same picture drawn apart, and laid down by the pixel library.
        clip(*apart);
        if (test.bounds) apart->clipToRect(*test.bounds);
        draw(*apart);
        direct->drawDeviceImageIgnoringClip(*apart->makeImage(), 0, 0);
        for (GraphicsContext* context : {layered.get(), direct.get()}) {
            context->setAlpha(1);
            context->setFillColor(Color::rgb(0.2, 0.9, 0.3));
            context->fillRect(Rect(6, 6, 4, 4));  // over the layer
        }
        const auto expected = direct->makeImage(), image = layered->makeImage();
        int differing = 0;
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) differing += image->pixel(x, y) != expected->pixel(x, y) ? 1 : 0;
        }
        EXPECT_EQ(differing, 0);
        EXPECT_TRUE(pixelNear(*image, 7, 7, {255, 51, 230, 76}));
        EXPECT_FALSE(pixelNear(*image, test.shows, test.shows, pixelAt(*image, 1, 39))) << "the layer shows";
    }
}

TEST(TransparencyLayerTest, UnderAClipOfPathsIsLaidDownThroughItsCoverageAtItsAlpha) {
    // Inside the clip the layer's pixels are laid over at the alpha, outside
    // it nothing is, and its edge lies between; a drawing after it goes over it.
    const auto context = bitmap(40, 40);
    const std::uint32_t backdrop = 0xff1a33e6;
    context->setFillColor(Color::rgb(0x1a / 255.0, 0x33 / 255.0, 0xe6 / 255.0));
    context->fillRect(Rect(0, 0, 40, 40));
    context->addEllipse(Rect(6, 6, 28, 28));
    context->clip();
    context->setAlpha(0.6);
    context->beginTransparencyLayer();
    context->setFillColor(Color::rgb(1, 0, 0));
    context->fillRect(Rect(0, 0, 40, 40));
    context->setFillColor(Color::rgb(0, 1, 0, 0.5));
    context->fillRect(Rect(20, 0, 20, 40));
    context->endTransparencyLayer();
    context->setAlpha(1);
    context->setFillColor(Color::rgb(1, 1, 1));
    context->fillRect(Rect(18, 18, 2, 2));
    const auto image = context->makeImage();
    const std::uint32_t level = 153;  // 0.6 of 255
    const std::uint32_t red = 0xffff0000, redUnderGreen = PixelArithmetic::over(0x80008000, red);
    EXPECT_EQ(image->pixel(12, 20), PixelArithmetic::over(PixelArithmetic::multiplyChannels(red, level), backdrop));
    EXPECT_EQ(image->pixel(28, 20),
              PixelArithmetic::over(PixelArithmetic::multiplyChannels(redUnderGreen, level), backdrop));
    for (int x = 17; x < 23; ++x) {
        EXPECT_EQ(image->pixel(x, 25), PixelArithmetic::over(PixelArithmetic::multiplyChannels(
                                                                  x < 20 ? red : redUnderGreen, level),
                                                              backdrop))
            << x;
    }
    EXPECT_EQ(image->pixel(2, 2), backdrop);
    EXPECT_EQ(image->pixel(37, 37), backdrop);
    EXPECT_EQ(image->pixel(18, 18), 0xffffffffu);
    const Pixel edge = pixelAt(*image, 6, 20), inside = pixelAt(*image, 12, 20);
    EXPECT_GT(edge.r, 0x1a);
    EXPECT_LT(edge.r, inside.r);
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
