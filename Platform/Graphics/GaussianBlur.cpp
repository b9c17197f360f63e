#include "Platform/Graphics/GaussianBlur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <vector>

namespace platform::graphics {

namespace {

constexpr int kPasses = 3;

// Widths of three boxes whose combined variance is closest to sigma^2; each
// odd, so that every box is centred on its pixel.
std::array<int, kPasses> boxWidths(double sigma) {
    const double ideal = std::sqrt(12 * sigma * sigma / kPasses + 1);
    int lower = static_cast<int>(std::floor(ideal));
    if (lower % 2 == 0) {
        --lower;
    }
    lower = std::max(lower, 1);
    const int upper = lower + 2;
    const double idealCount = (12 * sigma * sigma - kPasses * lower * lower - 4 * kPasses * lower - 3 * kPasses) /
                              (-4.0 * lower - 4);
    const int count = static_cast<int>(std::lround(std::clamp(idealCount, 0.0, double(kPasses))));
    std::array<int, kPasses> widths{};
    for (int i = 0; i < kPasses; ++i) {
        widths[i] = i < count ? lower : upper;
    }
    return widths;
}

// One box pass along every row of a width x height float plane. The window
// [x - r, x + r] slides with one add and one subtract; the three loops keep the
// edge tests out of the middle stretch.
void boxRows(const std::vector<float>& in, std::vector<float>& out, int width, int height, int boxWidth) {
    const int r = boxWidth / 2;
    const float scale = 1.0f / static_cast<float>(boxWidth);
    for (int y = 0; y < height; ++y) {
        const float* source = in.data() + static_cast<std::size_t>(y) * width;
        float* target = out.data() + static_cast<std::size_t>(y) * width;
        float sum = 0;
        for (int i = 0; i <= std::min(r, width - 1); ++i) {
            sum += source[i];
        }
        int x = 0;
        // Left edge: nothing leaves the window yet.
        for (; x < width && x - r < 0; ++x) {
            target[x] = sum * scale;
            if (x + r + 1 < width) {
                sum += source[x + r + 1];
            }
        }
        // Middle: one pixel enters and one leaves.
        for (; x + r + 1 < width; ++x) {
            target[x] = sum * scale;
            sum += source[x + r + 1] - source[x - r];
        }
        // Right edge: nothing enters any more.
        for (; x < width; ++x) {
            target[x] = sum * scale;
            sum -= source[x - r];
        }
    }
}

void transpose(const std::vector<float>& in, std::vector<float>& out, int width, int height) {
    constexpr int kTile = 32;
    for (int y0 = 0; y0 < height; y0 += kTile) {
        for (int x0 = 0; x0 < width; x0 += kTile) {
            const int y1 = std::min(height, y0 + kTile);
            const int x1 = std::min(width, x0 + kTile);
            for (int y = y0; y < y1; ++y) {
                for (int x = x0; x < x1; ++x) {
                    out[static_cast<std::size_t>(x) * height + y] = in[static_cast<std::size_t>(y) * width + x];
                }
            }
        }
    }
}

void blurFloatPlane(std::vector<float>& plane, int width, int height, double radius) {
    const std::array<int, kPasses> widths = boxWidths(GaussianBlur::standardDeviation(radius));
    std::vector<float> scratch(plane.size());
    for (int w : widths) {
        boxRows(plane, scratch, width, height, w);
        plane.swap(scratch);
    }
    transpose(plane, scratch, width, height);
    plane.swap(scratch);
    for (int w : widths) {
        boxRows(plane, scratch, height, width, w);
        plane.swap(scratch);
    }
    transpose(plane, scratch, height, width);
    plane.swap(scratch);
}

}  // namespace

int GaussianBlur::spread(double radius) {
    if (!(radius > 0) || !std::isfinite(radius)) {
        return 0;
    }
    // No image can be larger than the pixel limit, so a reach past it is as
    // good as the limit itself, and keeps the result an int.
    return static_cast<int>(std::min(std::ceil(3 * standardDeviation(radius)), static_cast<double>(maximumSpread)));
}

double GaussianBlur::reduction(double radius) {
    const double sigma = standardDeviation(radius);
    if (!(sigma > 16) || !std::isfinite(sigma)) {
        return 1;
    }
    return std::floor(sigma / 8);
}

double GaussianBlur::reducedRadius(double radius, double reduction) {
    if (reduction <= 1) {
        return radius;
    }
    // A box of width k has a variance of k^2 / 12, a linear ramp over k pixels on
    // either side k^2 / 6; variances add.
    const double sigma = standardDeviation(radius);
    const double variance = std::max(sigma * sigma - reduction * reduction / 4, 0.0);
    return 2 * std::sqrt(variance) / reduction;
}

void GaussianBlur::blurPlane(std::uint8_t* data, int width, int height, int bytesPerRow, double radius) {
    if (data == nullptr || width <= 0 || height <= 0 || spread(radius) == 0) {
        return;
    }
    std::vector<float> plane(static_cast<std::size_t>(width) * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            plane[static_cast<std::size_t>(y) * width + x] = data[static_cast<std::size_t>(y) * bytesPerRow + x];
        }
    }
    blurFloatPlane(plane, width, height, radius);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const float value = plane[static_cast<std::size_t>(y) * width + x];
            data[static_cast<std::size_t>(y) * bytesPerRow + x] =
                static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
        }
    }
}

std::shared_ptr<const Image> GaussianBlur::shadow(const Image& source, double radius, const Color& color) {
    const int pad = spread(radius);
    const std::int64_t width = static_cast<std::int64_t>(source.width()) + 2 * pad;
    const std::int64_t height = static_cast<std::int64_t>(source.height()) + 2 * pad;
    if (width > 0x7fffffff || height > 0x7fffffff ||
        static_cast<std::uint64_t>(width * height) > Image::kMaximumPixelCount) {
        return nullptr;
    }
    const int w = static_cast<int>(width);
    const int h = static_cast<int>(height);
    std::vector<float> plane(static_cast<std::size_t>(w) * h, 0.0f);
    for (int y = 0; y < source.height(); ++y) {
        float* target = plane.data() + static_cast<std::size_t>(y + pad) * w + pad;
        if (source.format() == Image::Format::grey8) {
            std::fill(target, target + source.width(), 255.0f);  // grey images are opaque
            continue;
        }
        const std::uint8_t* row = source.pixels().data() + static_cast<std::size_t>(y) * source.bytesPerRow();
        for (int x = 0; x < source.width(); ++x) {
            std::uint32_t value;
            std::memcpy(&value, row + static_cast<std::size_t>(x) * 4, 4);
            target[x] = static_cast<float>(value >> 24);
        }
    }
    if (pad > 0) {
        blurFloatPlane(plane, w, h, radius);
    }
    // Coverage is quantised to 8 bits first, so the tinted pixel comes from a table.
    const std::array<double, 4> rgba = color.clampedRGBA();
    std::array<std::uint32_t, 256> tinted{};
    for (int level = 0; level < 256; ++level) {
        const double a = level / 255.0 * rgba[3];
        auto channel = [](double value) { return static_cast<std::uint32_t>(std::lround(value * 255)); };
        tinted[level] = (channel(a) << 24) | (channel(rgba[0] * a) << 16) | (channel(rgba[1] * a) << 8) |
                        channel(rgba[2] * a);
    }
    const int stride = Image::bytesPerRowFor(Image::Format::argb32Premultiplied, w);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * h);
    for (int y = 0; y < h; ++y) {
        const float* coverage = plane.data() + static_cast<std::size_t>(y) * w;
        std::uint8_t* row = pixels.data() + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < w; ++x) {
            const int level = static_cast<int>(std::clamp(coverage[x], 0.0f, 255.0f) + 0.5f);
            std::memcpy(row + static_cast<std::size_t>(x) * 4, &tinted[level], 4);
        }
    }
    return Image::make(w, h, Image::Format::argb32Premultiplied, std::move(pixels));
}

}  // namespace platform::graphics
