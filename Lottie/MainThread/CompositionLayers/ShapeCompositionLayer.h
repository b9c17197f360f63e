#pragma once
// A shape layer: the node graph of its shape items, whose render layers sit in
// one shape container inside the contents layer. Each visible frame updates the
// graph, then lets the container redraw what changed. Owned like any
// composition layer.

#include <memory>

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/MainThread/LayerContainers/ShapeContainerLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"

namespace lottie {

class ShapeCompositionLayer final : public CompositionLayer {
public:
    explicit ShapeCompositionLayer(const ShapeLayerModel& shapeLayer);

    const std::shared_ptr<AnimatorNode>& rootNode() const { return rootNode_; }
    const std::shared_ptr<ShapeContainerLayer>& renderContainer() const { return renderContainer_; }

    void showContentsAtFrame(double frame, bool forceUpdates) override;
    void applyRenderScale() override;

private:
    std::shared_ptr<AnimatorNode> rootNode_;
    std::shared_ptr<ShapeContainerLayer> renderContainer_;
};

}  // namespace lottie
