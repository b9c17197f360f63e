#pragma once
// The render node of a gradient fill: copies the evaluated points, stops,
// opacity and fill rule into its GradientFillRenderer. Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/GradientFillProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/RenderSourceNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientFillRenderer.h"

namespace lottie {

class GradientFillNode final : public RenderSourceNode<GradientFillProperties, GradientFillRenderer> {
public:
    GradientFillNode(std::shared_ptr<AnimatorNode> parentNode, const GradientFill& gradientFill)
        : RenderSourceNode(std::move(parentNode), std::make_shared<GradientFillProperties>(gradientFill)) {}

    void regenerateOutputs(double frame) override;
};

}  // namespace lottie
