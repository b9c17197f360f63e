#include "Lottie/MainThread/LayerContainers/MaskNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

MaskNodeProperties::MaskNodeProperties(const Mask& mask)
    : mode(mask.mode),
      inverted(mask.inverted),
      opacity(makeKeyframeProperty(mask.opacity, LottieVector1D(100))),
      shape(makeKeyframeProperty(mask.shape)),
      expansion(makeKeyframeProperty(mask.expansion)) {
    add(opacity, {"Opacity"});
    add(shape, {"Shape"});
    add(expansion, {"Expansion"});
}

}  // namespace lottie
