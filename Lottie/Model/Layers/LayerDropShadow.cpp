#include "Lottie/Model/Layers/LayerDropShadow.h"

#include "Lottie/Model/Effects/DropShadowEffect.h"
#include "Lottie/Model/Styles/DropShadowStyle.h"

namespace lottie {

const DropShadowModel* layerDropShadow(const LayerModel& layer) {
    for (const auto& effect : layer.effects) {
        if (const auto* shadow = dynamic_cast<const DropShadowEffect*>(effect.get())) return shadow;
    }
    for (const auto& style : layer.styles) {
        if (const auto* shadow = dynamic_cast<const DropShadowStyle*>(style.get())) return shadow;
    }
    return nullptr;
}

}  // namespace lottie
