#include "Lottie/MainThread/Text/CoreTextRenderLayer.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Text/ParagraphStyle.h"

namespace lottie {

using platform::graphics::GraphicsContext;
using platform::graphics::Rect;
using platform::graphics::Size;
using platform::text::AttributedString;
using platform::text::Framesetter;
using platform::text::TextAlignment;
using platform::text::TextAttributes;
using platform::text::TextRange;

namespace {

bool componentsAreFinite(const platform::graphics::Color& color) {
    const auto components = color.components();
    return std::all_of(components.begin(), components.end(), [](double value) { return std::isfinite(value); });
}

std::string describe(const platform::graphics::Color& color) {
    std::ostringstream text;
    text << color.colorSpace().name() << "(";
    const auto components = color.components();
    for (std::size_t index = 0; index < components.size(); ++index) {
        text << (index ? ", " : "") << components[index];
    }
    text << ")";
    return text.str();
}

}  // namespace

CoreTextRenderLayer::CoreTextRenderLayer(const CoreTextRenderLayer& layer) : Layer(layer) {}

template <class T>
void CoreTextRenderLayer::assign(T& field, T value) {
    if (field == value) return;
    field = std::move(value);
    invalidate();
}

void CoreTextRenderLayer::invalidate() {
    needsContentUpdate_ = true;
    setNeedsLayout();
    setNeedsDisplay();
}

void CoreTextRenderLayer::setText(std::optional<std::string> text) { assign(text_, std::move(text)); }
void CoreTextRenderLayer::setFont(std::optional<platform::text::Font> font) { assign(font_, std::move(font)); }
void CoreTextRenderLayer::setAlignment(TextAlignment alignment) { assign(alignment_, alignment); }
void CoreTextRenderLayer::setLineHeight(double lineHeight) { assign(lineHeight_, lineHeight); }
void CoreTextRenderLayer::setTracking(double tracking) { assign(tracking_, tracking); }
void CoreTextRenderLayer::setFillColor(std::optional<Color> color) { assign(fillColor_, std::move(color)); }
void CoreTextRenderLayer::setStrokeColor(std::optional<Color> color) { assign(strokeColor_, std::move(color)); }
void CoreTextRenderLayer::setStrokeWidth(double width) { assign(strokeWidth_, width); }
void CoreTextRenderLayer::setStrokeOnTop(bool onTop) { assign(strokeOnTop_, onTop); }
void CoreTextRenderLayer::setPreferredSize(std::optional<Size> size) { assign(preferredSize_, size); }
void CoreTextRenderLayer::setStart(std::optional<std::int64_t> start) { assign(start_, start); }
void CoreTextRenderLayer::setEnd(std::optional<std::int64_t> end) { assign(end_, end); }
void CoreTextRenderLayer::setTextRangeUnit(std::optional<TextRangeUnit> unit) { assign(textRangeUnit_, unit); }
void CoreTextRenderLayer::setSelectedRangeOpacity(std::optional<double> opacity) {
    assign(selectedRangeOpacity_, opacity);
}
void CoreTextRenderLayer::setSelectedRangeFillColor(std::optional<Color> color) {
    assign(selectedRangeFillColor_, std::move(color));
}
void CoreTextRenderLayer::setSelectedRangeStrokeColor(std::optional<Color> color) {
    assign(selectedRangeStrokeColor_, std::move(color));
}

void CoreTextRenderLayer::setLayoutCache(std::shared_ptr<platform::text::TextLayoutCache> cache) {
    assign(layoutCache_, std::move(cache));
}

void CoreTextRenderLayer::clearLayout() {
    drawingRect_ = Rect::zero();
    drawingAnchor_ = {};
    fillFramesetter_.reset();
    attributedString_.reset();
    strokeFramesetter_.reset();
    fillFrame_.reset();
    strokeFrame_.reset();
}

std::optional<TextRange> CoreTextRenderLayer::selectedRange(std::size_t length) const {
    if (!selectedRangeOpacity_ && !selectedRangeFillColor_ && !selectedRangeStrokeColor_) return std::nullopt;
    const double count = static_cast<double>(length);
    double first = 0;
    double last = count;
    // Worked out in doubles, which hold any product of a 64-bit end and a length
    // without overflow, and only then limited to the text.
    if (textRangeUnit_ == TextRangeUnit::index) {
        if (start_) first = static_cast<double>(*start_);
        if (end_) last = static_cast<double>(*end_);
    } else {
        if (start_) first = std::round(count * static_cast<double>(*start_) / 100);
        if (end_) last = std::round(count * static_cast<double>(*end_) / 100);
    }
    first = std::clamp(first, 0.0, count);
    last = std::clamp(last, 0.0, count);
    if (last < first) std::swap(first, last);
    const auto location = static_cast<std::size_t>(first);
    return TextRange(location, static_cast<std::size_t>(last) - location);
}

CoreTextRenderLayer::Color CoreTextRenderLayer::rangeColor(const Color& base) const {
    const double alpha = selectedRangeOpacity_.value_or(base.alpha());
    const auto space = LottieConfiguration::sharedColorSpace();
    if (!componentsAreFinite(base)) {
        LottieLogger::shared()->warn(
            [description = describe(base)] { return "Could not convert color " + description + " to RGB values."; },
            "Lottie/CoreTextRenderLayer", 296);
        return Color::fromRGBA(space, 0, 0, 0, alpha);
    }
    const auto rgba = base.rgba();
    return Color::fromRGBA(space, rgba[0], rgba[1], rgba[2], alpha);
}

void CoreTextRenderLayer::relayoutText() {
    if (!needsContentUpdate_) return;
    needsContentUpdate_ = false;
    // Whatever was laid out before belongs to inputs that are gone.
    clearLayout();
    if (!font_ || !text_ || text_->empty()) return;
    const double stroke = std::isfinite(strokeWidth_) ? std::abs(strokeWidth_) : 0;
    const bool fills = fillColor_ || selectedRangeFillColor_;
    // A stroke of no width would fill the glyphs in the default black instead.
    const bool strokes = (strokeColor_ || selectedRangeStrokeColor_) && stroke > 0;
    if (!fills && !strokes) return;
    if (!layoutCache_) layoutCache_ = std::make_shared<platform::text::TextLayoutCache>();

    const platform::text::Font& font = *font_;
    const double minimumLineHeight = font.ascent() + font.descent() + font.leading();
    platform::text::ParagraphStyle paragraph;
    paragraph.lineSpacing = std::max(lineHeight_ - minimumLineHeight, -minimumLineHeight);
    paragraph.lineHeightMultiple = 1;
    paragraph.maximumLineHeight = minimumLineHeight;
    paragraph.alignment = alignment_;
    // Text without a box is measured to fit on its lines; letting it wrap would
    // only let a rounding difference between measuring and laying out push its
    // last characters out of the frame.
    paragraph.lineBreakMode = preferredSize_ ? platform::text::LineBreakMode::wordWrapping
                                             : platform::text::LineBreakMode::clipping;

    TextAttributes attributes;
    attributes.ligatures = false;
    attributes.font = font;
    attributes.kerning = tracking_;
    attributes.paragraphStyle = paragraph;

    try {
        TextAttributes fillAttributes = attributes;
        fillAttributes.foregroundColor = fillColor_.value_or(Color::clear());
        AttributedString fillString(*text_, fillAttributes);
        const std::optional<TextRange> range = selectedRange(fillString.length());
        if (range && range->length > 0) {
            const Color base = selectedRangeFillColor_ ? *selectedRangeFillColor_ : fillColor_.value_or(Color::black());
            fillString.setForegroundColor(*range, rangeColor(base));
        }
        if (fills) fillFramesetter_.emplace(fillString, layoutCache_);
        attributedString_ = std::move(fillString);

        if (strokes) {
            TextAttributes strokeAttributes = attributes;
            strokeAttributes.strokeWidth = stroke;
            strokeAttributes.strokeColor = strokeColor_.value_or(Color::clear());
            AttributedString strokeString(*text_, strokeAttributes);
            if (range && range->length > 0 && (strokeColor_ || selectedRangeStrokeColor_)) {
                strokeString.setStrokeColor(*range, rangeColor(selectedRangeStrokeColor_ ? *selectedRangeStrokeColor_
                                                                                         : *strokeColor_));
            }
            strokeFramesetter_.emplace(std::move(strokeString), layoutCache_);
        }
    } catch (const std::invalid_argument&) {
        // Text that is not UTF-8 cannot be shown.
        clearLayout();
        return;
    }

    layoutBox(fillFramesetter_ ? *fillFramesetter_ : *strokeFramesetter_);
    // Said now: a text whose lines were all left out has nothing to draw.
    sayIfCut((fillFramesetter_ && fillFramesetter_->isCut()) || (strokeFramesetter_ && strokeFramesetter_->isCut()));
    if (fillFramesetter_ && strokeFramesetter_) {
        drawingRect_.size.width += stroke;
        drawingRect_.size.height += stroke;
    }
}

bool CoreTextRenderLayer::isPastDeadline() const {
    return (fillFramesetter_ && fillFramesetter_->isPastDeadline()) ||
           (strokeFramesetter_ && strokeFramesetter_->isPastDeadline());
}

void CoreTextRenderLayer::layoutBox(const Framesetter& framesetter) {
    const platform::text::Font& font = *font_;
    double horizontalOffset = 0;
    double verticalOffset = 0;
    if (!preferredSize_) {
        const Size suggested =
            framesetter.suggestFrameSize({Framesetter::unconstrained, Framesetter::unconstrained});
        drawingRect_ = Rect(0, 0, std::ceil(suggested.width), std::ceil(suggested.height));
        switch (alignment_) {
            case TextAlignment::left:
                verticalOffset = font.ascent();
                break;
            case TextAlignment::center:
                horizontalOffset = drawingRect_.size.width / 2;
                verticalOffset = font.ascent();
                break;
            case TextAlignment::right:
                horizontalOffset = drawingRect_.size.width;
                verticalOffset = font.ascent();
                break;
            case TextAlignment::justified:
            case TextAlignment::natural:
                break;
        }
    } else {
        const double aboveCapHeight = font.ascent() - font.capHeight();
        drawingRect_ = Rect(0, 0, preferredSize_->width, preferredSize_->height + aboveCapHeight + font.descent());
        verticalOffset = aboveCapHeight;
    }
    const double width = drawingRect_.size.width;
    const double height = drawingRect_.size.height;
    drawingAnchor_ = {width != 0 ? horizontalOffset / width : 0, height != 0 ? verticalOffset / height : 0};
}

void CoreTextRenderLayer::display() {
    relayoutText();
    // Cleared first, so that a text that can no longer be drawn (gone, or too
    // large for a bitmap) leaves no picture of what it was.
    setContents(nullptr);
    if (!fillFramesetter_ && !strokeFramesetter_) return;
    Layer::display();
}

void CoreTextRenderLayer::draw(GraphicsContext& context) {
    relayoutText();
    if (!fillFramesetter_ && !strokeFramesetter_) return;
    context.setTextMatrix(platform::graphics::AffineTransform::identity());
    context.setAllowsAntialiasing(true);
    context.setShouldAntialias(true);

    makeFrames();
    const std::optional<platform::text::Frame>& fillFrame = fillFrame_;
    const std::optional<platform::text::Frame>& strokeFrame = strokeFrame_;

    // A last line whose descent would reach below the box is lifted into it.
    const platform::text::Frame& reference = fillFrame ? *fillFrame : *strokeFrame;
    if (!reference.lineOrigins().empty() && font_) {
        const double belowBaseline = reference.rect().height() - reference.lineOrigins().back().y;
        const double overflow = font_->descent() - belowBaseline;
        if (overflow > 0) context.translateBy(0, -overflow);
    }

    if (strokeOnTop_) {
        if (fillFrame) fillFrame->draw(context);
        if (strokeFrame) strokeFrame->draw(context);
    } else {
        if (strokeFrame) strokeFrame->draw(context);
        if (fillFrame) fillFrame->draw(context);
    }
}

void CoreTextRenderLayer::makeFrames() {
    if (fillFrame_ || strokeFrame_) return;
    if (fillFramesetter_) fillFrame_ = fillFramesetter_->createFrame(drawingRect_);
    if (strokeFramesetter_) strokeFrame_ = strokeFramesetter_->createFrame(drawingRect_);
    sayIfCut((fillFrame_ && fillFrame_->isCut()) || (strokeFrame_ && strokeFrame_->isCut()));
}

void CoreTextRenderLayer::sayIfCut(bool cut) {
    if (cut && layoutCache_->firstToSayCut()) {
        LottieLogger::shared()->warn(
            [] {
                return "A text costs more to lay out than a text layer or an animation may: its lines past the "
                       "bound end in an ellipsis or are left out, as is what follows its runs of one script or "
                       "direction past the bound, and tabs and marks past the bound lay out as spaces and nothing.";
            },
            "Lottie/CoreTextRenderLayer", __LINE__);
    }
}

std::shared_ptr<platform::compositor::Animation> CoreTextRenderLayer::action(std::string_view) const {
    return nullptr;
}

std::shared_ptr<platform::compositor::Layer> CoreTextRenderLayer::makePresentationCopy() const {
    return std::make_shared<CoreTextRenderLayer>(*this);
}

platform::text::TextAlignment CoreTextRenderLayer::alignmentFor(TextJustification justification) {
    using platform::text::TextAlignment;
    switch (justification) {
        case TextJustification::left: return TextAlignment::left;
        case TextJustification::right: return TextAlignment::right;
        case TextJustification::center: return TextAlignment::center;
        default: return TextAlignment::justified;
    }
}

}  // namespace lottie
