#pragma once
// Shows one renderer of a shape layer's node graph that draws itself (a
// gradient fill or stroke): the renderer draws its path in the render pass
// (Layer::drawsInRenderPass), at the device's resolution whenever a frame is
// drawn, into bounds that are those of its drawing. Hidden while its renderer
// is disabled. Built once with the node tree; owned by its container.

#include <memory>

#include "Lottie/MainThread/LayerContainers/ShapeRenderTarget.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

class DrawnRenderLayer final : public platform::compositor::Layer, public ShapeRenderTarget {
public:
    static std::shared_ptr<DrawnRenderLayer> make(std::shared_ptr<Renderable> renderer) {
        return std::make_shared<DrawnRenderLayer>(std::move(renderer));
    }
    explicit DrawnRenderLayer(std::shared_ptr<Renderable> renderer);

    const std::shared_ptr<Renderable>& renderer() const { return renderer_; }

    std::shared_ptr<platform::compositor::Layer> targetLayer() override { return shared_from_this(); }
    void flagRedraws(double frame) override;
    void applyRenderScale(double scale) override { setContentsScale(scale); }
    void draw(platform::graphics::GraphicsContext& context) override;

private:
    std::shared_ptr<Renderable> renderer_;
};

}  // namespace lottie
