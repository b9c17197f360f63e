#include "Lottie/MainThread/LayerContainers/DrawnRenderLayer.h"

#include "Lottie/MainThread/LayerContainers/DisabledActions.h"

namespace lottie {

DrawnRenderLayer::DrawnRenderLayer(std::shared_ptr<Renderable> renderer) : renderer_(std::move(renderer)) {
    setAnchorPoint({0, 0});
    // Drawn at the device's resolution whenever a frame is drawn, not kept as
    // a bitmap of the layer's bounds.
    setDrawsInRenderPass(true);
    static DisabledActions disabled{"position", "bounds", "anchorPoint", "path", "transform", "opacity", "hidden"};
    disabled.applyTo(*this);
}

void DrawnRenderLayer::flagRedraws(double frame) {
    const bool hidden = !renderer_->isEnabled();
    setHidden(hidden);
    if (hidden || !renderer_->renderChanged(frame)) return;
    platform::graphics::Rect bounds(0, 0, 0, 0);
    if (const platform::graphics::Path* path = renderer_->outputPath()) {
        bounds = renderer_->drawingBounds(path->boundingBox());
    }
    setBounds(bounds);
    setPosition(bounds.origin);
    setNeedsDisplay();
}

void DrawnRenderLayer::draw(platform::graphics::GraphicsContext& context) {
    const platform::graphics::Path* path = renderer_->outputPath();
    if (path && !path->isEmpty()) context.addPath(*path);
    renderer_->render(context);
}

}  // namespace lottie
