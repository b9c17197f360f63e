#include "Platform/Text/Frame.h"

#include <algorithm>
#include <cmath>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Text/GlyphOutliner.h"
#include "Platform/Text/TextLayout.h"

namespace platform::text {

namespace {

constexpr double kMiterLimit = 10;

double alignedOffset(const LaidOutLine& line, double width) {
    const double room = width - line.line.width;
    switch (line.style.alignment) {
    case TextAlignment::left:
        return 0;
    case TextAlignment::right:
        return room;
    case TextAlignment::center:
        return room / 2;
    case TextAlignment::justified:
    case TextAlignment::natural:
        break;
    }
    return line.rightToLeft ? room : 0;
}

}  // namespace

Frame::Frame(const graphics::Rect& rect, std::shared_ptr<const TextLayout> layout,
             std::shared_ptr<const AttributedString> text)
    : rect_(rect), layout_(std::move(layout)), text_(std::move(text)) {
    if (!layout_) {
        return;
    }
    const std::vector<double> tops = layout_->stack(rect_.size.height);
    const double width = TextLayout::wrapsAt(rect_.size.width) ? rect_.size.width : layout_->widestLine(tops.size());
    for (std::size_t index = 0; index < tops.size(); ++index) {
        const LaidOutLine& line = layout_->lines()[index];
        lines_.push_back(line.line);
        origins_.emplace_back(alignedOffset(line, width), tops[index] + line.baselineOffset);
    }
}

bool Frame::isCut() const { return layout_ && layout_->cut(); }

void Frame::draw(graphics::GraphicsContext& context) const {
    if (!layout_ || lines_.empty()) {
        return;
    }
    // Only glyphs that can show are outlined: a line tens of thousands of units
    // long, shown small, costs what its visible part does. A stroke reaches past
    // a glyph's outline by up to half its pen times the miter limit, its pen no
    // wider than the context makes one.
    double reach = 0;
    for (const AttributeRun& run : text_->runs()) {
        reach = std::max(reach, context.userPenRadius(run.attributes.strokeLineWidth()) * kMiterLimit);
    }
    const graphics::Rect visible = context.clipBoundingBox().insetBy(-reach, -reach);
    context.beginPath();
    if (visible.isNull()) {
        return;
    }
    // Glyph outlines are built in a context of their own, in user space, and then
    // handed to the caller's context like any other path.
    GlyphOutliner outliner;
    context.saveGState();
    context.setLineCap(graphics::LineCap::butt);
    context.setLineJoin(graphics::LineJoin::miter);
    context.setMiterLimit(kMiterLimit);
    context.setLineDash(0, {});
    const auto paint = [&context](const graphics::Path& outline, const TextAttributes& attributes) {
        const double strokeWidth = std::isfinite(attributes.strokeWidth) ? attributes.strokeWidth : 0;
        const graphics::Color fill = attributes.foregroundColor.value_or(graphics::Color::black());
        if (strokeWidth <= 0) {
            context.setFillColor(fill);
            context.addPath(outline);
            context.fillPath(graphics::FillRule::winding);
        }
        if (strokeWidth != 0) {
            context.setStrokeColor(attributes.strokeColor.value_or(fill));
            context.setLineWidth(attributes.strokeLineWidth());
            context.addPath(outline);
            context.strokePath();
        }
    };
    const auto& laidOut = layout_->lines();
    for (std::size_t index = 0; index < origins_.size(); ++index) {
        const graphics::Point origin = rect_.origin + origins_[index];
        if (std::isfinite(origin.x) && std::isfinite(origin.y)) {
            outliner.forEachOutline(laidOut[index], *text_, origin, visible, paint);
        }
    }
    context.restoreGState();
}

}  // namespace platform::text
