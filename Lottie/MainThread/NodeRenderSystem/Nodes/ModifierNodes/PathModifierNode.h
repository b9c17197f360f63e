#pragma once
// What the trim and rounded-corners nodes share: a property map of their own
// type, a pass-through output, and the path outputs of every path node before
// them in their item list (nested groups included), which they rewrite in place
// each time they regenerate. Because they rewrite what other nodes built, any
// change here or upstream makes the upstream nodes rebuild their paths first in
// the same frame. Owned by the node tree of the item list.

#include <memory>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"

namespace lottie {

template <class PropertyMapType>
class PathModifierNode : public AnimatorNode {
public:
    PathModifierNode(std::shared_ptr<AnimatorNode> parentNode, std::shared_ptr<PropertyMapType> properties,
                     std::vector<std::shared_ptr<PathOutputNode>> upstreamPaths)
        : AnimatorNode(parentNode),
          properties_(std::move(properties)),
          outputNode_(std::make_shared<PassThroughOutputNode>(parentNode ? parentNode->outputNode() : nullptr)),
          upstreamPaths_(std::move(upstreamPaths)) {}

    PropertyMapType& properties() const { return *properties_; }
    const std::vector<std::shared_ptr<PathOutputNode>>& upstreamPaths() const { return upstreamPaths_; }

    NodePropertyMap& propertyMap() const override { return *properties_; }
    std::shared_ptr<NodeOutput> outputNode() const override { return outputNode_; }
    bool forcesUpstreamRegeneration() const override { return hasLocalUpdates() || hasUpstreamUpdates(); }

private:
    std::shared_ptr<PropertyMapType> properties_;
    std::shared_ptr<PassThroughOutputNode> outputNode_;
    std::vector<std::shared_ptr<PathOutputNode>> upstreamPaths_;
};

}  // namespace lottie
