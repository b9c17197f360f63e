#pragma once
// Pixel reading helpers for the drawing tests: premultiplied channels of a pixel
// and a comparison with a tolerance per channel.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Image.h"

namespace platform::graphics::testing {

struct Pixel {
    int a, r, g, b;
};

inline Pixel unpack(std::uint32_t value) {
    return {int(value >> 24), int((value >> 16) & 0xff), int((value >> 8) & 0xff), int(value & 0xff)};
}

inline Pixel pixelAt(const Image& image, int x, int y) { return unpack(image.pixel(x, y)); }

inline ::testing::AssertionResult pixelNear(const Image& image, int x, int y, Pixel expected, int tolerance = 0) {
    const Pixel p = pixelAt(image, x, y);
    if (std::abs(p.a - expected.a) <= tolerance && std::abs(p.r - expected.r) <= tolerance &&
        std::abs(p.g - expected.g) <= tolerance && std::abs(p.b - expected.b) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is argb(" << p.a << ", " << p.r << ", "
                                         << p.g << ", " << p.b << "), expected argb(" << expected.a << ", "
                                         << expected.r << ", " << expected.g << ", " << expected.b << ") +- "
                                         << tolerance;
}

inline std::unique_ptr<GraphicsContext> bitmap(int width, int height) {
    auto context = GraphicsContext::makeBitmap(width, height);
    EXPECT_NE(context, nullptr);
    return context;
}

constexpr Pixel kClear{0, 0, 0, 0};
constexpr Pixel kOpaqueRed{255, 255, 0, 0};
constexpr Pixel kOpaqueBlack{255, 0, 0, 0};

}  // namespace platform::graphics::testing
