#pragma once
// A colour as cairo takes it: red, green, blue and alpha, each within 0...1.
// Text without a colour draws opaque black, the default value. Used by the line
// painter while it draws.

#include "Platform/Graphics/Color.h"

namespace platform::text {

struct RgbaColor {
    double red = 0;
    double green = 0;
    double blue = 0;
    double alpha = 1;
};

// A grey colour's level goes into all three channels.
inline RgbaColor rgbaOf(const graphics::Color& color) {
    const auto components = color.clampedRGBA();
    return {components[0], components[1], components[2], components[3]};
}

}  // namespace platform::text
