// A source laid through a mask in bands of rows against Cairo laying it in
// one call: a turned, resampled image over a background, into targets with
// offsets (as a transparency layer's), on the workers and on one thread,
// must give every pixel the same value but for the pixel library's rounding
// of where the source lies.

#include <gtest/gtest.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "Platform/Graphics/BandedMaskPaint.h"
#include "Platform/Graphics/CoverageWorkers.h"

namespace platform::graphics {
namespace {

// A surface of `format` with something in every pixel.
cairo_surface_t* patterned(cairo_format_t format, int width, int height, int seed) {
    cairo_surface_t* surface = cairo_image_surface_create(format, width, height);
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (format == CAIRO_FORMAT_A8) {
                data[y * stride + x] = static_cast<unsigned char>((x * 7 + y * 3 + seed) % 256);
                continue;
            }
            const std::uint32_t alpha = 128 + (x + y + seed) % 128;
            const auto channel = [&](int v) { return static_cast<std::uint32_t>(v % 256) * alpha / 255; };
            const std::uint32_t pixel = alpha << 24 | channel(x * 5 + seed) << 16 | channel(y * 3) << 8 |
                                        channel((x ^ y) + seed);
            std::memcpy(data + y * stride + x * 4, &pixel, 4);
        }
    }
    cairo_surface_mark_dirty(surface);
    return surface;
}

// The coverage of a turned ellipse over the device box, offset as the
// painter takes it.
cairo_surface_t* ellipseMask(int left, int top, int width, int height) {
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_surface_set_device_offset(mask, -left, -top);
    cairo_t* cairo = cairo_create(mask);
    cairo_translate(cairo, left + width / 2.0, top + height / 2.0);
    cairo_rotate(cairo, 0.4);
    cairo_scale(cairo, width * 0.45, height * 0.38);
    cairo_arc(cairo, 0, 0, 1, 0, 2 * M_PI);
    cairo_set_source_rgba(cairo, 0, 0, 0, 0.85);
    cairo_fill(cairo);
    cairo_destroy(cairo);
    return mask;
}

std::vector<unsigned char> bytesOf(cairo_surface_t* surface) {
    cairo_surface_flush(surface);
    const unsigned char* data = cairo_image_surface_get_data(surface);
    return {data, data + static_cast<std::size_t>(cairo_image_surface_get_stride(surface)) *
                             cairo_image_surface_get_height(surface)};
}

TEST(BandedMaskPaint, EveryPixelIsWhatOneCallLaysDown) {
    struct Case {
        const char* name;
        cairo_format_t target;
        double offsetX, offsetY;
        cairo_filter_t filter;
        cairo_extend_t extend;
        cairo_operator_t op;
    };
    const Case cases[] = {
        {"over a background", CAIRO_FORMAT_ARGB32, 0, 0, CAIRO_FILTER_BILINEAR, CAIRO_EXTEND_PAD, CAIRO_OPERATOR_OVER},
        {"into a layer's offset surface", CAIRO_FORMAT_ARGB32, -23, -41, CAIRO_FILTER_GOOD, CAIRO_EXTEND_NONE,
         CAIRO_OPERATOR_OVER},
        {"under another operator", CAIRO_FORMAT_ARGB32, 7, -5, CAIRO_FILTER_BILINEAR, CAIRO_EXTEND_PAD,
         CAIRO_OPERATOR_SOURCE},
        {"into coverage", CAIRO_FORMAT_A8, 0, 0, CAIRO_FILTER_BILINEAR, CAIRO_EXTEND_PAD, CAIRO_OPERATOR_OVER},
    };
    cairo_surface_t* image = patterned(CAIRO_FORMAT_ARGB32, 190, 170, 3);
    for (const Case& c : cases) {
        for (const bool serial : {false, true}) {
            SCOPED_TRACE(::testing::Message() << c.name << (serial ? ", on one thread" : ", on the workers"));
            std::unique_ptr<CoverageWorkers::SerialScope> scope;
            if (serial) scope = std::make_unique<CoverageWorkers::SerialScope>();
            // The mask's box reaches past the target's last rows.
            const int left = 11 - static_cast<int>(c.offsetX), top = 6 - static_cast<int>(c.offsetY);
            const int width = 280, height = 300;
            cairo_surface_t* mask = ellipseMask(left, top, width, height);
            std::vector<unsigned char> results[2];
            for (const bool banded : {false, true}) {
                cairo_surface_t* target = patterned(c.target, 310, 270, 9);
                cairo_surface_set_device_offset(target, c.offsetX, c.offsetY);
                cairo_t* cairo = cairo_create(target);
                // The user space the source is locked to.
                cairo_translate(cairo, 150.3 - c.offsetX, 20.7 - c.offsetY);
                cairo_rotate(cairo, 0.55);
                cairo_scale(cairo, 1.3, 1.1);
                cairo_pattern_t* source = cairo_pattern_create_for_surface(image);
                cairo_matrix_t matrix;
                cairo_matrix_init_scale(&matrix, 0.9, 0.95);
                cairo_matrix_translate(&matrix, -3.5, 2.25);
                cairo_pattern_set_matrix(source, &matrix);
                cairo_pattern_set_filter(source, c.filter);
                cairo_pattern_set_extend(source, c.extend);
                cairo_set_operator(cairo, c.op);
                if (banded) {
                    EXPECT_TRUE(BandedMaskPaint::paint(cairo, source, mask, left, top, width, height));
                } else {
                    cairo_set_source(cairo, source);
                    cairo_reset_clip(cairo);
                    cairo_identity_matrix(cairo);
                    cairo_mask_surface(cairo, mask, 0, 0);
                }
                cairo_pattern_destroy(source);
                cairo_destroy(cairo);
                results[banded] = bytesOf(target);
                cairo_surface_destroy(target);
            }
            // The pixel library places the source in fixed point relative to
            // the region it lays down, so a band may sample a pixel a hair
            // apart from the whole: a level or two, at a few pixels.
            ASSERT_EQ(results[0].size(), results[1].size());
            std::size_t apart = 0;
            int worst = 0;
            for (std::size_t i = 0; i < results[0].size(); ++i) {
                const int difference = std::abs(results[0][i] - results[1][i]);
                apart += difference != 0;
                worst = std::max(worst, difference);
            }
            EXPECT_LE(worst, 2);
            EXPECT_LT(apart, results[0].size() / 1000);
            cairo_surface_destroy(mask);
        }
    }
    cairo_surface_destroy(image);
}

TEST(BandedMaskPaint, LeavesSmallMasksAndOtherSourcesToTheCaller) {
    cairo_surface_t* target = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 300, 300);
    cairo_t* cairo = cairo_create(target);
    cairo_surface_t* image = patterned(CAIRO_FORMAT_ARGB32, 40, 40, 1);
    cairo_pattern_t* surfaceSource = cairo_pattern_create_for_surface(image);
    cairo_pattern_t* colour = cairo_pattern_create_rgba(1, 0, 0, 1);
    cairo_surface_t* small = ellipseMask(10, 10, 60, 60);
    // Large enough for bands: only what it is refuses it.
    cairo_surface_t* large = ellipseMask(0, 0, 300, 300);
    EXPECT_FALSE(BandedMaskPaint::paint(cairo, surfaceSource, small, 10, 10, 60, 60));
    EXPECT_FALSE(BandedMaskPaint::paint(cairo, colour, large, 0, 0, 300, 300));
    // A mask placed elsewhere than it says.
    EXPECT_FALSE(BandedMaskPaint::paint(cairo, surfaceSource, large, 5, 0, 300, 300));
    // The target drawn onto itself, which bands would read while others write it.
    cairo_pattern_t* itself = cairo_pattern_create_for_surface(target);
    EXPECT_FALSE(BandedMaskPaint::paint(cairo, itself, large, 0, 0, 300, 300));
    cairo_pattern_destroy(itself);
    // Nothing was drawn.
    for (const unsigned char byte : bytesOf(target)) ASSERT_EQ(byte, 0);
    for (cairo_surface_t* surface : {small, large, image, target}) cairo_surface_destroy(surface);
    cairo_pattern_destroy(surfaceSource);
    cairo_pattern_destroy(colour);
    cairo_destroy(cairo);
}

}  // namespace
}  // namespace platform::graphics
