// An image shown smaller than it is is drawn from the power-of-two reduction
// nearest above the size it is shown at, with a bilinear filter for what
// remains: the level chosen per scale, the picture against a direct
// convolution of the whole image, the copies kept bounded, and hostile sizes.

#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/ImageSampling.h"
#include "Platform/Graphics/WorkBudget.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

TEST(ImageSampling, TheReductionLeavesTheLargerScaleBetweenAHalfAndOne) {
    struct Case {
        std::string name;
        double scaleX, scaleY;
        int width, height;
        ImageSampling expected;
    };
    const std::vector<Case> cases{
        {"as large as it is", 1, 1, 256, 256, {1, false}},
        {"enlarged", 3.5, 2, 256, 256, {1, false}},
        {"nearly as large", 0.9, 0.8, 256, 256, {1, false}},
        {"just over half", 0.51, 0.51, 256, 256, {1, false}},
        {"half", 0.5, 0.5, 256, 256, {2, false}},
        {"a third", 0.3, 0.3, 256, 256, {2, false}},
        {"a quarter", 0.25, 0.25, 256, 256, {4, false}},
        {"a tenth", 0.1, 0.1, 256, 256, {8, false}},
        {"flipped", -0.1, -0.3, 256, 256, {2, true}},
        // The larger scale decides, so that no axis is enlarged from a
        // reduction; the other shrinks further, by a convolution.
        {"shrunk one way", 0.45, 0.1, 256, 256, {2, true}},
        {"shrunk the other way", 0.2, 0.9, 256, 256, {1, true}},
        {"stretched one way", 4, 0.1, 256, 256, {1, true}},
        // A reduction is never narrower than a pixel.
        {"a line of pixels", 0.001, 0.001, 1, 40000, {1, true}},
        {"small", 0.01, 0.01, 5, 7, {4, true}},
        {"a millionth", 1e-6, 1e-6, 1024, 1024, {1024, true}},
        {"a million times", 1e6, 1e6, 1024, 1024, {1, false}},
        {"not shown", 0, 0.5, 256, 256, {1, false}},
        {"not a number", std::nan(""), 0.5, 256, 256, {1, false}},
        {"infinite", INFINITY, 0.5, 256, 256, {1, false}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const ImageSampling sampling = ImageSampling::forScale(test.scaleX, test.scaleY, test.width, test.height);
        EXPECT_EQ(sampling.factor, test.expected.factor);
        EXPECT_EQ(sampling.convolves, test.expected.convolves);
    }
}

// An opaque picture of `side` x `side` with smooth shading, hard edges and
// fine detail, as photographs and illustrations have.
std::shared_ptr<const Image> pictureImage(int side) {
    const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, side);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const double u = static_cast<double>(x) / side, v = static_cast<double>(y) / side;
            const bool block = ((x / 24) + (y / 24)) % 2 == 0;
            const double ring = 0.5 + 0.5 * std::sin(std::hypot(u - 0.4, v - 0.6) * 60);
            std::uint8_t* pixel = pixels.data() + static_cast<std::size_t>(y) * stride + x * 4;
            pixel[0] = static_cast<std::uint8_t>(255 * ring);                      // blue
            pixel[1] = static_cast<std::uint8_t>(block ? 220 : 40);               // green
            pixel[2] = static_cast<std::uint8_t>(255 * u * (1 - v) + 30 * ((x + y) % 3)); // red
            pixel[3] = 255;
        }
    }
    return Image::make(side, side, Image::Format::argb32Premultiplied, std::move(pixels));
}

constexpr int target = 160;

// What the reductions of an image may hold together: a quarter of its pixels,
// a sixteenth, and so on (a third in all), and a row and a column more for
// each, as their sides are rounded up.
std::int64_t reductionBound(int width, int height) {
    return static_cast<std::int64_t>(width) * height / 3 + width + height + 32;
}

// The image drawn into `rect` under `transform`, on a clear target.
std::shared_ptr<const Image> drawnThroughContext(const Image& image, const AffineTransform& transform,
                                                 const Rect& rect) {
    auto context = bitmap(target, target);
    if (!context) return nullptr;
    context->concatenate(transform);
    context->drawImage(image, rect);
    return GraphicsContext::finishImage(std::move(context));
}

// The image painted into `rect` under `transform` by the pixel library itself,
// clipped to the rectangle (after `clip`, in device space, draws the clip's
// path, when given), with `filter` and `alpha`.
std::shared_ptr<const Image> paintedDirectly(const Image& image, const AffineTransform& transform, const Rect& rect,
                                             cairo_filter_t filter, double alpha = 1,
                                             const std::function<void(cairo_t*)>& clip = {}) {
    const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, target);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * target);
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(pixels.data(), CAIRO_FORMAT_ARGB32, target, target, stride);
    cairo_surface_t* source = cairo_image_surface_create_for_data(
        const_cast<std::uint8_t*>(image.pixels().data()), CAIRO_FORMAT_ARGB32, image.width(), image.height(),
        image.bytesPerRow());
    cairo_t* cairo = cairo_create(surface);
    if (clip) {
        clip(cairo);
        cairo_clip(cairo);
    }
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, transform.a, transform.b, transform.c, transform.d, transform.tx, transform.ty);
    cairo_set_matrix(cairo, &matrix);
    cairo_rectangle(cairo, rect.minX(), rect.minY(), rect.width(), rect.height());
    cairo_clip(cairo);
    cairo_translate(cairo, rect.minX(), rect.minY());
    cairo_scale(cairo, rect.width() / image.width(), rect.height() / image.height());
    cairo_set_source_surface(cairo, source, 0, 0);
    cairo_pattern_set_extend(cairo_get_source(cairo), CAIRO_EXTEND_PAD);
    cairo_pattern_set_filter(cairo_get_source(cairo), filter);
    cairo_paint_with_alpha(cairo, alpha);
    cairo_destroy(cairo);
    cairo_surface_destroy(source);
    cairo_surface_destroy(surface);
    return Image::make(target, target, Image::Format::argb32Premultiplied, std::move(pixels));
}

// The same drawing made by convolving the whole image on the device, as the
// pixel library does when asked for its good filter.
std::shared_ptr<const Image> convolvedDirectly(const Image& image, const AffineTransform& transform,
                                               const Rect& rect) {
    return paintedDirectly(image, transform, rect, CAIRO_FILTER_GOOD);
}

// The root mean square of the differences of all channels, in levels of 255.
double rootMeanSquareDifference(const Image& a, const Image& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const Pixel p = pixelAt(a, x, y), q = pixelAt(b, x, y);
            sum += (p.a - q.a) * (p.a - q.a) + (p.r - q.r) * (p.r - q.r) + (p.g - q.g) * (p.g - q.g) +
                   (p.b - q.b) * (p.b - q.b);
        }
    }
    return std::sqrt(sum / (4.0 * a.width() * a.height()));
}

TEST(ImageSampling, AReducedImageLooksAsTheWholeImageConvolved) {
    struct Case {
        std::string name;
        AffineTransform transform;
        Rect rect;
    };
    const auto turned = [](double x, double y, double angle) {
        return AffineTransform::makeRotation(angle).concatenating(AffineTransform::makeTranslation(x, y));
    };
    // A picture of 470 pixels a side (not a multiple of the reductions, whose
    // last blocks pass its edges) into rectangles that show it at the scale named.
    constexpr double side = 470;
    const std::vector<Case> cases{
        {"at 0.7, from itself", {}, Rect(3.3, 2.6, side * 0.7, side * 0.7)},
        {"at 0.55, from itself", {}, Rect(1.5, 4.25, side * 0.55, side * 0.55)},
        {"at 0.4, halved", {}, Rect(7.7, 3.1, side * 0.4, side * 0.4)},
        {"at 0.27, halved", {}, Rect(0.4, 9.9, side * 0.27, side * 0.27)},
        {"at 0.15, by four", {}, Rect(20.2, 30.3, side * 0.15, side * 0.15)},
        {"at 0.06, by sixteen", {}, Rect(50.5, 60.6, side * 0.06, side * 0.06)},
        {"at 0.3, turned", turned(80, 10, 0.5), Rect(0, 0, side * 0.3, side * 0.3)},
        {"at 0.45 by 0.12", {}, Rect(5.5, 6.5, side * 0.45, side * 0.12)},
        {"at 0.2, scaled by the context", AffineTransform::makeScale(0.5, 0.5), Rect(10.1, 10.2, side * 0.4, side * 0.4)},
    };
    const auto image = pictureImage(static_cast<int>(side));
    ASSERT_TRUE(image);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto drawn = drawnThroughContext(*image, test.transform, test.rect);
        const auto expected = convolvedDirectly(*image, test.transform, test.rect);
        ASSERT_TRUE(drawn && expected);
        const double difference = rootMeanSquareDifference(*drawn, *expected);
        RecordProperty(test.name, std::to_string(difference));
        EXPECT_LT(difference, 8.0);
    }
}

// Where the alpha of a picture lies across, on average, in device pixels.
double alphaCentreX(const Image& picture) {
    double weighted = 0, total = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const double alpha = pixelAt(picture, x, y).a;
            weighted += alpha * (x + 0.5);
            total += alpha;
        }
    }
    return total > 0 ? weighted / total : -1;
}

TEST(ImageSampling, AReductionLandsWhereTheImageDoes) {
    struct Case {
        std::string name;
        int side;
        // The one column of the image that is opaque.
        int column;
        double scale;
    };
    // Sides that the reductions do not divide: their last blocks pass the
    // image's edges, and must not stretch the picture.
    const std::vector<Case> cases{
        {"by eight, near the far edge", 65, 60, 0.1},
        {"by four, in the middle", 101, 50, 0.2},
        {"by two, near the far edge", 301, 290, 0.4},
        {"by sixteen, near the far edge", 161, 150, 0.05},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, test.side);
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * test.side);
        for (int y = 0; y < test.side; ++y) {
            std::fill_n(pixels.data() + static_cast<std::size_t>(y) * stride + test.column * 4, 4, 0xff);
        }
        const auto image = Image::make(test.side, test.side, Image::Format::argb32Premultiplied, std::move(pixels));
        ASSERT_TRUE(image);
        const Rect rect(10.25, 10.5, test.side * test.scale, test.side * test.scale);
        const auto drawn = drawnThroughContext(*image, {}, rect);
        const auto expected = convolvedDirectly(*image, {}, rect);
        ASSERT_TRUE(drawn && expected);
        EXPECT_NEAR(alphaCentreX(*drawn), alphaCentreX(*expected), 0.15);
    }
}

TEST(ImageSampling, ATurnedImageIsLaidDownAsClippedToItsRectangle) {
    // A turned image is laid down in one pass through its coverage; the
    // picture is that of painting it clipped to its rectangle.
    struct Case {
        std::string name;
        double alpha;
        // A clip of the context's own, in device space; none when empty.
        Rect clip;
        bool clipIsEllipse;
        // A path of the caller's, made to stand for its stroke, waits to be
        // filled: the image is laid into its rectangle all the same.
        bool strokedPathPending = false;
    };
    const std::vector<Case> cases{
        {"opaque", 1, Rect(), false},
        {"through an alpha", 0.45, Rect(), false},
        {"under a clip", 1, Rect(30.5, 20.25, 70, 90), false},
        {"under a round clip, through an alpha", 0.7, Rect(20, 15, 110, 100), true},
        {"with a stroked path pending", 1, Rect(), false, true},
    };
    const auto image = pictureImage(150);
    ASSERT_TRUE(image);
    const AffineTransform transform =
        AffineTransform::makeRotation(0.35).concatenating(AffineTransform::makeTranslation(60.3, 5.7));
    const Rect rect(2.2, 3.4, 120.5, 110.25);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto context = bitmap(target, target);
        ASSERT_TRUE(context);
        if (!test.clip.isEmpty()) {
            context->beginPath();
            if (test.clipIsEllipse) {
                context->addEllipse(test.clip);
            } else {
                context->addRect(test.clip);
            }
            context->clip();
        }
        context->concatenate(transform);
        context->setAlpha(test.alpha);
        if (test.strokedPathPending) {
            context->addRect(Rect(10, 10, 20, 20));
            context->replacePathWithStrokedPath();
        }
        context->drawImage(*image, rect);
        const auto drawn = GraphicsContext::finishImage(std::move(context));

        std::function<void(cairo_t*)> clip;
        if (!test.clip.isEmpty()) {
            clip = [&](cairo_t* cairo) {
                if (!test.clipIsEllipse) {
                    cairo_rectangle(cairo, test.clip.minX(), test.clip.minY(), test.clip.width(), test.clip.height());
                    return;
                }
                cairo_save(cairo);
                cairo_translate(cairo, test.clip.midX(), test.clip.midY());
                cairo_scale(cairo, test.clip.width() / 2, test.clip.height() / 2);
                cairo_arc(cairo, 0, 0, 1, 0, 2 * M_PI);
                cairo_restore(cairo);
            };
        }
        const auto expected = paintedDirectly(*image, transform, rect, CAIRO_FILTER_BILINEAR, test.alpha, clip);
        ASSERT_TRUE(drawn && expected);
        int differing = 0;
        for (int y = 0; y < target; ++y) {
            for (int x = 0; x < target; ++x) {
                if (!pixelNear(*drawn, x, y, pixelAt(*expected, x, y), 2)) {
                    if (++differing <= 3) ADD_FAILURE() << pixelNear(*drawn, x, y, pixelAt(*expected, x, y), 2).message();
                }
            }
        }
        EXPECT_EQ(differing, 0);
    }
}

TEST(ImageSampling, TheCopiesKeptHoldAboutAThirdOfTheImage) {
    // One image drawn at every scale from its own size down to a few pixels,
    // in several places, as an animation that shrinks and moves it would.
    const auto image = pictureImage(480);
    ASSERT_TRUE(image);
    auto context = bitmap(target, target);
    ASSERT_TRUE(context);
    for (double scale = 1; scale > 0.005; scale *= 0.83) {
        for (double offset : {0.0, 0.5, 1.25}) {
            context->drawImage(*image, Rect(offset, offset, 480 * scale, 480 * scale));
        }
    }
    EXPECT_GT(image->reducedPixelsHeld(), 0);
    EXPECT_LE(image->reducedPixelsHeld(), reductionBound(480, 480));
    // Each reduction is made once and kept.
    for (int factor = 2; factor <= 128; factor *= 2) {
        const auto reduced = image->reduced(factor);
        ASSERT_TRUE(reduced);
        EXPECT_EQ(image->reduced(factor), reduced);
        EXPECT_LE(reduced->shownCopies().pixelsHeld(), static_cast<std::int64_t>(reduced->width()) * reduced->height());
    }
}

TEST(ImageSampling, AReductionMadeFromAnotherIsTheMeanOfTheImageToRounding) {
    const auto chained = pictureImage(100);
    ASSERT_TRUE(chained);
    // The halved copy is kept; the copy by eight is made from it, the one by
    // four from the halved one too, the one by 32 from the one by eight. Each
    // is compared with the same reduction made straight from the image.
    ASSERT_TRUE(chained->reduced(2));
    for (int factor : {8, 4, 32}) {
        SCOPED_TRACE(factor);
        const auto straight = pictureImage(100);
        ASSERT_TRUE(straight);
        const auto fromCopy = chained->reduced(factor);
        const auto fromImage = straight->reduced(factor);
        ASSERT_TRUE(fromCopy && fromImage);
        ASSERT_EQ(fromCopy->width(), fromImage->width());
        ASSERT_EQ(fromCopy->height(), fromImage->height());
        // The blocks that lie within the image: at the edges, the last row
        // and column repeated are those of what the copy is made from.
        int differing = 0;
        for (int y = 0; (y + 1) * factor <= 100; ++y) {
            for (int x = 0; (x + 1) * factor <= 100; ++x) {
                if (!pixelNear(*fromCopy, x, y, pixelAt(*fromImage, x, y), 2)) ++differing;
            }
        }
        EXPECT_EQ(differing, 0);
    }
    EXPECT_LE(chained->reducedPixelsHeld(), reductionBound(100, 100));
}

TEST(ImageSampling, ViewsOnSeveralThreadsShareEachReduction) {
    // The images of a document are shared by views drawn on different threads.
    const auto image = pictureImage(300);
    ASSERT_TRUE(image);
    constexpr int threadCount = 4;
    std::vector<std::vector<std::shared_ptr<const Image>>> seen(threadCount);
    std::vector<std::thread> threads;
    for (int index = 0; index < threadCount; ++index) {
        // Each asks for the reductions in an order of its own, as views shown
        // at different sizes would.
        threads.emplace_back([&, index] {
            std::vector<std::shared_ptr<const Image>>& reductions = seen[static_cast<std::size_t>(index)];
            reductions.resize(6);
            for (int step = 0; step < 6; ++step) {
                const int level = (step + index) % 6;
                reductions[static_cast<std::size_t>(level)] = image->reduced(2 << level);
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (const auto& reductions : seen) {
        EXPECT_EQ(reductions, seen.front()) << "each reduction is made once and shared";
    }
    EXPECT_LE(image->reducedPixelsHeld(), reductionBound(300, 300));
}

TEST(ImageSampling, HostileSizesAndScalesDrawWithinTheirBounds) {
    struct Case {
        std::string name;
        int width, height;
        double scaleX, scaleY;
    };
    const std::vector<Case> cases{
        {"a column of pixels, a millionth", 1, 40000, 1e-6, 1e-6},
        {"a column of pixels, a million times", 1, 40000, 1e6, 1e6},
        {"a row of pixels, shrunk along it", 40000, 1, 1e-3, 1},
        {"a large image, a millionth", 2048, 2048, 1e-6, 1e-6},
        {"a large image, a million times", 2048, 2048, 1e6, 1e6},
        {"a large image, a millionth one way", 2048, 2048, 1e-6, 1e6},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, test.width);
        const auto image = Image::make(test.width, test.height, Image::Format::argb32Premultiplied,
                                       std::vector<std::uint8_t>(static_cast<std::size_t>(stride) * test.height, 0xff));
        ASSERT_TRUE(image);
        auto context = bitmap(64, 64);
        ASSERT_TRUE(context);
        WorkBudget budget(250e6);
        const WorkBudget::Activation activation(budget);
        for (int frame = 0; frame < 3; ++frame) {
            context->drawImage(*image, Rect(1.5 + frame, 2.5, test.width * test.scaleX, test.height * test.scaleY));
        }
        EXPECT_FALSE(budget.isSpent());
        const std::int64_t imagePixels = static_cast<std::int64_t>(test.width) * test.height;
        EXPECT_LE(image->reducedPixelsHeld(), reductionBound(test.width, test.height));
        EXPECT_LE(image->shownCopies().pixelsHeld(), imagePixels);
    }
}

}  // namespace
}  // namespace platform::graphics
