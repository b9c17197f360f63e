#include "Lottie/MainThread/NodeRenderSystem/Renderers/FillRenderer.h"

namespace lottie {

void FillRenderer::setColor(std::optional<platform::graphics::Color> color) {
    color_ = color;
    setHasUpdate(true);
}

void FillRenderer::setOpacity(double opacity) {
    opacity_ = opacity;
    setHasUpdate(true);
}

void FillRenderer::setFillRule(FillRule rule) {
    fillRule_ = rule;
    setHasUpdate(true);
}

void FillRenderer::applyToShapeLayer(platform::compositor::ShapeLayer& layer) {
    layer.setFillColor(color_);
    layer.setOpacity(static_cast<float>(opacity_));
    layer.setFillRule(fillRule_ == FillRule::evenOdd ? platform::graphics::FillRule::evenOdd
                                                     : platform::graphics::FillRule::winding);
    setHasUpdate(false);
}

}  // namespace lottie
