#include "Platform/Text/Frame.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>

#include "Platform/Text/LinePainter.h"
#include "Platform/Text/TextLayout.h"

namespace platform::text {

namespace {

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

Frame::Frame(const graphics::Rect& rect, std::shared_ptr<const TextLayout> layout)
    : rect_(rect), layout_(std::move(layout)) {
    if (!layout_) {
        return;
    }
    const double width = TextLayout::wrapsAt(rect_.size.width) ? rect_.size.width : layout_->widestLine();
    for (const LaidOutLine& line : layout_->lines()) {
        lines_.push_back(line.line);
        origins_.emplace_back(alignedOffset(line, width), line.top + line.baselineOffset);
    }
}

void Frame::draw(cairo_t* cairo) const {
    if (cairo == nullptr || cairo_status(cairo) != CAIRO_STATUS_SUCCESS || !layout_ || lines_.empty()) {
        return;
    }
    // Drawing builds glyph outlines as paths; the caller's own path survives it.
    cairo_path_t* callerPath = cairo_copy_path(cairo);
    cairo_save(cairo);
    const auto& laidOut = layout_->lines();
    for (std::size_t index = 0; index < laidOut.size(); ++index) {
        const graphics::Point origin = rect_.origin + origins_[index];
        if (std::isfinite(origin.x) && std::isfinite(origin.y)) {
            paintLine(cairo, laidOut[index], layout_->text(), origin);
        }
    }
    cairo_restore(cairo);
    cairo_new_path(cairo);
    if (callerPath != nullptr && callerPath->status == CAIRO_STATUS_SUCCESS) {
        cairo_append_path(cairo, callerPath);
    }
    cairo_path_destroy(callerPath);
}

}  // namespace platform::text
