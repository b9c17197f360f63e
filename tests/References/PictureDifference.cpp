#include "tests/References/PictureDifference.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace referencetest {

namespace {

// A premultiplied channel over black is the channel itself; over white it is
// the channel plus the white that shows through (255 - alpha).
struct Composites {
    int overBlack[3];
    int overWhite[3];
};

Composites composite(std::uint32_t argb) {
    const int alpha = static_cast<int>(argb >> 24);
    Composites result{};
    for (int channel = 0; channel < 3; ++channel) {
        const int value = static_cast<int>((argb >> (16 - 8 * channel)) & 0xff);
        result.overBlack[channel] = value;
        result.overWhite[channel] = value + 255 - alpha;
    }
    return result;
}

// The largest channel difference of one pixel over either background.
int pixelDifference(std::uint32_t a, std::uint32_t b) {
    const Composites first = composite(a);
    const Composites second = composite(b);
    int largest = 0;
    for (int channel = 0; channel < 3; ++channel) {
        largest = std::max({largest, std::abs(first.overBlack[channel] - second.overBlack[channel]),
                            std::abs(first.overWhite[channel] - second.overWhite[channel])});
    }
    return largest;
}

}  // namespace

std::string PictureDifference::description() const {
    std::ostringstream text;
    if (!sameSize) return "the sizes differ";
    text << "RMSE over white " << rmseOverWhite << ", over black " << rmseOverBlack
         << ", largest channel difference " << largestChannelDifference << "/255";
    return text.str();
}

PictureDifference measureDifference(const platform::graphics::Image& picture,
                                    const platform::graphics::Image& reference) {
    PictureDifference difference;
    if (picture.width() != reference.width() || picture.height() != reference.height()) {
        difference.sameSize = false;
        return difference;
    }
    double squaresOverWhite = 0;
    double squaresOverBlack = 0;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            const Composites first = composite(picture.pixel(x, y));
            const Composites second = composite(reference.pixel(x, y));
            for (int channel = 0; channel < 3; ++channel) {
                const double white = (first.overWhite[channel] - second.overWhite[channel]) / 255.0;
                const double black = (first.overBlack[channel] - second.overBlack[channel]) / 255.0;
                squaresOverWhite += white * white;
                squaresOverBlack += black * black;
            }
            difference.largestChannelDifference =
                std::max(difference.largestChannelDifference, pixelDifference(picture.pixel(x, y), reference.pixel(x, y)));
        }
    }
    const double samples = 3.0 * picture.width() * picture.height();
    difference.rmseOverWhite = std::sqrt(squaresOverWhite / samples);
    difference.rmseOverBlack = std::sqrt(squaresOverBlack / samples);
    return difference;
}

std::shared_ptr<const platform::graphics::Image> sideBySide(const platform::graphics::Image& picture,
                                                            const platform::graphics::Image* reference) {
    constexpr int gap = 4;
    const int panelWidth = std::max(picture.width(), reference ? reference->width() : 0);
    const int height = std::max(picture.height(), reference ? reference->height() : 0);
    const int width = 3 * panelWidth + 2 * gap;
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(width) * height * 4, 0);
    auto put = [&](int x, int y, std::uint32_t argb) {
        // Straight RGBA from premultiplied ARGB.
        const std::uint32_t alpha = argb >> 24;
        std::uint8_t* out = rgba.data() + (static_cast<std::size_t>(y) * width + x) * 4;
        for (int channel = 0; channel < 3; ++channel) {
            const std::uint32_t value = (argb >> (16 - 8 * channel)) & 0xff;
            out[channel] = alpha == 0 ? 0 : static_cast<std::uint8_t>(std::min<std::uint32_t>(255, value * 255 / alpha));
        }
        out[3] = static_cast<std::uint8_t>(alpha);
    };
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < panelWidth; ++x) {
            put(x, y, picture.pixel(x, y));
            if (!reference) continue;
            put(panelWidth + gap + x, y, reference->pixel(x, y));
            const auto grey = static_cast<std::uint32_t>(
                std::min(255, 8 * pixelDifference(picture.pixel(x, y), reference->pixel(x, y))));
            put(2 * (panelWidth + gap) + x, y, 0xff000000u | (grey << 16) | (grey << 8) | grey);
        }
    }
    return platform::graphics::Image::fromStraightRGBA(width, height, std::move(rgba));
}

}  // namespace referencetest
