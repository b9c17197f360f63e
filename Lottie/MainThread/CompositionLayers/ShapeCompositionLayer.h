#pragma once
// A shape layer: the node graph of its shape items, whose render layers sit in
// the contents layer, a shape container. Each visible frame updates the graph,
// then lets the render layers redraw what changed. Owned like any composition
// layer.
//
// The graph is built when a frame first shows the layer, or when something
// asks for it (a keypath search, the accessors below), not before: a view
// holds no graph for the layers it has not shown yet (one drawn at a few
// frames of a document whose layers come and go, a list of paused stickers).

#include <memory>

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/MainThread/LayerContainers/ShapeContainerLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"

namespace lottie {

class ShapeCompositionLayer final : public CompositionLayer {
public:
    explicit ShapeCompositionLayer(const ShapeLayerModel& shapeLayer);

    // Both build the graph first when it is not built yet.
    const std::shared_ptr<AnimatorNode>& rootNode() const;
    // The contents layer.
    std::shared_ptr<ShapeContainerLayer> renderContainer() const;
    // Whether the graph is built.
    bool hasNodeTree() const { return built_; }

    void showContentsAtFrame(double frame, bool forceUpdates) override;
    void applyRenderScale() override;
    Children childKeypaths() const override;

private:
    ShapeContainerLayer& container() const { return static_cast<ShapeContainerLayer&>(*contentsLayer()); }
    // Builds the graph once, at `frame`.
    void buildNodeTree(double frame);
    // The same for the callers that only read it; the layer is used on the
    // main thread alone.
    void buildNodeTreeForReading() const { const_cast<ShapeCompositionLayer*>(this)->buildNodeTree(0); }

    // The items until the graph is built from them.
    ShapeItemList items_;
    bool built_ = false;
    std::shared_ptr<AnimatorNode> rootNode_;
};

}  // namespace lottie
