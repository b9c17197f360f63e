#include "Lottie/MainThread/LayerContainers/ShapeContainerLayer.h"

#include "Lottie/MainThread/LayerContainers/DisabledActions.h"

namespace lottie {

ShapeContainerLayer::ShapeContainerLayer() {
    static DisabledActions disabled{"position", "bounds", "anchorPoint", "transform", "opacity", "hidden"};
    disabled.applyTo(*this);
}

void ShapeContainerLayer::flagRedraws(double frame) {
    if (isHidden()) return;
    for (const auto& layer : renderLayers_) layer->flagRedraws(frame);
}

void ShapeContainerLayer::applyRenderScale(double scale) {
    setContentsScale(scale);
    for (const auto& layer : renderLayers_) layer->applyRenderScale(scale);
}

}  // namespace lottie
