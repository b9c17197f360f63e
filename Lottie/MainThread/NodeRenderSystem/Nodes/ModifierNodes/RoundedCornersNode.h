#pragma once
// Rounds the corners of every path before it in its item list by the current
// radius, rewriting their path outputs in place. Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/PathModifierNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/RoundedCornersProperties.h"

namespace lottie {

class RoundedCornersNode final : public PathModifierNode<RoundedCornersProperties> {
public:
    RoundedCornersNode(std::shared_ptr<AnimatorNode> parentNode, const RoundedCorners& roundedCorners,
                       std::vector<std::shared_ptr<PathOutputNode>> upstreamPaths)
        : PathModifierNode(std::move(parentNode), std::make_shared<RoundedCornersProperties>(roundedCorners),
                           std::move(upstreamPaths)) {}

    void regenerateOutputs(double frame) override;
};

}  // namespace lottie
