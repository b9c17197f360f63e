#pragma once
// The render node of a solid fill: copies the evaluated colour, opacity and fill
// rule into its FillRenderer. Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/FillNodeProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/RenderSourceNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/FillRenderer.h"

namespace lottie {

class FillNode final : public RenderSourceNode<FillNodeProperties, FillRenderer> {
public:
    FillNode(std::shared_ptr<AnimatorNode> parentNode, const Fill& fill)
        : RenderSourceNode(std::move(parentNode), std::make_shared<FillNodeProperties>(fill)) {}

    void regenerateOutputs(double frame) override;
};

}  // namespace lottie
