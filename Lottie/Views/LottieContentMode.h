#pragma once
// How an animation is placed inside its view: stretched, fitted or filled
// keeping its aspect ratio, redrawn at its own size, or pinned unscaled to the
// centre, an edge or a corner. A plain value; the raw values are stable and are
// what settings and callers store.

#include <optional>

namespace lottie {

enum class LottieContentMode {
    scaleToFill = 0,
    scaleAspectFit = 1,
    scaleAspectFill = 2,
    redraw = 3,
    center = 4,
    top = 5,
    bottom = 6,
    left = 7,
    right = 8,
    topLeft = 9,
    topRight = 10,
    bottomLeft = 11,
    bottomRight = 12,
};

// The mode of a raw value; none outside 0 to 12.
std::optional<LottieContentMode> contentModeFromRawValue(int rawValue);

}  // namespace lottie
