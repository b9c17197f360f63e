#pragma once
// The evaluated style of a solid stroke: colour, opacity, width, miter limit,
// caps, joins and an optional dash. Applied to the shape layer of its render
// layer, or drawn into a context (a gradient stroke strokes through one to get
// its outline). Made by the stroke node with the upstream output as parent;
// shared by the node and the render layer.

#include <optional>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/Renderable.h"
#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
#include "Platform/Graphics/Color.h"

namespace lottie {

class StrokeRenderer final : public PassThroughOutputNode, public Renderable {
public:
    explicit StrokeRenderer(std::shared_ptr<NodeOutput> parent) : PassThroughOutputNode(std::move(parent)) {}

    const std::optional<platform::graphics::Color>& color() const { return color_; }
    void setColor(std::optional<platform::graphics::Color> color);
    double opacity() const { return opacity_; }
    void setOpacity(double opacity);
    double width() const { return width_; }
    void setWidth(double width);
    double miterLimit() const { return miterLimit_; }
    void setMiterLimit(double limit);
    LineCap lineCap() const { return lineCap_; }
    void setLineCap(LineCap cap);
    LineJoin lineJoin() const { return lineJoin_; }
    void setLineJoin(LineJoin join);
    const std::optional<double>& dashPhase() const { return dashPhase_; }
    void setDashPhase(std::optional<double> phase);
    const std::optional<std::vector<double>>& dashLengths() const { return dashLengths_; }
    void setDashLengths(std::optional<std::vector<double>> lengths);

    // The line style in a context: width, miter limit, cap, join and dash.
    void setUpStroke(platform::graphics::GraphicsContext& context) const;
    // Warns, once in the renderer's life, when the dash pattern is too fine for
    // `path` and will be drawn coarser (platform::graphics::DashLimit).
    void reportDashLimit(const platform::graphics::Path* path) const;

    bool shouldRenderInContext() const override { return false; }
    bool renderChanged(double frame) override { return PassThroughOutputNode::renderChanged(frame); }
    void applyToShapeLayer(platform::compositor::ShapeLayer& layer) override;
    platform::graphics::Rect drawingBounds(const platform::graphics::Rect& bounds) const override;
    void render(platform::graphics::GraphicsContext& context) override;

    static platform::graphics::LineCap platformCap(LineCap cap);
    static platform::graphics::LineJoin platformJoin(LineJoin join);

private:
    std::optional<platform::graphics::Color> color_;
    double opacity_ = 0;
    double width_ = 0;
    double miterLimit_ = 0;
    LineCap lineCap_ = LineCap::none;
    LineJoin lineJoin_ = LineJoin::none;
    std::optional<double> dashPhase_;
    std::optional<std::vector<double>> dashLengths_;
    mutable bool dashLimitReported_ = false;
};

}  // namespace lottie
