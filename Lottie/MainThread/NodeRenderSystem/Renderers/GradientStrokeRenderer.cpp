#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientStrokeRenderer.h"

#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"

namespace lottie {

GradientStrokeRenderer::GradientStrokeRenderer(std::shared_ptr<NodeOutput> parent)
    : PassThroughOutputNode(std::move(parent)),
      strokeRender_(std::make_shared<StrokeRenderer>(nullptr)),
      gradientRender_(std::make_shared<LegacyGradientFillRenderer>()) {
    // The colour only makes the outline; the gradient paints it.
    strokeRender_->setColor(engineColor(LottieColor(1, 1, 1, 1)));
    strokeRender_->setHasUpdate(false);
}

bool GradientStrokeRenderer::outputChanged(double frame) {
    if (const auto& upstream = parent(); upstream && upstream->outputChanged(frame)) {
        setHasUpdate(true);
        return true;
    }
    return strokeRender_->hasUpdate() || gradientRender_->hasUpdate();
}

bool GradientStrokeRenderer::renderChanged(double frame) {
    const bool changed = outputChanged(frame);
    setHasUpdate(hasUpdate() || changed);
    return hasUpdate();
}

platform::graphics::Rect GradientStrokeRenderer::drawingBounds(const platform::graphics::Rect& bounds) const {
    return strokeRender_->drawingBounds(bounds);
}

void GradientStrokeRenderer::render(platform::graphics::GraphicsContext& context) {
    if (context.isPathEmpty()) return;
    strokeRender_->setHasUpdate(false);
    setHasUpdate(false);
    gradientRender_->setHasUpdate(false);
    strokeRender_->reportDashLimit(outputPath());
    strokeRender_->setUpStroke(context);
    context.replacePathWithStrokedPath();
    gradientRender_->render(context);
}

}  // namespace lottie
