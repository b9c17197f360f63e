#pragma once
// The kinds of layer style: only the drop shadow is rendered; every other
// code is kept as "unknown".

#include <cstdint>

namespace lottie {

enum class LayerStyleType : std::int16_t { dropShadow = 1, unknown = 9999 };

inline LayerStyleType layerStyleTypeFromCode(std::int64_t code) {
    return code == 1 ? LayerStyleType::dropShadow : LayerStyleType::unknown;
}

}  // namespace lottie
