#pragma once
// A container of the layers that show a shape layer's node graph: one per group
// and one render layer per fill or stroke. Flagging redraws walks down to every
// render layer unless the container is hidden. Built once with the node tree;
// owned by its superlayer and by the group node or shape composition layer that
// made it. Main thread only.

#include <memory>
#include <vector>

#include "Lottie/MainThread/LayerContainers/ShapeRenderTarget.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

class ShapeContainerLayer final : public platform::compositor::Layer, public ShapeRenderTarget {
public:
    ShapeContainerLayer();

    const std::vector<std::shared_ptr<ShapeRenderTarget>>& renderLayers() const { return renderLayers_; }
    void appendRenderLayer(std::shared_ptr<ShapeRenderTarget> layer) { renderLayers_.push_back(std::move(layer)); }

    std::shared_ptr<platform::compositor::Layer> targetLayer() override { return shared_from_this(); }
    void flagRedraws(double frame) override;
    void applyRenderScale(double scale) override;

private:
    std::vector<std::shared_ptr<ShapeRenderTarget>> renderLayers_;
};

}  // namespace lottie
