#pragma once
// The evaluated state of a gradient fill, shown through two layers it installs
// in its render layer's shape layer: a GradientFillLayer that draws the
// gradient, masked by a shape layer holding the fill's path. Both share the
// shape layer's coordinate space and never animate implicitly. Made by the
// gradient fill node with the upstream output as parent; shared by the node and
// the render layer.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"
#include "Lottie/MainThread/NodeRenderSystem/Renderers/GradientFillLayer.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace lottie {

class GradientFillRenderer final : public PassThroughOutputNode, public Renderable {
public:
    explicit GradientFillRenderer(std::shared_ptr<NodeOutput> parent);

    const GradientDrawing& gradient() const { return gradient_; }
    void setGradient(GradientDrawing gradient);
    double opacity() const { return opacity_; }
    void setOpacity(double opacity);

    const std::shared_ptr<GradientFillLayer>& gradientLayer() const { return gradientLayer_; }
    const std::shared_ptr<platform::compositor::ShapeLayer>& maskLayer() const { return maskLayer_; }

    bool shouldRenderInContext() const override { return false; }
    bool renderChanged(double frame) override { return PassThroughOutputNode::renderChanged(frame); }
    void applyToShapeLayer(platform::compositor::ShapeLayer& layer) override;
    void installSublayers(platform::compositor::ShapeLayer& layer) override;

private:
    GradientDrawing gradient_;
    double opacity_ = 0;
    std::shared_ptr<GradientFillLayer> gradientLayer_;
    std::shared_ptr<platform::compositor::ShapeLayer> maskLayer_;
};

}  // namespace lottie
