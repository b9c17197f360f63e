#pragma once
// The render node of a solid stroke: copies the evaluated style and dashes into
// its StrokeRenderer. Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/RenderSourceNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/StrokeNodeProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/StrokeRenderer.h"

namespace lottie {

class StrokeNode final : public RenderSourceNode<StrokeNodeProperties, StrokeRenderer> {
public:
    StrokeNode(std::shared_ptr<AnimatorNode> parentNode, const Stroke& stroke)
        : RenderSourceNode(std::move(parentNode), std::make_shared<StrokeNodeProperties>(stroke)) {}

    void regenerateOutputs(double frame) override;
};

}  // namespace lottie
