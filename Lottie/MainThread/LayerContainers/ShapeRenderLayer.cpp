#include "Lottie/MainThread/LayerContainers/ShapeRenderLayer.h"

#include "Lottie/MainThread/LayerContainers/DisabledActions.h"
#include "Lottie/MainThread/LayerContainers/DrawnRenderLayer.h"

namespace lottie {

ShapeRenderLayer::ShapeRenderLayer(std::shared_ptr<Renderable> renderer) : renderer_(std::move(renderer)) {
    setAnchorPoint({0, 0});
    static DisabledActions disabled{"position",    "bounds",      "anchorPoint", "path",       "transform",
                                    "fillColor",   "strokeColor", "lineWidth",   "miterLimit", "lineDashPhase",
                                    "opacity",     "hidden"};
    disabled.applyTo(*this);
}

std::shared_ptr<ShapeRenderLayer> ShapeRenderLayer::make(std::shared_ptr<Renderable> renderer) {
    auto layer = std::make_shared<ShapeRenderLayer>(std::move(renderer));
    layer->renderer_->installSublayers(*layer);
    return layer;
}

void ShapeRenderLayer::flagRedraws(double frame) {
    const bool hidden = !renderer_->isEnabled();
    setHidden(hidden);
    if (hidden || !renderer_->renderChanged(frame)) return;
    // The output's own path, shared rather than copied.
    if (std::shared_ptr<const platform::graphics::Path> path = renderer_->sharedOutputPath()) {
        setSharedPath(std::move(path));
    } else {
        setSharedPath(nullptr);
    }
    renderer_->applyToShapeLayer(*this);
}

std::shared_ptr<ShapeRenderTarget> makeRenderLayer(std::shared_ptr<Renderable> renderer) {
    if (renderer->shouldRenderInContext()) return DrawnRenderLayer::make(std::move(renderer));
    return ShapeRenderLayer::make(std::move(renderer));
}

}  // namespace lottie
