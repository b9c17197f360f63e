#pragma once
// A container of the layers that show a shape layer's node graph: one per group
// and one render layer per fill or stroke. After each node-graph update its
// owner asks it to flag redraws, which walks down to every visible render layer.
// Built once with the node tree; owned by its superlayer and by the group node
// or shape composition layer that made it. Main thread only.

#include <memory>
#include <vector>

#include "Platform/Compositor/Layer.h"

namespace lottie {

class ShapeContainerLayer : public platform::compositor::Layer {
public:
    ShapeContainerLayer();

    const std::vector<std::shared_ptr<ShapeContainerLayer>>& renderLayers() const { return renderLayers_; }
    void appendRenderLayer(std::shared_ptr<ShapeContainerLayer> layer) { renderLayers_.push_back(std::move(layer)); }
    double renderScale() const { return renderScale_; }
    void setRenderScale(double scale) { renderScale_ = scale; }

    // Updates this layer when its renderer changed, then (unless hidden) every render layer below.
    void flagRedraws(double frame);
    virtual bool renderChanged(double) { return false; }
    virtual void updateRenderedContent(double) {}
    virtual void applyRenderScale();

private:
    std::vector<std::shared_ptr<ShapeContainerLayer>> renderLayers_;
    double renderScale_ = 1;
};

}  // namespace lottie
