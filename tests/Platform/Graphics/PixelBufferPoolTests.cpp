// The pixel buffer pool behind every bitmap context: buffers come back when
// their last user lets go, come out cleared, are never shared with a living
// image, and the pool keeps no more than its bound.

#include <gtest/gtest.h>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/PixelBufferPool.h"
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

}  // namespace
}  // namespace platform::graphics
