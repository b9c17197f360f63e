#pragma once
// A colour of fills, strokes, effects and styles: red, green, blue and alpha as
// doubles, normally 0 to 1. A plain value; whoever holds it owns it.
//
// JSON: an array of which only the first three numbers are read (missing ones
// 0). They are divided by 255 only when all three are greater than 1, so
// [255, 0, 0] stays as it is. Alpha is always 1 after decoding; the encoder
// writes all four components.

#include <cstddef>

#include "Lottie/Values/ColorFormatDenominator.h"
#include "Platform/Graphics/HashCombine.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

struct LottieColor {
    double r = 0;
    double g = 0;
    double b = 0;
    double a = 0;

    constexpr LottieColor() = default;
    constexpr LottieColor(double red, double green, double blue, double alpha) : r(red), g(green), b(blue), a(alpha) {}
    // All four components divided by the denominator's scale.
    constexpr LottieColor(double red, double green, double blue, double alpha, ColorFormatDenominator denominator)
        : r(red / denominatorValue(denominator)),
          g(green / denominatorValue(denominator)),
          b(blue / denominatorValue(denominator)),
          a(alpha / denominatorValue(denominator)) {}

    // The colour rule of both decoders, from the (up to) three components read.
    static LottieColor fromComponents(double red, double green, double blue);

    // The dictionary decoder's reader; throws InitializableError.
    static LottieColor fromAny(const platform::json::Value& json);
    static LottieColor decode(const platform::json::Decoder& decoder);
    void encode(platform::json::Encoder& encoder) const;

    constexpr bool operator==(const LottieColor&) const = default;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottieColor> {
    std::size_t operator()(const lottie::LottieColor& color) const noexcept {
        std::size_t seed = platform::graphics::hashDouble(color.r);
        platform::graphics::hashCombine(seed, platform::graphics::hashDouble(color.g));
        platform::graphics::hashCombine(seed, platform::graphics::hashDouble(color.b));
        platform::graphics::hashCombine(seed, platform::graphics::hashDouble(color.a));
        return seed;
    }
};
