#pragma once
// A three-dimensional vector: positions, anchor points, scales, sizes, gradient
// points and the spatial tangents of motion paths. A plain value; whoever holds
// it owns it.
//
// JSON: an array of up to three numbers, missing ones 0.

#include <cstddef>

#include "Platform/Graphics/HashCombine.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/Size.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

struct LottieVector3D {
    double x = 0;
    double y = 0;
    double z = 0;

    constexpr LottieVector3D() = default;
    constexpr LottieVector3D(double xValue, double yValue, double zValue) : x(xValue), y(yValue), z(zValue) {}

    constexpr platform::graphics::Point pointValue() const { return {x, y}; }
    constexpr platform::graphics::Size sizeValue() const { return {x, y}; }

    // The dictionary decoder's reader (a bare number is refused); throws InitializableError.
    static LottieVector3D fromAny(const platform::json::Value& json);
    static LottieVector3D decode(const platform::json::Decoder& decoder);
    void encode(platform::json::Encoder& encoder) const;

    constexpr bool operator==(const LottieVector3D&) const = default;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottieVector3D> {
    std::size_t operator()(const lottie::LottieVector3D& vector) const noexcept {
        std::size_t seed = platform::graphics::hashDouble(vector.x);
        platform::graphics::hashCombine(seed, platform::graphics::hashDouble(vector.y));
        platform::graphics::hashCombine(seed, platform::graphics::hashDouble(vector.z));
        return seed;
    }
};
