// The pixel buffer pool behind every bitmap context: buffers come back when
// their last user lets go, come out cleared, are never shared with a living
// image, the pool keeps no more than its bound, and gives back what it keeps
// when frames are no longer drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "Platform/Graphics/Gradient.h"
#include "Platform/Graphics/ClipCoverageBuffers.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/KeptStorage.h"
#include "Platform/Graphics/PixelBufferPool.h"
#include "Platform/Graphics/SpareCoverageDrawings.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

using namespace testing;

TEST(PixelBufferPool, ReusesReturnedBuffersClearedAndBoundsWhatItKeeps) {
    PixelBufferPool pool(64 * 64 * 4 * 2);
    cairo_surface_t* first = pool.makeSurface(CAIRO_FORMAT_ARGB32, 64, 64);
    unsigned char* data = cairo_image_surface_get_data(first);
    cairo_t* cairo = cairo_create(first);
    cairo_set_source_rgba(cairo, 1, 0, 0, 1);
    cairo_paint(cairo);
    cairo_destroy(cairo);
    cairo_surface_destroy(first);
    EXPECT_EQ(pool.allocationCount(), 1u);

    // A surface a little smaller reuses the buffer, cleared.
    cairo_surface_t* second = pool.makeSurface(CAIRO_FORMAT_ARGB32, 64, 60);
    EXPECT_EQ(cairo_image_surface_get_data(second), data);
    EXPECT_EQ(pool.allocationCount(), 1u);
    for (int offset = 0; offset < 64 * 60 * 4; ++offset) ASSERT_EQ(data[offset], 0) << offset;
    // One many times the size does not take it, nor does a tiny one waste it.
    cairo_surface_t* tiny = pool.makeSurface(CAIRO_FORMAT_A8, 4, 4);
    cairo_surface_t* large = pool.makeSurface(CAIRO_FORMAT_ARGB32, 256, 256);
    EXPECT_EQ(pool.allocationCount(), 3u);
    cairo_surface_destroy(second);
    cairo_surface_destroy(tiny);
    cairo_surface_destroy(large);
    // The large buffer alone passes the bound: the oldest returned go first.
    EXPECT_LE(pool.retainedBytes(), 64u * 64 * 4 * 2);

    // Sizes that cannot be stored give Cairo's error surface, not a crash.
    cairo_surface_t* none = pool.makeSurface(CAIRO_FORMAT_ARGB32, -1, 10);
    EXPECT_NE(cairo_surface_status(none), CAIRO_STATUS_SUCCESS);
    cairo_surface_destroy(none);
}

// A frame that asks for the same surface as the last one gets the last one's
// buffer and allocates nothing, whether the size fills the buffer exactly (a
// whole number of pages) or leaves some of it unused.
TEST(PixelBufferPool, TheSameSizeFrameAfterFrameReusesOneBuffer) {
    struct Case {
        const char* name;
        cairo_format_t format;
        int width;
        int height;
    };
    const Case cases[] = {
        {"one page exactly", CAIRO_FORMAT_A8, 4096, 1},
        {"four pages exactly", CAIRO_FORMAT_ARGB32, 64, 64},
        {"the first step exactly", CAIRO_FORMAT_ARGB32, 128, 128},
        {"the step past it exactly", CAIRO_FORMAT_ARGB32, 160, 128},
        {"part of a page", CAIRO_FORMAT_ARGB32, 48, 48},
        {"a mask plane", CAIRO_FORMAT_A8, 33, 17},
    };
    for (const Case& test : cases) {
        PixelBufferPool pool;
        const unsigned char* first = nullptr;
        for (int frame = 0; frame < 4; ++frame) {
            cairo_surface_t* surface = pool.makeSurface(test.format, test.width, test.height);
            ASSERT_EQ(cairo_surface_status(surface), CAIRO_STATUS_SUCCESS) << test.name;
            if (!first) first = cairo_image_surface_get_data(surface);
            EXPECT_EQ(cairo_image_surface_get_data(surface), first) << test.name << ", frame " << frame;
            cairo_surface_destroy(surface);
        }
        EXPECT_EQ(pool.allocationCount(), 1u) << test.name;
    }
}

// A frame drawn and let go leaves its canvas in the shared pool for the next;
// once no frame is drawn, KeptStorage gives that back, with the drawings and
// clip buffers kept for the next context, and the next frame draws as before.
TEST(PixelBufferPool, KeptStorageGivesBackWhatFramesKeptForTheNext) {
    const auto drawFrame = [] {
        auto canvas = bitmap(200, 200);
        canvas->clipToRect(Rect(10.5, 10.5, 150, 150));
        canvas->setFillColor(Color::rgb(1, 0, 0));
        canvas->addEllipse(Rect(20, 20, 120, 120));
        canvas->fillPath();
        return GraphicsContext::finishImage(std::move(canvas));
    };
    auto first = drawFrame();
    ASSERT_TRUE(first);
    const std::vector<std::uint8_t> drawn(first->pixels().begin(), first->pixels().end());
    first.reset();
    EXPECT_GT(PixelBufferPool::shared().retainedBytes(), 0u);
    KeptStorage::release();
    EXPECT_EQ(PixelBufferPool::shared().retainedBytes(), 0u);
    EXPECT_EQ(SpareCoverageDrawings::keptCount(), 0u);
    EXPECT_EQ(ClipCoverageBuffers::keptCount(), 0u);
    const auto again = drawFrame();
    ASSERT_TRUE(again);
    EXPECT_TRUE(std::equal(drawn.begin(), drawn.end(), again->pixels().begin(), again->pixels().end()));
}

TEST(PixelBufferPool, AFinishedCanvasIsHandedOverWithoutACopyAndKeptFromReuse) {
    auto canvas = bitmap(32, 32);
    canvas->setFillColor(Color::rgb(0, 0, 1));
    canvas->fillRect(Rect(0, 0, 32, 32));
    const std::uint8_t* pixels = nullptr;
    {
        const auto snapshot = canvas->makeImage();
        pixels = snapshot->pixels().data();
    }
    const auto image = GraphicsContext::finishImage(std::move(canvas));
    ASSERT_NE(image, nullptr);
    EXPECT_NE(image->pixels().data(), pixels);  // the snapshot was a copy; this is the canvas
    EXPECT_TRUE(pixelNear(*image, 16, 16, {255, 0, 0, 255}));

    // While the image lives, new canvases draw elsewhere and leave it as it was.
    for (int round = 0; round < 3; ++round) {
        auto other = bitmap(32, 32);
        other->setFillColor(Color::rgb(1, 0, 0));
        other->fillRect(Rect(0, 0, 32, 32));
        const auto drawn = GraphicsContext::finishImage(std::move(other));
        EXPECT_NE(drawn->pixels().data(), image->pixels().data());
    }
    EXPECT_TRUE(pixelNear(*image, 16, 16, {255, 0, 0, 255}));
    EXPECT_EQ(GraphicsContext::finishImage(nullptr), nullptr);
}

TEST(PixelBufferPool, AFrameWhoseImageWasDroppedDrawsIntoTheSameBuffer) {
    const std::uint8_t* previous = nullptr;
    for (int frame = 0; frame < 3; ++frame) {
        auto canvas = bitmap(48, 48);
        EXPECT_TRUE(pixelNear(*canvas->makeImage(), 0, 0, kClear));  // cleared, whatever the last frame drew
        canvas->setFillColor(Color::rgb(1, 1, 1));
        canvas->fillRect(Rect(0, 0, 48, 48));
        const auto image = GraphicsContext::finishImage(std::move(canvas));
        if (previous) {
            EXPECT_EQ(image->pixels().data(), previous) << frame;
        }
        previous = image->pixels().data();
    }
}

TEST(PixelBufferPool, GroupsAwayFromTheOriginLandWhereTheyWereDrawn) {
    // A transparency layer covers only the clip's pixels; what is drawn in it
    // must come back at its own place, under a half alpha, nested or not.
    auto context = bitmap(40, 40);
    context->clipToRect(Rect(20, 10, 10, 20));
    context->setAlpha(0.5);
    context->beginTransparencyLayer();
    context->beginTransparencyLayer();
    context->setFillColor(Color::rgb(0, 1, 0));
    context->fillRect(Rect(0, 0, 40, 40));
    context->endTransparencyLayer();
    context->endTransparencyLayer();
    const auto image = GraphicsContext::finishImage(std::move(context));
    EXPECT_TRUE(pixelNear(*image, 25, 20, {128, 0, 128, 0}, 1));
    EXPECT_TRUE(pixelNear(*image, 15, 20, kClear));
    EXPECT_TRUE(pixelNear(*image, 25, 35, kClear));
}

// Writes every byte of a surface, as drawing over all of it would.
void scribble(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    std::memset(cairo_image_surface_get_data(surface), 0x5a,
                static_cast<std::size_t>(cairo_image_surface_get_stride(surface)) *
                    static_cast<std::size_t>(cairo_image_surface_get_height(surface)));
    cairo_surface_mark_dirty(surface);
}

// The bytes of a surface that are not zero.
int nonZeroBytes(cairo_surface_t* surface) {
    const unsigned char* data = cairo_image_surface_get_data(surface);
    const std::size_t bytes = static_cast<std::size_t>(cairo_image_surface_get_stride(surface)) *
                              static_cast<std::size_t>(cairo_image_surface_get_height(surface));
    return static_cast<int>(std::count_if(data, data + bytes, [](unsigned char byte) { return byte != 0; }));
}

// A surface told where it was written clears only that for the next one; told
// nothing, all it used. Whatever the sizes used in turn, cleared or not, a
// surface asked for cleared is clear wherever it was written.
TEST(PixelBufferPool, ClearsWhatWasWrittenAndOnlyThat) {
    PixelBufferPool pool;
    // Told a box: only its rows and columns are cleared. (The box here is a
    // lie, to show what is cleared: a caller must see every write.)
    cairo_surface_t* first = pool.makeSurface(CAIRO_FORMAT_ARGB32, 64, 64);
    const unsigned char* data = cairo_image_surface_get_data(first);
    scribble(first);
    PixelBufferPool::noteWritten(first, 10, 20, 30, 25);
    cairo_surface_destroy(first);
    cairo_surface_t* second = pool.makeSurface(CAIRO_FORMAT_ARGB32, 64, 64);
    ASSERT_EQ(cairo_image_surface_get_data(second), data);
    EXPECT_EQ(nonZeroBytes(second), 64 * 64 * 4 - 20 * 5 * 4);
    EXPECT_EQ(cairo_image_surface_get_data(second)[(22 * 64 + 15) * 4], 0);
    // Told nothing: all it used is cleared next time.
    scribble(second);
    cairo_surface_destroy(second);
    cairo_surface_t* third = pool.makeSurface(CAIRO_FORMAT_ARGB32, 64, 64);
    ASSERT_EQ(cairo_image_surface_get_data(third), data);
    EXPECT_EQ(nonZeroBytes(third), 0);
    // An uncleared use of part of the buffer written in a box keeps what the
    // earlier, larger use wrote past it: both are cleared for the next.
    scribble(third);
    cairo_surface_destroy(third);
    cairo_surface_t* part = pool.makeSurface(CAIRO_FORMAT_ARGB32, 64, 48, false);
    ASSERT_EQ(cairo_image_surface_get_data(part), data);
    PixelBufferPool::noteWritten(part, 0, 0, 8, 8);
    cairo_surface_destroy(part);
    cairo_surface_t* whole = pool.makeSurface(CAIRO_FORMAT_ARGB32, 64, 64);
    EXPECT_EQ(nonZeroBytes(whole), 0);
    // Boxes past the surface are cut to it; an empty one leaves nothing to clear.
    PixelBufferPool::noteWritten(whole, -10, 60, 100, 100);
    std::memset(cairo_image_surface_get_data(whole) + 60 * 64 * 4, 1, 4 * 64 * 4);
    cairo_surface_destroy(whole);
    cairo_surface_t* last = pool.makeSurface(CAIRO_FORMAT_A8, 200, 50);  // another stride
    EXPECT_EQ(nonZeroBytes(last), 0);
    PixelBufferPool::noteWritten(last, 5, 5, 5, 9);
    cairo_surface_destroy(last);
    EXPECT_EQ(pool.allocationCount(), 1u);
}

// Every way of drawing onto a canvas, then a new canvas of the same size,
// which reuses the buffer: it is clear. A drawing that reached past what its
// context told the pool would show here.
TEST(PixelBufferPool, ACanvasDrawnOnAnyWayLeavesTheNextOneClear) {
    const auto image = [] {
        std::vector<std::uint8_t> pixels(16 * 16 * 4, 0xff);
        return Image::make(16, 16, Image::Format::argb32Premultiplied, std::move(pixels));
    }();
    const Color colors[] = {Color::rgb(1, 0, 0), Color::rgb(0, 0, 1)};
    const auto gradient = Gradient::make(ColorSpace::deviceRGB(), colors, {});
    ASSERT_TRUE(image && gradient);
    const std::vector<std::pair<std::string, std::function<void(GraphicsContext&)>>> drawings{
        {"a filled ellipse", [](GraphicsContext& c) { c.addEllipse(Rect(50, 40, 20, 10)); c.fillPath(); }},
        {"a wide stroke with a sharp miter, scaled",
         [](GraphicsContext& c) {
             c.scaleBy(1.5, 0.75);
             Path path;
             path.moveTo({10, 60});
             path.lineTo({40, 62});
             path.lineTo({10, 64});
             c.addPath(path);
             c.setLineWidth(6);
             c.setMiterLimit(30);
             c.strokePath();
         }},
        {"a stroke filled as a path",
         [](GraphicsContext& c) {
             c.addRect(Rect(60, 10, 10, 10));
             c.setLineWidth(9);
             c.replacePathWithStrokedPath();
             c.fillPath();
         }},
        {"a rectangle, turned", [](GraphicsContext& c) { c.rotateBy(0.3); c.fillRect(Rect(30, 5, 20, 8)); }},
        {"an image, scaled and turned",
         [&](GraphicsContext& c) {
             c.translateBy(70, 70);
             c.rotateBy(0.7);
             c.drawImage(*image, Rect(0, 0, 25, 9));
         }},
        {"a picture in device pixels", [&](GraphicsContext& c) { c.drawDeviceImageIgnoringClip(*image, 3, 80); }},
        {"a kept picture", [&](GraphicsContext& c) { c.drawDeviceImageIgnoringClip(image, 81, 2); }},
        {"an extended gradient under a clip",
         [&](GraphicsContext& c) {
             c.clipToRect(Rect(5, 5, 30, 20));
             c.drawLinearGradient(*gradient, {0, 0}, {10, 0}, GradientDrawingOptions::extended());
         }},
        {"a radial gradient",
         [&](GraphicsContext& c) {
             c.drawRadialGradient(*gradient, {80, 80}, 0, {80, 80}, 10, GradientDrawingOptions());
         }},
        {"a path filled with a gradient",
         [&](GraphicsContext& c) {
             c.addEllipse(Rect(10, 10, 15, 30));
             c.fillPathWithLinearGradient(*gradient, {10, 10}, {25, 40});
         }},
        {"a transparency layer at an alpha, under a clip of paths",
         [](GraphicsContext& c) {
             c.addEllipse(Rect(40, 40, 40, 40));
             c.clip();
             c.setAlpha(0.5);
             c.beginTransparencyLayer();
             c.fillRect(Rect(30, 30, 60, 60));
             c.endTransparencyLayer();
         }},
        {"a blend mode through a pixel mask",
         [&](GraphicsContext& c) {
             c.clipToMask(Rect(20, 50, 16, 16), *image);
             c.setBlendMode(BlendMode::screen);
             c.fillRect(Rect(0, 0, 96, 96));
         }},
        {"Cairo's own context", [](GraphicsContext& c) { cairo_paint(c.cairo()); }},
    };
    const auto anyByte = [](const Image& picture) {
        const std::uint8_t* pixels = picture.pixels().data();
        return std::any_of(pixels, pixels + 96 * 96 * 4, [](std::uint8_t byte) { return byte != 0; });
    };
    for (const auto& [name, draw] : drawings) {
        auto canvas = bitmap(96, 96);
        canvas->setFillColor(Color::rgb(0, 0.5, 0));
        canvas->setStrokeColor(Color::rgb(0.5, 0, 0.5));
        draw(*canvas);
        auto drawn = GraphicsContext::finishImage(std::move(canvas));
        ASSERT_TRUE(drawn) << name;
        EXPECT_TRUE(anyByte(*drawn)) << name << " drew nothing";
        const std::uint8_t* buffer = drawn->pixels().data();
        drawn.reset();
        const auto next = GraphicsContext::finishImage(bitmap(96, 96));
        ASSERT_TRUE(next) << name;
        EXPECT_EQ(next->pixels().data(), buffer) << name << ": the buffer was not reused";
        EXPECT_FALSE(anyByte(*next)) << name;
    }
}

}  // namespace
}  // namespace platform::graphics
