#include "Lottie/MainThread/LayerContainers/ShapeContainerLayer.h"

#include "Lottie/MainThread/LayerContainers/DisabledActions.h"

namespace lottie {

ShapeContainerLayer::ShapeContainerLayer() {
    static DisabledActions disabled{"position", "bounds", "anchorPoint", "transform", "opacity", "hidden"};
    disabled.applyTo(*this);
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
