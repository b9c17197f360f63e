#pragma once
// The evaluated state of a gradient stroke, drawn into its render layer's
// context: the stroke half (a StrokeRenderer without parent, only used for its
// line style) turns the path into its outline, and the gradient half fills
// that outline with the gradient. Made by the gradient stroke node with the
// upstream output as parent; shared by the node and the render layer.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/LegacyGradientFillRenderer.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/StrokeRenderer.h"

namespace lottie {

class GradientStrokeRenderer final : public PassThroughOutputNode, public Renderable {
public:
    explicit GradientStrokeRenderer(std::shared_ptr<NodeOutput> parent);

    StrokeRenderer& strokeRender() const { return *strokeRender_; }
    LegacyGradientFillRenderer& gradientRender() const { return *gradientRender_; }

    // An upstream change is remembered here; otherwise whether either half changed.
    bool outputChanged(double frame) override;
    bool renderChanged(double frame) override;

    bool shouldRenderInContext() const override { return true; }
    platform::graphics::Rect drawingBounds(const platform::graphics::Rect& bounds) const override;
    void render(platform::graphics::GraphicsContext& context) override;

private:
    std::shared_ptr<StrokeRenderer> strokeRender_;
    std::shared_ptr<LegacyGradientFillRenderer> gradientRender_;
};

}  // namespace lottie
