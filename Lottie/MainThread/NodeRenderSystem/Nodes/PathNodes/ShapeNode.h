#pragma once
// The path node of a free-path item: hands the animated path on unchanged.
// Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PathSourceNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapeNodeProperties.h"

namespace lottie {

class ShapeNode final : public PathSourceNode<ShapeNodeProperties> {
public:
    ShapeNode(std::shared_ptr<AnimatorNode> parentNode, const Shape& shape)
        : PathSourceNode(std::move(parentNode), std::make_shared<ShapeNodeProperties>(shape)) {}

protected:
    BezierPath buildPath() const override { return properties().path->value(); }
};

}  // namespace lottie
