#pragma once
// The render node of a gradient stroke: copies the evaluated gradient into the
// gradient half of its GradientStrokeRenderer and the line style and dashes
// into the stroke half. Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/GradientStrokeProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/RenderSourceNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientStrokeRenderer.h"

namespace lottie {

class GradientStrokeNode final : public RenderSourceNode<GradientStrokeProperties, GradientStrokeRenderer> {
public:
    GradientStrokeNode(std::shared_ptr<AnimatorNode> parentNode, const GradientStroke& gradientStroke)
        : RenderSourceNode(std::move(parentNode), std::make_shared<GradientStrokeProperties>(gradientStroke)) {}

    void regenerateOutputs(double frame) override;
};

}  // namespace lottie
