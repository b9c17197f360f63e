#pragma once
// The kinds of named value an effect carries: sliders and angles are numbers,
// colours are colours; anything else is "unknown" and carries no value.

#include <cstdint>
#include <optional>

namespace lottie {

enum class EffectValueType : std::int16_t { slider = 0, angle = 1, color = 2, unknown = 9999 };

// The case of a code both decoders know; nothing for any other integer (the
// keyed-container decoder then says "unknown", the dictionary decoder drops
// the value).
inline std::optional<EffectValueType> effectValueTypeFromCode(std::int64_t code) {
    switch (code) {
        case 0: return EffectValueType::slider;
        case 1: return EffectValueType::angle;
        case 2: return EffectValueType::color;
        case 9999: return EffectValueType::unknown;
        default: return std::nullopt;
    }
}

}  // namespace lottie
