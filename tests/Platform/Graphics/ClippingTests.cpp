#include <gtest/gtest.h>

#include "Platform/Graphics/GraphicsContext.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

std::shared_ptr<const Image> halfWhiteMask() {
    // 20 x 20 grey: left half white, one column of mid grey, the rest black.
    auto grey = GraphicsContext::makeGreyBitmap(20, 20);
    EXPECT_NE(grey, nullptr);
    grey->setFillColor(Color::grey(1));
    grey->fillRect(Rect(0, 0, 10, 20));
    grey->setFillColor(Color::grey(0.5));
    grey->fillRect(Rect(10, 0, 1, 20));
    return grey->makeImage();
}

TEST(ClipTest, ToAStrokeOrFillingItsOutline) {
    // Clipping to the stroke directly, or replacing the path with its stroke and then
    // clipping to that or filling it, all cover the same band around the rectangle.
    enum class Way { clipToStroke, replaceAndClip, replaceAndFill };
    for (Way way : {Way::clipToStroke, Way::replaceAndClip, Way::replaceAndFill}) {
        SCOPED_TRACE(static_cast<int>(way));
        auto context = bitmap(40, 40);
        context->setLineWidth(6);
        context->setFillColor(Color::rgb(1, 0, 0));
        context->addRect(Rect(10, 10, 20, 20));
        if (way == Way::clipToStroke) {
            context->clipToStrokeOfCurrentPath();
        } else {
            context->replacePathWithStrokedPath();
        }
        if (way == Way::replaceAndFill) {
            context->fillPath();
        } else {
            if (way == Way::replaceAndClip) {
                context->clip();
            }
            EXPECT_NEAR(context->clipBoundingBox().minX(), 7, 1e-9);
            context->fillRect(Rect(0, 0, 40, 40));
        }
        const auto image = context->makeImage();
        EXPECT_TRUE(pixelNear(*image, 8, 20, kOpaqueRed));  // on the stroke
        EXPECT_TRUE(pixelNear(*image, 20, 20, kClear));     // inside it
        EXPECT_TRUE(pixelNear(*image, 3, 20, kClear));      // outside it
    }
}

TEST(ClipTest, ToAMaskImageOverARectangle) {
    const auto mask = halfWhiteMask();
    ASSERT_NE(mask, nullptr);
    auto context = bitmap(40, 40);
    context->clipToMask(Rect(10, 10, 20, 20), *mask);
    const Rect box = context->clipBoundingBox();
    EXPECT_EQ(box, Rect(10, 10, 20, 20));
    context->setFillColor(Color::rgb(1, 0, 0));
    context->fillRect(Rect(0, 0, 40, 40));
    const auto image = context->makeImage();
    EXPECT_TRUE(pixelNear(*image, 12, 20, kOpaqueRed));            // white in the mask
    EXPECT_TRUE(pixelNear(*image, 20, 20, {128, 128, 0, 0}, 1));   // mid grey: half coverage
    EXPECT_TRUE(pixelNear(*image, 22, 20, kClear));                // black in the mask
    EXPECT_TRUE(pixelNear(*image, 5, 20, kClear));                 // outside the rectangle
}

TEST(ClipTest, ItsDeviceBoxIsTheClipsOwnWhateverTheTransform) {
    // Under a turn the user-space box, carried back to the device, is wider
    // than the clip; the device box is the clip's own, cut to the target and
    // to a mask, and nothing where nothing can be drawn.
    auto context = bitmap(100, 100);
    context->clipToRect(Rect(20, 30, 40, 10));
    context->translateBy(50, 50);
    context->rotateBy(0.5);
    EXPECT_EQ(context->deviceClipBoundingBox(), Rect(20, 30, 40, 10));
    EXPECT_GT(context->clipBoundingBox().applying(context->currentTransform()).width(), 40);
    context->scaleBy(0, 1);
    EXPECT_TRUE(context->deviceClipBoundingBox().isNull());

    auto masked = bitmap(40, 40);
    masked->clipToRect(Rect(-10, 5, 100, 20));
    EXPECT_EQ(masked->deviceClipBoundingBox(), Rect(0, 5, 40, 20));
    const auto mask = halfWhiteMask();
    ASSERT_NE(mask, nullptr);
    masked->clipToMask(Rect(10, 10, 20, 20), *mask);
    EXPECT_EQ(masked->deviceClipBoundingBox(), Rect(10, 10, 20, 15));
    masked->clipToRect(Rect(0, 0, 2, 2));
    EXPECT_TRUE(masked->deviceClipBoundingBox().isNull() || masked->deviceClipBoundingBox().isEmpty());
}

TEST(ClipTest, AnARGBMaskUsesItsAlphaAndStrokesThroughMasks) {
    auto source = bitmap(4, 4);
    source->setFillColor(Color::rgb(0, 1, 0, 0.25));
    source->fillRect(Rect(0, 0, 4, 4));
    const auto mask = source->makeImage();
    auto context = bitmap(8, 8);
    context->clipToMask(Rect(0, 0, 8, 8), *mask);
    context->setStrokeColor(Color::rgb(1, 1, 1));
    context->setLineWidth(8);
    Path line;
    line.moveTo({0, 4});
    line.lineTo({8, 4});
    context->addPath(line);
    context->strokePath();
    EXPECT_TRUE(pixelNear(*context->makeImage(), 4, 4, {64, 64, 64, 64}, 1));
}

TEST(ClipTest, ToTheAlphaOfABitmapDrawnApart) {
    // A 10 x 10 mask whose left half is opaque and whose right half lets a
    // quarter through, placed at device pixel (20, 10) of a 40 x 40 context
    // drawn at twice its user space (earlier clips are given in user space).
    struct Case {
        const char* name;
        std::unique_ptr<GraphicsContext> (*make)(int, int);
        // Something clipped to before the mask.
        void (*before)(GraphicsContext&);
        std::vector<std::pair<Point, Pixel>> probes;
    };
    const Pixel quarterRed{64, 64, 0, 0};
    const Case cases[] = {
        {"coverage alone", GraphicsContext::makeAlphaBitmap, [](GraphicsContext&) {},
         {{{22, 15}, kOpaqueRed}, {{27, 15}, quarterRed}, {{15, 15}, kClear}, {{22, 25}, kClear}}},
        {"an ARGB bitmap, by its alpha", GraphicsContext::makeBitmap, [](GraphicsContext&) {},
         {{{22, 15}, kOpaqueRed}, {{27, 15}, quarterRed}, {{31, 15}, kClear}, {{22, 5}, kClear}}},
        {"within an earlier pixel mask",
         GraphicsContext::makeAlphaBitmap,
         [](GraphicsContext& c) {
             auto half = Image::make(1, 1, Image::Format::grey8, std::vector<std::uint8_t>(4, 128));
             c.clipToMask(Rect(0, 0, 12.5, 20), *half);
         },
         {{{22, 15}, {128, 128, 0, 0}}, {{27, 15}, kClear}}},
        {"within an earlier path clip",
         GraphicsContext::makeAlphaBitmap,
         [](GraphicsContext& c) {
             c.addEllipse(Rect(9, 4, 3, 7));
             c.clip();
         },
         {{{21, 15}, kOpaqueRed}, {{27, 15}, kClear}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        auto mask = test.make(10, 10);
        ASSERT_NE(mask, nullptr);
        mask->setFillColor(Color::rgb(0, 0, 1));
        mask->fillRect(Rect(0, 0, 5, 10));
        mask->setFillColor(Color::rgb(0, 1, 0, 0.25));
        mask->fillRect(Rect(5, 0, 5, 10));
        auto context = bitmap(40, 40);
        // The mask is placed on device pixels, whatever the user space.
        context->scaleBy(2, 2);
        test.before(*context);
        context->clipToAlphaOf(std::move(mask), 20, 10);
        context->setFillColor(Color::rgb(1, 0, 0));
        context->fillRect(Rect(0, 0, 20, 20));
        const auto image = context->makeImage();
        for (const auto& [point, expected] : test.probes) {
            EXPECT_TRUE(pixelNear(*image, static_cast<int>(point.x), static_cast<int>(point.y), expected, 1));
        }
    }
}

TEST(ClipTest, TheClipAsRectanglesFollowsStatesAndLayers) {
    // The clip's rectangles, asked for again and again while drawing, are
    // those of the clip in force: after a clip, after the state that made
    // it is restored, in a transparency layer (whose own clip is its box,
    // with no clip of the layer's state yet) and after it ends.
    auto context = bitmap(100, 80);
    const auto rectangles = [&] {
        const std::optional<DeviceClipShape> shape = context->deviceClipShape();
        EXPECT_TRUE(shape);
        EXPECT_TRUE(shape && shape->paths.empty());
        return shape ? shape->rectangles : std::vector<Rect>{};
    };
    const std::vector<Rect> whole{Rect(0, 0, 100, 80)};
    EXPECT_EQ(rectangles(), whole);
    context->saveGState();
    context->clipToRect(Rect(10, 20, 30, 40));
    EXPECT_EQ(rectangles(), std::vector<Rect>{Rect(10, 20, 30, 40)});
    context->restoreGState();
    EXPECT_EQ(rectangles(), whole);
    context->beginTransparencyLayer(Rect(50, 10, 20, 30));
    EXPECT_EQ(rectangles(), std::vector<Rect>{Rect(50, 10, 20, 30)});
    context->clipToRect(Rect(55, 15, 5, 5));
    EXPECT_EQ(rectangles(), std::vector<Rect>{Rect(55, 15, 5, 5)});
    context->endTransparencyLayer();
    EXPECT_EQ(rectangles(), whole);
    // A clip of a path is no rectangles; the one restored from it is.
    context->saveGState();
    Path ellipse;
    ellipse.addEllipse(Rect(5, 5, 40, 30));
    context->addPath(ellipse);
    context->clip();
    const std::optional<DeviceClipShape> cut = context->deviceClipShape();
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->paths.size(), 1u);
    context->restoreGState();
    EXPECT_EQ(rectangles(), whole);
}

TEST(ClipTest, DegenerateClipsDrawNothing) {
    struct Case {
        const char* name;
        void (*clip)(GraphicsContext&);
    };
    const Case cases[] = {
        {"empty path", [](GraphicsContext& c) { c.clip(); }},
        {"null rectangle", [](GraphicsContext& c) { c.clipToRect(Rect::null()); }},
        {"empty mask rectangle",
         [](GraphicsContext& c) {
             auto mask = Image::make(1, 1, Image::Format::grey8, std::vector<std::uint8_t>(4, 255));
             c.clipToMask(Rect(0, 0, 0, 10), *mask);
         }},
        {"stroke of nothing", [](GraphicsContext& c) { c.clipToStrokeOfCurrentPath(); }},
        {"no mask bitmap", [](GraphicsContext& c) { c.clipToAlphaOf(nullptr, 0, 0); }},
        {"a grey bitmap for a mask",
         [](GraphicsContext& c) { c.clipToAlphaOf(GraphicsContext::makeGreyBitmap(10, 10), 0, 0); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto context = bitmap(10, 10);
        context->saveGState();
        c.clip(*context);
        EXPECT_TRUE(context->clipBoundingBox().isEmpty());
        context->fillRect(Rect(0, 0, 10, 10));
        EXPECT_TRUE(pixelNear(*context->makeImage(), 5, 5, kClear));
        context->restoreGState();
        context->fillRect(Rect(0, 0, 10, 10));
        EXPECT_TRUE(pixelNear(*context->makeImage(), 5, 5, kOpaqueBlack));
    }
}

TEST(ClipTest, TheInvertedMaskOfHugeExtentKeepsItsHole) {
    // A rectangle 20,000,000 wide around a small square, filled even-odd.
    auto context = bitmap(40, 40);
    Path path;
    path.addRect(Rect(-10'000'000, -10'000'000, 20'000'000, 20'000'000));
    path.addRect(Rect(10, 10, 20, 20));
    context->addPath(path);
    context->fillPath(FillRule::evenOdd);
    const auto image = context->makeImage();
    EXPECT_TRUE(pixelNear(*image, 5, 5, kOpaqueBlack));
    EXPECT_TRUE(pixelNear(*image, 20, 20, kClear));
    EXPECT_TRUE(pixelNear(*image, 35, 20, kOpaqueBlack));
}

}  // namespace
}  // namespace platform::graphics
