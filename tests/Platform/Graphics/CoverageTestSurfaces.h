#pragma once
// What the tests of laying coverage down share: small Cairo image surfaces,
// held by owners that destroy them, painted one colour, and a pattern of
// coverage levels over them.

#include <cairo.h>

#include <cstdint>
#include <memory>

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

// Every level of coverage at least once, in runs of one to a dozen pixels of
// one level (spans of every length), a whole row of full coverage and one of
// none.
inline std::uint8_t coverageAt(int x, int y) {
    if (y == 0) return 0xff;
    if (y == 1) return 0;
    const int run = y < 6 ? 1 : y + 1;
    return static_cast<std::uint8_t>(((x / run) * 37 + y * 101 + (x / run) * y) % 256);
}

}  // namespace platform::graphics::testing
