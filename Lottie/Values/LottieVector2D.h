#pragma once
// A two-dimensional vector; in documents, the easing tangents of keyframes.
// A plain value; whoever holds it owns it.
//
// JSON: {"x": ..., "y": ...}, each a number or an array whose first number is taken.

#include <cstddef>

#include "Platform/Graphics/HashCombine.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

struct LottieVector2D {
    double x = 0;
    double y = 0;

    constexpr LottieVector2D() = default;
    constexpr LottieVector2D(double xValue, double yValue) : x(xValue), y(yValue) {}

    constexpr platform::graphics::Point pointValue() const { return {x, y}; }

    // The dictionary decoder's reader; throws InitializableError.
    static LottieVector2D fromAny(const platform::json::Value& json);
    static LottieVector2D decode(const platform::json::Decoder& decoder);
    void encode(platform::json::Encoder& encoder) const;

    constexpr bool operator==(const LottieVector2D&) const = default;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottieVector2D> {
    std::size_t operator()(const lottie::LottieVector2D& vector) const noexcept {
        std::size_t seed = platform::graphics::hashDouble(vector.x);
        platform::graphics::hashCombine(seed, platform::graphics::hashDouble(vector.y));
        return seed;
    }
};
