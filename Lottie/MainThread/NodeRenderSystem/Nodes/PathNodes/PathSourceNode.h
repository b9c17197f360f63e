#pragma once
// What every path node shares: a property map of its own type and a path
// output that receives the path it builds. Disabling the node disables the
// output too, so downstream consumers see no path from it. The ellipse,
// rectangle, polygon, star and free-path nodes derive from it; each is owned by
// the node tree of its shape layer or group.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/PathNode.h"

namespace lottie {

template <class PropertyMapType>
class PathSourceNode : public AnimatorNode, public PathNode {
public:
    PathSourceNode(std::shared_ptr<AnimatorNode> parentNode, std::shared_ptr<PropertyMapType> properties)
        : AnimatorNode(parentNode),
          properties_(std::move(properties)),
          pathOutput_(std::make_shared<PathOutputNode>(parentNode ? parentNode->outputNode() : nullptr)) {}

    PropertyMapType& properties() const { return *properties_; }
    NodePropertyMap& propertyMap() const override { return *properties_; }
    std::shared_ptr<NodeOutput> outputNode() const override { return pathOutput_; }
    std::shared_ptr<PathOutputNode> pathOutput() const override { return pathOutput_; }

    void setEnabled(bool enabled) override {
        AnimatorNode::setEnabled(enabled);
        pathOutput_->setEnabled(enabled);
    }

    void regenerateOutputs(double frame) override { pathOutput_->setPath(buildPath(), frame); }

protected:
    // The path of the properties' current values.
    virtual BezierPath buildPath() const = 0;

private:
    std::shared_ptr<PropertyMapType> properties_;
    std::shared_ptr<PathOutputNode> pathOutput_;
};

}  // namespace lottie
