#pragma once
// One animated number: opacity, rotation, widths, radii and every other single
// value of a document. A plain value; whoever holds it owns it.
//
// JSON: a number, or an array whose first number is taken.

#include <cstddef>

#include "Platform/Graphics/HashCombine.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

struct LottieVector1D {
    double value = 0;

    constexpr LottieVector1D() = default;
    constexpr explicit LottieVector1D(double number) : value(number) {}

    // The dictionary decoder's reader; throws InitializableError.
    static LottieVector1D fromAny(const platform::json::Value& json);
    // The keyed-container decoder: the array form first, the bare number if that fails.
    static LottieVector1D decode(const platform::json::Decoder& decoder);
    void encode(platform::json::Encoder& encoder) const;

    constexpr bool operator==(const LottieVector1D&) const = default;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottieVector1D> {
    std::size_t operator()(const lottie::LottieVector1D& vector) const noexcept {
        return platform::graphics::hashDouble(vector.value);
    }
};
