#include "Platform/Graphics/ImageSampling.h"

#include <algorithm>
#include <cmath>

namespace platform::graphics {

namespace {

// The largest reduction made: 2^30 passes any image's side, so the loop below
// ends for any scale, however small.
constexpr int largestFactor = 1 << 30;

// Below this scale a bilinear filter skips source pixels.
constexpr double leastBilinearScale = 0.5;

}  // namespace

ImageSampling ImageSampling::forScale(double scaleX, double scaleY, int width, int height) {
    scaleX = std::fabs(scaleX);
    scaleY = std::fabs(scaleY);
    if (!std::isfinite(scaleX) || !std::isfinite(scaleY) || !(scaleX > 0) || !(scaleY > 0)) {
        // Nothing shows, or nothing that a reduction could help with.
        return {};
    }
    const double larger = std::max(scaleX, scaleY);
    const int side = std::min(width, height);
    int factor = 1;
    while (factor < largestFactor && factor * 2 <= side && larger * factor * 2 <= 1) factor *= 2;
    const double smaller = std::min(scaleX, scaleY) * factor;
    return {factor, smaller < leastBilinearScale};
}

}  // namespace platform::graphics
