#pragma once
// A small transparent bitmap context that text tests draw into and read pixels
// back from. Owned by the test that makes it.

#include <cairo.h>

#include <cstdint>
#include <memory>

#include "Platform/Graphics/GraphicsContext.h"

namespace texttest {

struct Pixel {
    int red = 0;
    int green = 0;
    int blue = 0;
    int alpha = 0;
};

class TextCanvas {
public:
    TextCanvas(int width, int height) : context_(platform::graphics::GraphicsContext::makeBitmap(width, height)) {}

    platform::graphics::GraphicsContext& context() const { return *context_; }
    int width() const { return context_->width(); }
    int height() const { return context_->height(); }

    // Premultiplied components, as stored.
    Pixel pixel(int x, int y) const {
        cairo_surface_t* surface = cairo_get_target(context_->cairo());
        cairo_surface_flush(surface);
        const unsigned char* row = cairo_image_surface_get_data(surface) + y * cairo_image_surface_get_stride(surface);
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
    std::unique_ptr<platform::graphics::GraphicsContext> context_;
};

}  // namespace texttest
