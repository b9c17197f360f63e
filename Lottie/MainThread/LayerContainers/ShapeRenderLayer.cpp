#include "Lottie/MainThread/LayerContainers/ShapeRenderLayer.h"

#include "Lottie/MainThread/LayerContainers/DisabledActions.h"

namespace lottie {

ShapeRenderLayer::ShapeRenderLayer(std::shared_ptr<Renderable> renderer)
    : renderer_(std::move(renderer)) {
    setAnchorPoint({0, 0});
    // Renderers that draw themselves are drawn at the device's resolution
    // whenever a frame is drawn, not kept as a bitmap of the layer's bounds;
    // they have no use for a shape layer, which every view would pay for.
    setDrawsInRenderPass(renderer_->shouldRenderInContext());
    static DisabledActions disabled{"position", "bounds", "anchorPoint", "path", "transform", "opacity", "hidden"};
    disabled.applyTo(*this);
    if (renderer_->shouldRenderInContext()) return;
    shapeLayer_ = platform::compositor::ShapeLayer::make();
    static DisabledActions shapeLayerDisabled{"position",    "bounds",      "anchorPoint", "path",
                                              "fillColor",   "strokeColor", "lineWidth",   "miterLimit",
                                              "lineDashPhase", "opacity",   "hidden"};
    shapeLayerDisabled.applyTo(*shapeLayer_);
}

std::shared_ptr<ShapeRenderLayer> ShapeRenderLayer::make(std::shared_ptr<Renderable> renderer) {
    auto layer = std::make_shared<ShapeRenderLayer>(std::move(renderer));
    if (layer->shapeLayer_) {
        layer->addSublayer(layer->shapeLayer_);
        layer->renderer_->installSublayers(*layer->shapeLayer_);
    }
    return layer;
}

bool ShapeRenderLayer::renderChanged(double frame) {
    const bool hidden = !renderer_->isEnabled();
    setHidden(hidden);
    if (hidden) return false;
    return renderer_->renderChanged(frame);
}

void ShapeRenderLayer::updateRenderedContent(double) {
    const platform::graphics::Path* path = renderer_->outputPath();
    if (shapeLayer_) {
        shapeLayer_->setPath(path ? *path : platform::graphics::Path());
        renderer_->applyToShapeLayer(*shapeLayer_);
        return;
    }
    platform::graphics::Rect bounds(0, 0, 0, 0);
    if (path) bounds = renderer_->drawingBounds(path->boundingBox());
    setBounds(bounds);
    setPosition(bounds.origin);
    setNeedsDisplay();
}

void ShapeRenderLayer::applyRenderScale() {
    ShapeContainerLayer::applyRenderScale();
    if (shapeLayer_) shapeLayer_->setContentsScale(renderScale());
}

void ShapeRenderLayer::draw(platform::graphics::GraphicsContext& context) {
    const platform::graphics::Path* path = renderer_->outputPath();
    if (path && !path->isEmpty()) context.addPath(*path);
    renderer_->render(context);
}

}  // namespace lottie
