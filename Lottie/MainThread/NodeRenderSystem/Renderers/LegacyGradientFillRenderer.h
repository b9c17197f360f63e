#pragma once
// A gradient filling a render layer's context's current path: the gradient
// half of a gradient stroke, which hands it the stroke's outline as that path.
// Made and owned by its GradientStrokeRenderer.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientDrawing.h"

namespace lottie {

class LegacyGradientFillRenderer final : public PassThroughOutputNode, public Renderable {
public:
    LegacyGradientFillRenderer() : PassThroughOutputNode(nullptr) {}

    const GradientDrawing& gradient() const { return gradient_; }
    void setGradient(GradientDrawing gradient);
    double opacity() const { return opacity_; }
    void setOpacity(double opacity);

    bool shouldRenderInContext() const override { return true; }
    bool renderChanged(double frame) override { return PassThroughOutputNode::renderChanged(frame); }
    void render(platform::graphics::GraphicsContext& context) override;

private:
    GradientDrawing gradient_;
    double opacity_ = 0;
};

}  // namespace lottie
