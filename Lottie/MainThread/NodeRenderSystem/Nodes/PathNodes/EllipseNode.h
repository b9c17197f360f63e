#pragma once
// The path node of an ellipse item. Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/EllipseNodeProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PathSourceNode.h"

namespace lottie {

class EllipseNode final : public PathSourceNode<EllipseNodeProperties> {
public:
    EllipseNode(std::shared_ptr<AnimatorNode> parentNode, const Ellipse& ellipse)
        : PathSourceNode(std::move(parentNode), std::make_shared<EllipseNodeProperties>(ellipse)) {}

protected:
    BezierPath buildPath() const override;
};

}  // namespace lottie
