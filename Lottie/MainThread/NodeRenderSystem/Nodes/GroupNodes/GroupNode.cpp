#include "Lottie/MainThread/NodeRenderSystem/Nodes/GroupNodes/GroupNode.h"

namespace lottie {

GroupNode::GroupNode(std::string name, std::shared_ptr<AnimatorNode> parentNode, const NodeTree& tree)
    : AnimatorNode(parentNode),
      groupOutput_(std::make_shared<GroupOutputNode>(parentNode ? parentNode->outputNode() : nullptr,
                                                     tree.rootNode ? tree.rootNode->outputNode() : nullptr)),
      properties_(std::make_shared<GroupNodeProperties>(tree.transform)),
      rootNode_(tree.rootNode),
      container_(std::make_shared<ShapeContainerLayer>()),
      keypathName_(std::move(name)) {
    childKeypaths_.assign(tree.childrenNodes.begin(), tree.childrenNodes.end());
    childKeypaths_.push_back(properties_);
    // Inserting each at the bottom leaves the list's first container on top.
    for (const auto& layer : tree.renderContainers) {
        container_->appendRenderLayer(layer);
        container_->insertSublayer(layer->targetLayer(), 0);
    }
}

void GroupNode::setEnabled(bool enabled) {
    AnimatorNode::setEnabled(enabled);
    container_->setHidden(!enabled);
}

bool GroupNode::updateNestedContents(double frame, bool forceLocalUpdate) {
    return rootNode_ ? rootNode_->propagateContentUpdates(frame, forceLocalUpdate) : false;
}

void GroupNode::updateNestedOutputs(double frame, bool forceOutputUpdate) {
    if (rootNode_) rootNode_->propagateOutputUpdates(frame, forceOutputUpdate);
}

void GroupNode::regenerateOutputs(double) {
    container_->setOpacity(static_cast<float>(properties_->opacity() * 0.01));
    container_->setTransform(properties_->caTransform());
    groupOutput_->setTransform(container_->transform());
}

}  // namespace lottie
