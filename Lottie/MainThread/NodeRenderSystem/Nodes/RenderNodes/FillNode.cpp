#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/FillNode.h"

#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"

namespace lottie {

void FillNode::regenerateOutputs(double) {
    FillNodeProperties& values = properties();
    FillRenderer& renderer = typedRenderer();
    renderer.setColor(engineColor(values.color->value()));
    renderer.setOpacity(values.opacity->value().value * 0.01);
    renderer.setFillRule(values.type);
}

}  // namespace lottie
