#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include <cmath>
#include <utility>

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
