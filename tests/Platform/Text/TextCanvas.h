#pragma once
// A small transparent ARGB32 cairo surface that text tests draw into and read
// pixels back from. Owned by the test that makes it.

#include <cairo.h>

#include <cstdint>

namespace texttest {

struct Pixel {
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 0;
};

class TextCanvas {
public:
    TextCanvas(int width, int height)
        : surface_(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height)), cairo_(cairo_create(surface_)) {}
    ~TextCanvas() {
        cairo_destroy(cairo_);
        cairo_surface_destroy(surface_);
    }
    TextCanvas(const TextCanvas&) = delete;
    TextCanvas& operator=(const TextCanvas&) = delete;

    cairo_t* cairo() const { return cairo_; }
    int width() const { return cairo_image_surface_get_width(surface_); }
    int height() const { return cairo_image_surface_get_height(surface_); }

    // Premultiplied components, as stored.
    Pixel pixel(int x, int y) const {
        cairo_surface_flush(surface_);
        const unsigned char* row = cairo_image_surface_get_data(surface_) + y * cairo_image_surface_get_stride(surface_);
        const std::uint32_t value = reinterpret_cast<const std::uint32_t*>(row)[x];
        return {static_cast<int>((value >> 16) & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>(value & 0xFF), static_cast<int>(value >> 24)};
    }

    // Counts the pixels of a rectangle (clipped to the canvas) that pass a test.
    template <typename Predicate>
    int count(int x0, int y0, int x1, int y1, Predicate&& predicate) const {
        int total = 0;
        for (int y = y0 < 0 ? 0 : y0; y < y1 && y < height(); ++y) {
            for (int x = x0 < 0 ? 0 : x0; x < x1 && x < width(); ++x) {
                total += predicate(pixel(x, y)) ? 1 : 0;
            }
        }
        return total;
    }

private:
    cairo_surface_t* surface_;
    cairo_t* cairo_;
};

}  // namespace texttest
