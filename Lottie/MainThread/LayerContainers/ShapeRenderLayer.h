#pragma once
// Shows one renderer (a fill or a stroke) of a shape layer's node graph: either
// by handing the renderer's path and style to its shape layer, or, for
// renderers that draw themselves (gradients), by drawing the path through the
// renderer in the render pass (Layer::drawsInRenderPass), its bounds those of
// the renderer's drawing. Hidden while its renderer is disabled. Built once
// with the node tree; owned by its container.

#include <memory>

#include "Lottie/MainThread/LayerContainers/ShapeContainerLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace lottie {

class ShapeRenderLayer final : public ShapeContainerLayer {
public:
    // Made through make(), which installs the shape layer and the renderer's sublayers.
    static std::shared_ptr<ShapeRenderLayer> make(std::shared_ptr<Renderable> renderer);
    explicit ShapeRenderLayer(std::shared_ptr<Renderable> renderer);

    const std::shared_ptr<Renderable>& renderer() const { return renderer_; }
    // Null for a renderer that draws itself.
    const std::shared_ptr<platform::compositor::ShapeLayer>& shapeLayer() const { return shapeLayer_; }

    bool renderChanged(double frame) override;
    void updateRenderedContent(double frame) override;
    void applyRenderScale() override;
    void draw(platform::graphics::GraphicsContext& context) override;

private:
    std::shared_ptr<Renderable> renderer_;
    std::shared_ptr<platform::compositor::ShapeLayer> shapeLayer_;
};

}  // namespace lottie
