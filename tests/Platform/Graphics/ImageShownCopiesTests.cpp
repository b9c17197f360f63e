// An image drawn again where it was drawn before is laid down from a copy
// resampled there: the same pixels as resampling it again (up to rounding), in every state a
// drawing can be made in, and copies kept only where they pay and as far as
// their bound allows.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/ImageShownCopies.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

// A premultiplied image of `side` x `side` with a different colour and alpha
// at every pixel, so that any difference in resampling shows.
std::shared_ptr<const Image> patternImage(int side) {
    const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, side);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * side);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const int alpha = 128 + (x * 7 + y * 3) % 128;
            std::uint8_t* pixel = pixels.data() + static_cast<std::size_t>(y) * stride + x * 4;
            pixel[0] = static_cast<std::uint8_t>((x * 13 + y * 5) % (alpha + 1));
            pixel[1] = static_cast<std::uint8_t>((x * 3 + y * 11) % (alpha + 1));
            pixel[2] = static_cast<std::uint8_t>((x * y) % (alpha + 1));
            pixel[3] = static_cast<std::uint8_t>(alpha);
        }
    }
    return Image::make(side, side, Image::Format::argb32Premultiplied, std::move(pixels));
}

// A grey mask image: opaque on the left half, half on the right.
std::shared_ptr<const Image> halfMask(int width, int height) {
    const int stride = Image::bytesPerRowFor(Image::Format::grey8, width);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) pixels[static_cast<std::size_t>(y) * stride + x] = x < width / 2 ? 255 : 128;
    }
    return Image::make(width, height, Image::Format::grey8, std::move(pixels));
}

constexpr int side = 40;

// Draws `image` on a fresh target, in the state `prepare` sets up.
std::shared_ptr<const Image> drawn(const Image& image, const std::function<void(GraphicsContext&)>& prepare,
                                   const Rect& rect) {
    auto context = GraphicsContext::makeBitmap(side, side);
    EXPECT_NE(context, nullptr);
    if (!context) return nullptr;
    context->setFillColor(Color::fromRGBA(ColorSpace::deviceRGB(), 0.2, 0.4, 0.6, 1));
    context->fillRect(Rect(0, 0, side, side));
    prepare(*context);
    context->drawImage(image, rect);
    return GraphicsContext::finishImage(std::move(context));
}

// Equal up to one level of rounding per channel: through a pixel mask the
// resampled pixels are rounded once more before they are laid down.
void expectSamePixels(const Image& actual, const Image& expected) {
    ASSERT_EQ(actual.width(), expected.width());
    ASSERT_EQ(actual.height(), expected.height());
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (!pixelNear(actual, x, y, pixelAt(expected, x, y), 1)) {
                if (++differing <= 3) ADD_FAILURE() << pixelNear(actual, x, y, pixelAt(expected, x, y), 1).message();
            }
        }
    }
    EXPECT_EQ(differing, 0);
}

TEST(ImageShownCopies, AnImageDrawnAgainWhereItWasLooksAsResampledAgain) {
    struct Case {
        std::string name;
        std::function<void(GraphicsContext&)> prepare;
        Rect rect;
    };
    const auto mask = halfMask(side, side);
    ASSERT_TRUE(mask);
    const std::vector<Case> cases{
        {"shown smaller, off whole pixels", [](GraphicsContext&) {}, Rect(3.3, 4.6, 25.5, 21.25)},
        {"through an alpha", [](GraphicsContext& c) { c.setAlpha(0.55); }, Rect(2.5, 2.5, 30, 30)},
        // Another clip whose edge meets the image's edge off whole pixels:
        // both edges are one edge, anti-aliased once.
        {"under a clip along its edge", [](GraphicsContext& c) { c.clipToRect(Rect(3.3, 4.6, 12.35, 21.25)); },
         Rect(3.3, 4.6, 25.5, 21.25)},
        {"through a pixel mask", [&](GraphicsContext& c) { c.clipToMask(Rect(0, 0, side, side), *mask); },
         Rect(1.25, 6.75, 33, 20)},
        {"turned and scaled",
         [](GraphicsContext& c) {
             c.translateBy(20.3, 3.7);
             c.rotateBy(0.4);
             c.scaleBy(0.5, 0.45);
         },
         Rect(0, 0, 48, 48)},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        // A new image per case: copies stay with the image they were made from.
        const auto image = patternImage(64);
        ASSERT_TRUE(image);
        const auto first = drawn(*image, test.prepare, test.rect);
        ASSERT_TRUE(first);
        EXPECT_EQ(image->shownCopies().pixelsHeld(), 0) << "a copy is made only for a placement seen before";
        // The second drawing at the same placement makes the copy, the third uses it.
        const auto second = drawn(*image, test.prepare, test.rect);
        EXPECT_GT(image->shownCopies().pixelsHeld(), 0);
        const auto third = drawn(*image, test.prepare, test.rect);
        ASSERT_TRUE(second && third);
        expectSamePixels(*second, *first);
        expectSamePixels(*third, *first);
    }
}

TEST(ImageShownCopies, CopiesAreKeptOnlyWhereTheyPayAndWithinTheirBound) {
    struct Case {
        std::string name;
        // The rectangles of successive drawings of one 64 x 64 image.
        std::vector<Rect> rects;
        bool kept;
    };
    const std::vector<Case> cases{
        {"shown smaller twice", {Rect(1, 1, 30, 30), Rect(1, 1, 30, 30)}, true},
        // Resampling to a larger size touches fewer source pixels than it
        // writes: a copy would cost more memory than it saves work.
        {"shown larger", {Rect(-10, -10, 70, 70), Rect(-10, -10, 70, 70), Rect(-10, -10, 70, 70)}, false},
        {"moving on every drawing", {Rect(1, 1, 30, 30), Rect(1.5, 1, 30, 30), Rect(2, 1, 30, 30)}, false},
        {"two places taking turns",
         {Rect(1, 1, 20, 20), Rect(10, 10, 20, 20), Rect(1, 1, 20, 20), Rect(10, 10, 20, 20)}, true},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto image = patternImage(64);
        ASSERT_TRUE(image);
        for (const Rect& rect : test.rects) drawn(*image, [](GraphicsContext&) {}, rect);
        EXPECT_EQ(image->shownCopies().pixelsHeld() > 0, test.kept);
        EXPECT_LE(image->shownCopies().pixelsHeld(), 64 * 64);
    }
}

TEST(ImageShownCopies, RemembersAFewPlacementsAndHoldsNoMoreThanItsLimit) {
    const auto copyOf = [](int width, int height) {
        return Image::make(width, height, Image::Format::argb32Premultiplied,
                           std::vector<std::uint8_t>(static_cast<std::size_t>(width) * height * 4));
    };
    const auto at = [](double x) {
        return ImageShownCopies::Placement{AffineTransform::makeTranslation(x, 0), 0, 0, 10, 10};
    };
    ImageShownCopies copies;
    EXPECT_FALSE(copies.sight(at(0)).seenBefore);
    EXPECT_TRUE(copies.sight(at(0)).seenBefore);
    EXPECT_FALSE(copies.keep(at(1), copyOf(10, 10), 1000)) << "a placement never seen keeps nothing";
    EXPECT_TRUE(copies.keep(at(0), copyOf(10, 10), 1000));
    EXPECT_TRUE(copies.sight(at(0)).copy);
    // A second copy that would pass the limit together with the first is refused.
    copies.sight(at(1));
    EXPECT_FALSE(copies.keep(at(1), copyOf(10, 10), 150));
    EXPECT_EQ(copies.pixelsHeld(), 100);
    // Past the number of placements remembered, the least recent is forgotten with its copy.
    for (std::size_t index = 0; index < ImageShownCopies::maximumPlacements; ++index) {
        copies.sight(at(10.0 + static_cast<double>(index)));
    }
    EXPECT_EQ(copies.pixelsHeld(), 0);
    EXPECT_FALSE(copies.sight(at(0)).seenBefore);
}

}  // namespace
}  // namespace platform::graphics
