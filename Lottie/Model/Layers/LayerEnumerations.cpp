#include "Lottie/Model/Layers/LayerEnumerations.h"

namespace lottie {

std::optional<LayerType> layerTypeFromCode(std::int64_t code) {
    if (code < 0 || code > static_cast<std::int64_t>(LayerType::unknown)) return std::nullopt;
    return static_cast<LayerType>(code);
}

std::optional<MatteType> matteTypeFromCode(std::int64_t code) {
    if (code < 0 || code > static_cast<std::int64_t>(MatteType::unknown)) return std::nullopt;
    return static_cast<MatteType>(code);
}

std::optional<BlendMode> blendModeFromCode(std::int64_t code) {
    if (code < 0 || code > static_cast<std::int64_t>(BlendMode::luminosity)) return std::nullopt;
    return static_cast<BlendMode>(code);
}

}  // namespace lottie
