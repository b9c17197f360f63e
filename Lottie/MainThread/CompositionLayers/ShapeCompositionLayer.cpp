#include "Lottie/MainThread/CompositionLayers/ShapeCompositionLayer.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeTree.h"

namespace lottie {

ShapeCompositionLayer::ShapeCompositionLayer(const ShapeLayerModel& shapeLayer)
    : CompositionLayer(shapeLayer, {0, 0}), renderContainer_(std::make_shared<ShapeContainerLayer>()) {
    NodeTree tree = NodeTree::build(shapeLayer.items);
    rootNode_ = tree.rootNode;
    contentsLayer()->addSublayer(renderContainer_);
    // Inserting each at the bottom leaves the first item's layer on top.
    for (const auto& container : tree.renderContainers) {
        renderContainer_->appendRenderLayer(container);
        renderContainer_->insertSublayer(container->targetLayer(), 0);
    }
    if (rootNode_) rootNode_->updateNodeTree(0, true);
    for (const auto& node : tree.childrenNodes) appendChildKeypath(node);
}

void ShapeCompositionLayer::showContentsAtFrame(double frame, bool forceUpdates) {
    if (rootNode_) rootNode_->updateNodeTree(frame, forceUpdates);
    renderContainer_->flagRedraws(frame);
}

void ShapeCompositionLayer::applyRenderScale() {
    setContentsScale(renderScale());
    renderContainer_->applyRenderScale(renderScale());
}

}  // namespace lottie
