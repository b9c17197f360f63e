#include "Lottie/MainThread/NodeRenderSystem/Renderers/LegacyGradientFillRenderer.h"

namespace lottie {

void LegacyGradientFillRenderer::setGradient(GradientDrawing gradient) {
    gradient_ = std::move(gradient);
    setHasUpdate(true);
}

void LegacyGradientFillRenderer::setOpacity(double opacity) {
    opacity_ = opacity;
    setHasUpdate(true);
}

void LegacyGradientFillRenderer::render(platform::graphics::GraphicsContext& context) {
    if (context.isPathEmpty()) return;
    setHasUpdate(false);
    context.setAlpha(opacity_);
    context.clip(platform::graphics::FillRule::winding);
    gradient_.draw(context);
}

}  // namespace lottie
