#include "Lottie/MainThread/LayerContainers/InvertedMatteLayer.h"

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/GraphicsContext.h"

namespace lottie {

InvertedMatteLayer::InvertedMatteLayer(std::shared_ptr<CompositionLayer> inputMatte)
    : inputMatte_(std::move(inputMatte)) {}

void InvertedMatteLayer::frameUpdated() {
    setNeedsDisplay();
    displayIfNeeded();
}

void InvertedMatteLayer::draw(platform::graphics::GraphicsContext& context) {
    if (!inputMatte_) return;
    context.setFillColor(engineColor(LottieColor(0, 0, 0, 1)));
    context.fillRect(bounds());
    // The source is drawn as a whole and then erases: drawn straight through
    // the erasing blend mode, its own groups would composite normally.
    context.setBlendMode(platform::graphics::BlendMode::destinationOut);
    context.beginTransparencyLayer();
    // The source carries no animations of its own (the engine sets its state
    // every frame), so any media time draws it as it is now.
    platform::compositor::render(inputMatte_, 0, context);
    context.endTransparencyLayer();
}

}  // namespace lottie
