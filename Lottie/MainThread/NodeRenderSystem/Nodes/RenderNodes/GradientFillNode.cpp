#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/GradientFillNode.h"

namespace lottie {

void GradientFillNode::regenerateOutputs(double) {
    const GradientFillProperties& values = properties();
    GradientFillRenderer& renderer = typedRenderer();
    GradientDrawing gradient;
    gradient.start = values.startPoint->value().pointValue();
    gradient.end = values.endPoint->value().pointValue();
    gradient.colors = values.colors->value();
    gradient.type = values.gradientType;
    gradient.numberOfColors = values.numberOfColors;
    renderer.setOpacity(values.opacity->value().value * 0.01);
    renderer.setGradient(std::move(gradient));
    renderer.setFillRule(values.fillRule == FillRule::evenOdd ? platform::graphics::FillRule::evenOdd
                                                              : platform::graphics::FillRule::winding);
}

}  // namespace lottie
