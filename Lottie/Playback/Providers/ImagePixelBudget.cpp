#include "Lottie/Playback/Providers/ImagePixelBudget.h"

namespace lottie {

namespace {

std::uint64_t pixelsOf(int width, int height) {
    return width > 0 && height > 0 ? static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) : 0;
}

}  // namespace

bool ImagePixelBudget::fits(int width, int height) const { return pixelsOf(width, height) <= remaining_; }

bool ImagePixelBudget::admit(int width, int height) {
    const std::uint64_t pixels = pixelsOf(width, height);
    if (pixels > remaining_) {
        ++refusals_;
        return false;
    }
    remaining_ -= pixels;
    return true;
}

platform::graphics::ImageDecoder::SizeCheck ImagePixelBudget::sizeCheck() {
    return [this](int width, int height) { return admit(width, height); };
}

}  // namespace lottie
