#pragma once
// The path node of a rectangle item. Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PathSourceNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/RectNodeProperties.h"

namespace lottie {

class RectangleNode final : public PathSourceNode<RectNodeProperties> {
public:
    RectangleNode(std::shared_ptr<AnimatorNode> parentNode, const Rectangle& rectangle)
        : PathSourceNode(std::move(parentNode), std::make_shared<RectNodeProperties>(rectangle)) {}

protected:
    BezierPath buildPath() const override;
};

}  // namespace lottie
