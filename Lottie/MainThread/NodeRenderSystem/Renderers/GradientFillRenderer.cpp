#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientFillRenderer.h"

#include "Lottie/MainThread/LayerContainers/ActionDisabling.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"

namespace lottie {

GradientFillRenderer::GradientFillRenderer(std::shared_ptr<NodeOutput> parent)
    : PassThroughOutputNode(std::move(parent)),
      gradientLayer_(std::make_shared<GradientFillLayer>()),
      maskLayer_(platform::compositor::ShapeLayer::make()) {
    maskLayer_->setFillColor(engineColor(LottieColor(1, 1, 1, 1)));
    gradientLayer_->setMask(maskLayer_);
    for (platform::compositor::Layer* layer : {static_cast<platform::compositor::Layer*>(gradientLayer_.get()),
                                               static_cast<platform::compositor::Layer*>(maskLayer_.get())}) {
        disableActions(*layer, {"startPoint", "endPoint", "opacity", "locations", "colors", "bounds", "anchorPoint",
                                "isRadial", "path"});
    }
}

void GradientFillRenderer::setGradient(GradientDrawing gradient) {
    gradient_ = std::move(gradient);
    setHasUpdate(true);
}

void GradientFillRenderer::setOpacity(double opacity) {
    opacity_ = opacity;
    setHasUpdate(true);
}

void GradientFillRenderer::installSublayers(platform::compositor::ShapeLayer& layer) {
    layer.addSublayer(gradientLayer_);
    layer.setFillColor(std::nullopt);
}

void GradientFillRenderer::applyToShapeLayer(platform::compositor::ShapeLayer& layer) {
    setHasUpdate(false);
    const platform::graphics::Path& path = layer.path();
    if (path.isEmpty()) {
        // Nothing to fill: an earlier frame's gradient must not stay behind.
        maskLayer_->setPath(platform::graphics::Path());
        return;
    }
    const platform::graphics::Rect box = path.boundingBox();
    // Both layers take the path's bounding box as bounds and keep the shape
    // layer's coordinates: the box's origin sits where the shape layer has it.
    // Placing it by position rather than by an anchor point relative to the box
    // also works for a box without width or height (a straight line), where
    // the relative anchor point would divide by zero.
    maskLayer_->setPath(path);
    for (platform::compositor::Layer* target : {static_cast<platform::compositor::Layer*>(maskLayer_.get()),
                                                static_cast<platform::compositor::Layer*>(gradientLayer_.get())}) {
        target->setBounds(box);
        target->setAnchorPoint({0, 0});
        target->setPosition(box.origin);
    }
    gradientLayer_->setGradient(gradient_);
    gradientLayer_->setNeedsDisplay();
    gradientLayer_->setOpacity(opacity_);
}

}  // namespace lottie
