#pragma once
// Pixel helpers for the rendering tests: the premultiplied channels of a pixel
// as 0...255, as the image stores them, a comparison with a tolerance, and
// small trees to draw.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/Image.h"

namespace compositortest {

struct Rgba {
    int r = 0, g = 0, b = 0, a = 0;
};

// Premultiplied ARGB as the image stores it.
inline Rgba premultipliedAt(const platform::graphics::Image& image, int x, int y) {
    const std::uint32_t v = image.pixel(x, y);
    return {static_cast<int>((v >> 16) & 0xff), static_cast<int>((v >> 8) & 0xff), static_cast<int>(v & 0xff),
            static_cast<int>(v >> 24)};
}

inline ::testing::AssertionResult pixelIs(const platform::graphics::Image& image, int x, int y, Rgba expected,
                                          int tolerance = 2) {
    const Rgba p = premultipliedAt(image, x, y);
    if (std::abs(p.r - expected.r) <= tolerance && std::abs(p.g - expected.g) <= tolerance &&
        std::abs(p.b - expected.b) <= tolerance && std::abs(p.a - expected.a) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is premultiplied rgba(" << p.r << ", "
                                         << p.g << ", " << p.b << ", " << p.a << "), expected (" << expected.r << ", "
                                         << expected.g << ", " << expected.b << ", " << expected.a << ")";
}

struct PixelCheck {
    int x = 0, y = 0;
    Rgba expected;
    int tolerance = 2;
};

// Checks a table of pixels of one image; each failure names its pixel.
inline void expectPixels(const platform::graphics::Image& image, const std::vector<PixelCheck>& checks) {
    for (const PixelCheck& check : checks) {
        EXPECT_TRUE(pixelIs(image, check.x, check.y, check.expected, check.tolerance));
    }
}

constexpr Rgba kClear{0, 0, 0, 0};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};

inline std::shared_ptr<const platform::graphics::Image> renderTree(
    const std::shared_ptr<platform::compositor::Layer>& root, double time, int width = 40, int height = 40) {
    return platform::compositor::Renderer::renderImage(root, time, width, height);
}

// A root that maps its coordinates one to one onto the image.
inline std::shared_ptr<platform::compositor::Layer> makeRoot(double width = 40, double height = 40) {
    auto root = platform::compositor::Layer::make();
    root->setAnchorPoint({0, 0});
    root->setBounds({0, 0, width, height});
    return root;
}

// A layer filled with a colour, placed by its frame.
inline std::shared_ptr<platform::compositor::Layer> makeBox(const platform::graphics::Rect& frame,
                                                            const platform::graphics::Color& color) {
    auto layer = platform::compositor::Layer::make();
    layer->setFrame(frame);
    layer->setBackgroundColor(color);
    return layer;
}

// A root of `size` points that keeps what the renderer reports.
class ReportingRoot final : public platform::compositor::Layer {
public:
    explicit ReportingRoot(double size) {
        setAnchorPoint({0, 0});
        setBounds({0, 0, size, size});
    }
    bool reportRenderLimit(const std::string& message) override {
        reports.push_back(message);
        return true;
    }
    std::vector<std::string> reports;
};

}  // namespace compositortest
