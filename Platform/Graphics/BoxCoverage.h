#pragma once
// How Cairo covers the pixels of a rectangle along the device's axes when it
// lays it down as boxes: its edges in 24.8 fixed point, each pixel's share
// along either axis in 256ths, and their product taken to 8 bits. The scan
// converter's 1/64-pixel grid would move a fractional edge by up to half a
// step, so whatever stands in for Cairo's boxes covers pixels this way.

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace platform::graphics::BoxCoverage {

// A coordinate in 24.8 fixed point, held within what Cairo keeps.
inline long fixed(double value) { return std::lround(std::clamp(value, -8.0e6, 8.0e6) * 256); }

// The share, in 256ths, of pixel `pixel` that [from, to) (fixed point) covers.
inline long share(long from, long to, int pixel) {
    return std::clamp(std::min(to, (pixel + 1) * 256L) - std::max(from, pixel * 256L), 0L, 256L);
}

// The 8-bit coverage of a pixel from its shares along both axes.
inline std::uint8_t level(long rowShare, long columnShare) {
    return static_cast<std::uint8_t>(std::min(255L, (rowShare * columnShare) >> 8));
}

}  // namespace platform::graphics::BoxCoverage
