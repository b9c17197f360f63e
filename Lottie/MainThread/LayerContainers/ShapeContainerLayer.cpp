#include "Lottie/MainThread/LayerContainers/ShapeContainerLayer.h"

#include "Lottie/MainThread/LayerContainers/ActionDisabling.h"

namespace lottie {

ShapeContainerLayer::ShapeContainerLayer() {
    disableActions(*this, {"position", "bounds", "anchorPoint", "transform", "opacity", "hidden"});
}

void ShapeContainerLayer::flagRedraws(double frame) {
    if (renderChanged(frame)) updateRenderedContent(frame);
    if (isHidden()) return;
    for (const auto& layer : renderLayers_) layer->flagRedraws(frame);
}

void ShapeContainerLayer::applyRenderScale() {
    setContentsScale(renderScale_);
    for (const auto& layer : renderLayers_) {
        layer->setRenderScale(renderScale_);
        layer->applyRenderScale();
    }
}

}  // namespace lottie
