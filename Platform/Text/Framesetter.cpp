#include "Platform/Text/Framesetter.h"

#include <pango/pangocairo.h>

#include <cmath>

#include "Platform/Text/PangoObject.h"
#include "Platform/Text/TextLayout.h"
#include "Platform/Text/TextLayoutCache.h"

namespace platform::text {

namespace {

// Pango's font maps may not be shared between threads, so each thread keeps its
// own, released with the thread.
PangoFontMap* threadFontMap() {
    thread_local GObjectPointer<PangoFontMap> fontMap(pango_cairo_font_map_new());
    return fontMap.get();
}

// Layout happens in points, unhinted and unrounded, so that sizes do not depend
// on where or at what scale the text is later drawn.
std::shared_ptr<PangoContext> makeContext() {
    PangoContext* context = pango_font_map_create_context(threadFontMap());
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    pango_cairo_context_set_font_options(context, options);
    cairo_font_options_destroy(options);
    pango_context_set_round_glyph_positions(context, FALSE);
    return sharedGObject(context);
}

double constraint(double value) {
    if (std::isnan(value) || value < 0) {
        return 0;
    }
    return value >= Framesetter::unconstrained ? std::numeric_limits<double>::infinity() : value;
}

}  // namespace

Framesetter::Framesetter(AttributedString text, std::shared_ptr<TextLayoutCache> cache)
    : text_(std::make_shared<const AttributedString>(std::move(text))),
      context_(makeContext()),
      cache_(std::move(cache)) {}

std::shared_ptr<const TextLayout> Framesetter::layoutAt(double width) const {
    if (!layout_ || !layout_->laysOut(*text_, width)) {
        // The last layout is let go first, giving back what it took.
        layout_.reset();
        layout_ = cache_ ? cache_->layout(text_, context_.get(), width)
                         : std::make_shared<const TextLayout>(text_, context_.get(), width);
    }
    return layout_;
}

graphics::Size Framesetter::suggestFrameSize(graphics::Size constraints) const {
    const std::shared_ptr<const TextLayout> layout = layoutAt(constraint(constraints.width));
    const std::vector<double> tops = layout->stack(constraint(constraints.height));
    return {layout->widestLine(tops.size()), layout->usedHeight(tops)};
}

bool Framesetter::isCut() const { return layout_ && layout_->cut(); }

bool Framesetter::isPastDeadline() const { return layout_ && layout_->pastDeadline(); }

Frame Framesetter::createFrame(const graphics::Rect& rect) const {
    const bool numeric = !std::isnan(rect.origin.x) && !std::isnan(rect.origin.y) && !std::isnan(rect.size.width) &&
                         !std::isnan(rect.size.height);
    if (!numeric || rect.isNull()) {
        return Frame(rect, nullptr, text_);
    }
    const graphics::Rect box = rect.standardized();
    return Frame(box, layoutAt(box.size.width), text_);
}

}  // namespace platform::text
