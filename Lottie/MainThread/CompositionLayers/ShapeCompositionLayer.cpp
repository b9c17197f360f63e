#include "Lottie/MainThread/CompositionLayers/ShapeCompositionLayer.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeTree.h"

namespace lottie {

ShapeCompositionLayer::ShapeCompositionLayer(const ShapeLayerModel& shapeLayer)
    : CompositionLayer(shapeLayer, {0, 0}, true, std::make_shared<ShapeContainerLayer>()), items_(shapeLayer.items) {}

void ShapeCompositionLayer::buildNodeTree(double frame) {
    if (built_) return;
    built_ = true;
    NodeTree tree = NodeTree::build(items_);
    ShapeItemList().swap(items_);
    rootNode_ = tree.rootNode;
    ShapeContainerLayer& contents = container();
    // Inserting each at the bottom leaves the first item's layer on top.
    for (const auto& renderLayer : tree.renderContainers) {
        contents.appendRenderLayer(renderLayer);
        contents.insertSublayer(renderLayer->targetLayer(), 0);
    }
    contents.applyRenderScale(renderScale());
    if (rootNode_) rootNode_->updateNodeTree(frame, true);
    for (const auto& node : tree.childrenNodes) appendChildKeypath(node);
}

const std::shared_ptr<AnimatorNode>& ShapeCompositionLayer::rootNode() const {
    buildNodeTreeForReading();
    return rootNode_;
}

std::shared_ptr<ShapeContainerLayer> ShapeCompositionLayer::renderContainer() const {
    buildNodeTreeForReading();
    return std::static_pointer_cast<ShapeContainerLayer>(contentsLayer());
}

KeypathSearchable::Children ShapeCompositionLayer::childKeypaths() const {
    buildNodeTreeForReading();
    return CompositionLayer::childKeypaths();
}

void ShapeCompositionLayer::showContentsAtFrame(double frame, bool forceUpdates) {
    buildNodeTree(frame);
    if (rootNode_) rootNode_->updateNodeTree(frame, forceUpdates);
    // The contents layer shows again only once the frame is shown: its render
    // layers are told directly, not through it.
    for (const auto& renderLayer : container().renderLayers()) renderLayer->flagRedraws(frame);
}

void ShapeCompositionLayer::applyRenderScale() {
    setContentsScale(renderScale());
    container().applyRenderScale(renderScale());
}

}  // namespace lottie
