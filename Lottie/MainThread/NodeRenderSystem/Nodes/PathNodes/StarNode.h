#pragma once
// The path node of a star item of type star. Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PathSourceNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/RoundednessReport.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/StarNodeProperties.h"

namespace lottie {

class StarNode final : public PathSourceNode<StarNodeProperties> {
public:
    StarNode(std::shared_ptr<AnimatorNode> parentNode, const Star& star)
        : PathSourceNode(std::move(parentNode), std::make_shared<StarNodeProperties>(star)) {}

protected:
    BezierPath buildPath() const override;

private:
    RoundednessReport roundednessReport_;
};

}  // namespace lottie
