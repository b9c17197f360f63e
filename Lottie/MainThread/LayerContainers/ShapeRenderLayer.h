#pragma once
// Shows one renderer (a fill or a stroke) of a shape layer's node graph by
// handing the renderer's path and style to the shape layer it is. Hidden while
// its renderer is disabled. Renderers that draw themselves (gradients) are shown
// by a DrawnRenderLayer instead; makeRenderLayer() picks. Built once with the
// node tree; owned by its container.

#include <memory>

#include "Lottie/MainThread/LayerContainers/ShapeRenderTarget.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace lottie {

class ShapeRenderLayer final : public platform::compositor::ShapeLayer, public ShapeRenderTarget {
public:
    // Made through make(), which installs the renderer's sublayers.
    static std::shared_ptr<ShapeRenderLayer> make(std::shared_ptr<Renderable> renderer);
    explicit ShapeRenderLayer(std::shared_ptr<Renderable> renderer);

    const std::shared_ptr<Renderable>& renderer() const { return renderer_; }

    std::shared_ptr<platform::compositor::Layer> targetLayer() override { return shared_from_this(); }
    void flagRedraws(double frame) override;
    void applyRenderScale(double scale) override { setContentsScale(scale); }

private:
    std::shared_ptr<Renderable> renderer_;
};

// The render layer of a renderer: a ShapeRenderLayer, or a DrawnRenderLayer for
// one that draws itself.
std::shared_ptr<ShapeRenderTarget> makeRenderLayer(std::shared_ptr<Renderable> renderer);

}  // namespace lottie
