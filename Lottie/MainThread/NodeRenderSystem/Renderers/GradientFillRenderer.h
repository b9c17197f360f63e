#pragma once
// The evaluated state of a gradient fill, drawn into its render layer's
// context in the render pass: the path filled with the gradient by its fill
// rule, at the fill's opacity. Made by the gradient fill node with the
// upstream output as parent; shared by the node and the render layer.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientDrawing.h"
#include "Platform/Graphics/FillRule.h"

namespace lottie {

class GradientFillRenderer final : public PassThroughOutputNode, public Renderable {
public:
    explicit GradientFillRenderer(std::shared_ptr<NodeOutput> parent) : PassThroughOutputNode(std::move(parent)) {}

    const GradientDrawing& gradient() const { return gradient_; }
    void setGradient(GradientDrawing gradient);
    double opacity() const { return opacity_; }
    void setOpacity(double opacity);
    platform::graphics::FillRule fillRule() const { return fillRule_; }
    void setFillRule(platform::graphics::FillRule rule);

    bool shouldRenderInContext() const override { return true; }
    bool renderChanged(double frame) override { return PassThroughOutputNode::renderChanged(frame); }
    void render(platform::graphics::GraphicsContext& context) override;

private:
    GradientDrawing gradient_;
    double opacity_ = 0;
    platform::graphics::FillRule fillRule_ = platform::graphics::FillRule::winding;
};

}  // namespace lottie
