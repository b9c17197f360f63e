#pragma once
// The kinds of layer effect: only the drop shadow is rendered; every other
// code is kept as "unknown" so that the effect still decodes.

#include <cstdint>

namespace lottie {

enum class LayerEffectType : std::int16_t { dropShadow = 25, unknown = 9999 };

inline LayerEffectType layerEffectTypeFromCode(std::int64_t code) {
    return code == 25 ? LayerEffectType::dropShadow : LayerEffectType::unknown;
}

}  // namespace lottie
