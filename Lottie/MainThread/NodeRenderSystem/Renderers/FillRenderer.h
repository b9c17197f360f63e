#pragma once
// The evaluated style of a solid fill, applied to the shape layer of its render
// layer: fill colour, layer opacity and fill rule. Made by the fill node with the
// upstream output as parent; shared by the node and the render layer.

#include <optional>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"
#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
#include "Platform/Graphics/Color.h"

namespace lottie {

class FillRenderer final : public PassThroughOutputNode, public Renderable {
public:
    explicit FillRenderer(std::shared_ptr<NodeOutput> parent) : PassThroughOutputNode(std::move(parent)) {}

    const std::optional<platform::graphics::Color>& color() const { return color_; }
    void setColor(std::optional<platform::graphics::Color> color);
    double opacity() const { return opacity_; }
    void setOpacity(double opacity);
    FillRule fillRule() const { return fillRule_; }
    void setFillRule(FillRule rule);

    bool shouldRenderInContext() const override { return false; }
    bool renderChanged(double frame) override { return PassThroughOutputNode::renderChanged(frame); }
    void applyToShapeLayer(platform::compositor::ShapeLayer& layer) override;

private:
    std::optional<platform::graphics::Color> color_;
    double opacity_ = 0;
    FillRule fillRule_ = FillRule::none;
};

}  // namespace lottie
