#pragma once
// What every render node shares: a property map of its own type and a renderer
// that takes the path upstream of the node as its parent output. A render node's
// own changes (a new colour) do not count as path changes for the nodes after it.
// Fill and stroke nodes derive from it; each is owned by its node tree.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/RenderNode.h"

namespace lottie {

template <class PropertyMapType, class Renderer>
class RenderSourceNode : public AnimatorNode, public RenderNode {
public:
    RenderSourceNode(std::shared_ptr<AnimatorNode> parentNode, std::shared_ptr<PropertyMapType> properties)
        : AnimatorNode(parentNode),
          properties_(std::move(properties)),
          renderer_(std::make_shared<Renderer>(parentNode ? parentNode->outputNode() : nullptr)) {}

    PropertyMapType& properties() const { return *properties_; }
    Renderer& typedRenderer() const { return *renderer_; }
    NodePropertyMap& propertyMap() const override { return *properties_; }
    std::shared_ptr<NodeOutput> outputNode() const override { return renderer_; }
    std::shared_ptr<Renderable> renderer() const override { return renderer_; }
    bool localChangesPropagate() const override { return false; }

private:
    std::shared_ptr<PropertyMapType> properties_;
    std::shared_ptr<Renderer> renderer_;
};

}  // namespace lottie
