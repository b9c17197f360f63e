#pragma once
// The animator node of a group item: owns the node chain of the group's items,
// the container layer that shows their render layers, and the group's transform
// and opacity, which it applies to the container and to its output so that the
// group's combined path is transformed too. Owned by the node tree that holds it.

#include <memory>
#include <string>

#include "Lottie/MainThread/LayerContainers/ShapeContainerLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeTree.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/GroupNodes/GroupNodeProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/GroupOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"

namespace lottie {

class GroupNode final : public AnimatorNode {
public:
    GroupNode(std::string name, std::shared_ptr<AnimatorNode> parentNode, const NodeTree& tree);

    const std::shared_ptr<ShapeContainerLayer>& container() const { return container_; }
    const std::shared_ptr<AnimatorNode>& rootNode() const { return rootNode_; }
    GroupNodeProperties& properties() const { return *properties_; }

    NodePropertyMap& propertyMap() const override { return *properties_; }
    std::shared_ptr<NodeOutput> outputNode() const override { return groupOutput_; }
    void setEnabled(bool enabled) override;
    bool updateNestedContents(double frame, bool forceLocalUpdate) override;
    void updateNestedOutputs(double frame, bool forceOutputUpdate) override;
    void regenerateOutputs(double frame) override;

    std::string keypathName() const override { return keypathName_; }
    Children childKeypaths() const override { return childKeypaths_; }
    std::shared_ptr<platform::compositor::Layer> searchRootLayer() const override { return container_; }

private:
    std::shared_ptr<GroupOutputNode> groupOutput_;
    std::shared_ptr<GroupNodeProperties> properties_;
    std::shared_ptr<AnimatorNode> rootNode_;
    std::shared_ptr<ShapeContainerLayer> container_;
    std::string keypathName_;
    Children childKeypaths_;
};

}  // namespace lottie
