#pragma once
// What the tests of laying coverage down share: small Cairo image surfaces,
// held by owners that destroy them, painted one colour, and a pattern of
// coverage levels over them.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "Platform/Graphics/CoverageRasterizer.h"

namespace platform::graphics::testing {

constexpr int kWidth = 64, kHeight = 12;

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;
using Pattern = std::unique_ptr<cairo_pattern_t, decltype(&cairo_pattern_destroy)>;

inline Surface surface(cairo_format_t format = CAIRO_FORMAT_ARGB32) {
    return Surface(cairo_image_surface_create(format, kWidth, kHeight), &cairo_surface_destroy);
}

inline Surface painted(const double (&rgba)[4], cairo_format_t format = CAIRO_FORMAT_ARGB32) {
    Surface target = surface(format);
    Context cairo(cairo_create(target.get()), &cairo_destroy);
    cairo_set_source_rgba(cairo.get(), rgba[0], rgba[1], rgba[2], rgba[3]);
    cairo_paint(cairo.get());
    cairo_surface_flush(target.get());
    return target;
}

// A whole row of full coverage and one of none, every level once in four
// rows of single pixels, then runs of two, three and nine to a dozen pixels
// of one level (spans of those lengths, and of the rows' remainders).
inline std::uint8_t coverageAt(int x, int y) {
    if (y == 0) return 0xff;
    if (y == 1) return 0;
    if (y < 6) return static_cast<std::uint8_t>(((y - 2) * kWidth + x) * 37 % 256);
    const int run = y < 8 ? y - 4 : y + 1;
    return static_cast<std::uint8_t>(((x / run) * 37 + y * 101 + (x / run) * y) % 256);
}

// The levels of coverageAt as spans, each run of one level one span.
inline std::vector<CoverageRasterizer::Span> levelSpans() {
    std::vector<CoverageRasterizer::Span> spans;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t level = coverageAt(x, y);
            if (!spans.empty() && spans.back().y == y && spans.back().coverage == level) {
                ++spans.back().length;
            } else {
                spans.push_back({x, y, 1, level});
            }
        }
    }
    return spans;
}

// The levels of coverageAt, each times `clip`'s level at its pixel (rows
// kWidth apart) when given, as the pixel library multiplies 8-bit values:
// as a buffer, and as a mask (A8) of the same levels.
inline std::vector<std::uint8_t> levelPlane(const std::vector<std::uint8_t>* clip = nullptr) {
    std::vector<std::uint8_t> plane(static_cast<std::size_t>(kWidth) * kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t level = coverageAt(x, y);
            const int t = level * (clip ? (*clip)[y * kWidth + x] : 0xff) + 0x80;
            plane[y * kWidth + x] = clip ? static_cast<std::uint8_t>((t + (t >> 8)) >> 8) : level;
        }
    }
    return plane;
}

inline Surface levelMask(const std::vector<std::uint8_t>* clip = nullptr) {
    const std::vector<std::uint8_t> plane = levelPlane(clip);
    Surface mask = surface(CAIRO_FORMAT_A8);
    cairo_surface_flush(mask.get());
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            cairo_image_surface_get_data(mask.get())[y * cairo_image_surface_get_stride(mask.get()) + x] =
                plane[y * kWidth + x];
        }
    }
    cairo_surface_mark_dirty(mask.get());
    return mask;
}

}  // namespace platform::graphics::testing
