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
    context.setAlpha(context.alpha() * opacity_);
    gradient_.fillPath(context, platform::graphics::FillRule::winding);
}

}  // namespace lottie
