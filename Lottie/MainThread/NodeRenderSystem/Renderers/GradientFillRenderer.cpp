#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientFillRenderer.h"

namespace lottie {

void GradientFillRenderer::setGradient(GradientDrawing gradient) {
    gradient_ = std::move(gradient);
    setHasUpdate(true);
}

void GradientFillRenderer::setOpacity(double opacity) {
    opacity_ = opacity;
    setHasUpdate(true);
}

void GradientFillRenderer::setFillRule(platform::graphics::FillRule rule) {
    if (fillRule_ == rule) return;
    fillRule_ = rule;
    setHasUpdate(true);
}

void GradientFillRenderer::render(platform::graphics::GraphicsContext& context) {
    setHasUpdate(false);
    context.setAlpha(context.alpha() * opacity_);
    gradient_.fillPath(context, fillRule_);
}

}  // namespace lottie
