#pragma once
// Whole device pixels of a drawing context: a device-space rectangle rounded out
// to the pixels it touches and cut to the context's size. The renderer and the
// content cache size their buffers by it. A plain value.

#include <algorithm>
#include <cmath>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Rect.h"

namespace platform::compositor {

struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;

    // The pixels of `context` that `deviceRect` touches; empty when none.
    static PixelRect covering(const graphics::Rect& deviceRect, const graphics::GraphicsContext& context) {
        if (deviceRect.isNull() || deviceRect.isEmpty()) {
            return {};
        }
        const double minX = std::max(0.0, std::floor(deviceRect.minX()));
        const double minY = std::max(0.0, std::floor(deviceRect.minY()));
        const double maxX = std::min(static_cast<double>(context.width()), std::ceil(deviceRect.maxX()));
        const double maxY = std::min(static_cast<double>(context.height()), std::ceil(deviceRect.maxY()));
        if (!(maxX > minX && maxY > minY)) {
            return {};
        }
        return {static_cast<int>(minX), static_cast<int>(minY), static_cast<int>(maxX - minX),
                static_cast<int>(maxY - minY)};
    }

    bool isEmpty() const { return width <= 0 || height <= 0; }
    graphics::Rect rect() const { return graphics::Rect(x, y, width, height); }
    double pixels() const { return static_cast<double>(width) * height; }
};

}  // namespace platform::compositor
