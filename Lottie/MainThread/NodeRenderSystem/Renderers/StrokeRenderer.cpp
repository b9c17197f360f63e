#include "Lottie/MainThread/NodeRenderSystem/Renderers/StrokeRenderer.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "Lottie/Playback/LottieLogger.h"
#include "Platform/Graphics/DashLimit.h"

namespace lottie {

namespace graphics = platform::graphics;

void StrokeRenderer::setColor(std::optional<graphics::Color> color) {
    color_ = color;
    setHasUpdate(true);
}

void StrokeRenderer::setOpacity(double opacity) {
    opacity_ = opacity;
    setHasUpdate(true);
}

void StrokeRenderer::setWidth(double width) {
    width_ = width;
    setHasUpdate(true);
}

void StrokeRenderer::setMiterLimit(double limit) {
    miterLimit_ = limit;
    setHasUpdate(true);
}

void StrokeRenderer::setLineCap(LineCap cap) {
    lineCap_ = cap;
    setHasUpdate(true);
}

void StrokeRenderer::setLineJoin(LineJoin join) {
    lineJoin_ = join;
    setHasUpdate(true);
}

void StrokeRenderer::setDashPhase(std::optional<double> phase) {
    dashPhase_ = phase;
    setHasUpdate(true);
}

void StrokeRenderer::setDashLengths(std::optional<std::vector<double>> lengths) {
    dashLengths_ = std::move(lengths);
    setHasUpdate(true);
}

graphics::LineCap StrokeRenderer::platformCap(LineCap cap) {
    switch (cap) {
        case LineCap::round: return graphics::LineCap::round;
        case LineCap::square: return graphics::LineCap::square;
        case LineCap::none:
        case LineCap::butt: break;
    }
    return graphics::LineCap::butt;
}

graphics::LineJoin StrokeRenderer::platformJoin(LineJoin join) {
    switch (join) {
        case LineJoin::round: return graphics::LineJoin::round;
        case LineJoin::bevel: return graphics::LineJoin::bevel;
        case LineJoin::none:
        case LineJoin::miter: break;
    }
    return graphics::LineJoin::miter;
}

void StrokeRenderer::applyToShapeLayer(platform::compositor::ShapeLayer& layer) {
    reportDashLimit(outputPath());
    layer.setStrokeColor(color_);
    layer.setOpacity(static_cast<float>(opacity_));
    layer.setLineWidth(width_);
    // The item's own limit, not the layer's default: a sharp join must cut off
    // exactly where the document says.
    layer.setMiterLimit(miterLimit_);
    layer.setLineJoin(platformJoin(lineJoin_));
    layer.setLineCap(platformCap(lineCap_));
    layer.setLineDashPhase(dashPhase_.value_or(0));
    layer.setFillColor(std::nullopt);
    // Without lengths the line is solid again, also after an earlier frame dashed it.
    layer.setLineDashPattern(dashLengths_ ? *dashLengths_ : std::vector<double>{});
    setHasUpdate(false);
}

namespace {

constexpr double largestMiterLimit = 100;

}  // namespace

graphics::Rect StrokeRenderer::drawingBounds(const graphics::Rect& bounds) const {
    // A width covers caps and round or bevelled joins; a miter join reaches
    // up to miterLimit half-widths past its corner. The stroke is drawn
    // unclipped in the render pass, so its bounds must hold all of it. An
    // absurd limit counts as 100 half-widths (a corner of about a degree), so
    // that the bounds stay finite; only needle tips sharper than that may be cut.
    const double miterLimit = std::min(miterLimit_, largestMiterLimit);
    const double miterReach = platformJoin(lineJoin_) == graphics::LineJoin::miter ? miterLimit / 2 : 0;
    const double reach = width_ * std::max(1.0, miterReach);
    return bounds.insetBy(-reach, -reach);
}

void StrokeRenderer::setUpStroke(graphics::GraphicsContext& context) const {
    context.setLineWidth(width_);
    context.setMiterLimit(miterLimit_);
    context.setLineCap(platformCap(lineCap_));
    context.setLineJoin(platformJoin(lineJoin_));
    if (dashPhase_ && dashLengths_) {
        context.setLineDash(*dashPhase_, *dashLengths_);
    } else {
        context.setLineDash(0, {});
    }
}

void StrokeRenderer::reportDashLimit(const graphics::Path* path) const {
    if (dashLimitReported_ || !path || !dashLengths_) return;
    const double count = graphics::DashLimit::segmentCount(graphics::DashLimit::lengthBound(*path), *dashLengths_);
    if (count <= graphics::DashLimit::maximumSegments) return;
    dashLimitReported_ = true;
    LottieLogger::shared()->warn(
        [count] {
            return "A dash pattern would cut its path into about " + std::to_string(std::llround(count)) +
                   " dashes and gaps; it is drawn stretched to cut it into at most " +
                   std::to_string(static_cast<long long>(graphics::DashLimit::maximumSegments)) + ".";
        },
        "Lottie/StrokeRenderer", __LINE__);
}

void StrokeRenderer::render(graphics::GraphicsContext& context) {
    if (context.isPathEmpty() || !color_) return;
    reportDashLimit(outputPath());
    setHasUpdate(false);
    setUpStroke(context);
    context.setAlpha(opacity_);
    context.setStrokeColor(*color_);
    context.strokePath();
}

}  // namespace lottie
