#include "Lottie/MainThread/LayerContainers/InvertedMatteLayer.h"

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"

namespace lottie {

InvertedMatteLayer::InvertedMatteLayer(std::shared_ptr<CompositionLayer> inputMatte)
    : inputMatte_(std::move(inputMatte)), eraser_(platform::compositor::Layer::make()) {
    setBackgroundColor(engineColor(LottieColor(0, 0, 0, 1)));
    eraser_->setAnchorPoint({0, 0});
    // The source is drawn as a whole into a group that then erases: its own
    // groups composite normally within it, as they do where it is shown.
    eraser_->setCompositingFilter("destinationOut");
}

std::shared_ptr<InvertedMatteLayer> InvertedMatteLayer::make(std::shared_ptr<CompositionLayer> inputMatte) {
    auto layer = std::make_shared<InvertedMatteLayer>(std::move(inputMatte));
    layer->addSublayer(layer->eraser_);
    if (layer->inputMatte_) layer->eraser_->addSublayer(layer->inputMatte_);
    return layer;
}

}  // namespace lottie
