#pragma once
// A width and a height, which may be negative (a rectangle with a negative size
// extends the other way from its origin). A plain value.

#include <cstddef>

#include "Platform/Graphics/HashCombine.h"

namespace platform::graphics {

struct Size {
    double width = 0;
    double height = 0;

    constexpr Size() = default;
    constexpr Size(double widthValue, double heightValue) : width(widthValue), height(heightValue) {}

    static constexpr Size zero() { return {}; }

    constexpr bool operator==(const Size&) const = default;
};

}  // namespace platform::graphics

template <>
struct std::hash<platform::graphics::Size> {
    std::size_t operator()(const platform::graphics::Size& size) const noexcept {
        std::size_t seed = platform::graphics::hashDouble(size.width);
        platform::graphics::hashCombine(seed, platform::graphics::hashDouble(size.height));
        return seed;
    }
};
