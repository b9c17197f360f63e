#pragma once
// The path node of a star item of type polygon. Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PathSourceNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/RoundednessReport.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PolygonNodeProperties.h"

namespace lottie {

class PolygonNode final : public PathSourceNode<PolygonNodeProperties> {
public:
    PolygonNode(std::shared_ptr<AnimatorNode> parentNode, const Star& star)
        : PathSourceNode(std::move(parentNode), std::make_shared<PolygonNodeProperties>(star)) {}

protected:
    BezierPath buildPath() const override;

private:
    RoundednessReport roundednessReport_;
};

}  // namespace lottie
