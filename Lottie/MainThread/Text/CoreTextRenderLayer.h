#pragma once
// A compositor layer that lays out one text and draws it into its own contents:
// a fill pass and a stroke pass (the stroke under or over the fill), an optional
// selected range of characters drawn with its own colours and opacity, and a box
// either measured from the text or given by the caller. Both rendering engines
// use it: the main-thread text layer and the Core Animation text layer set its
// inputs, call relayoutText(), and then give it drawingRect() as bounds and
// drawingAnchor() as anchor point. Owned by the text layer that made it; main
// thread only.
//
// Placement (y down). Without a preferred size the box is the size the text
// needs and the anchor sits on the first baseline: at its left end, middle or
// right end for left, centred or right alignment (justified text anchors at the
// top-left corner). With a preferred size the box is that size plus the room the
// first line needs above its cap height and below its last baseline, and the
// anchor sits at the left edge, where the cap height of the first line begins.
//
// Inputs are compared before they invalidate: setting a value that is already
// there neither marks the layout stale nor asks for display.
//
// Selected range: when an opacity or a colour is given for it, the characters
// between start and end (percent of the text, or UTF-16 indices) are filled with
// the range's fill colour (else the fill colour) and stroked with the range's
// stroke colour (else the stroke colour), at the range's opacity when one is
// given; the rest of the text keeps the layer's own colours.
//
// A text that cannot be laid out (none, empty, not UTF-8, no font, nothing to
// fill or stroke) shows nothing; no earlier layout survives it.
//
// The text is laid out once per change of its inputs, however often it is
// drawn, in one layout that measuring it and both passes share. Layers given
// the same layout cache (the engines give every text layer of an animation
// theirs) share one layout when they show the same text in the same box, and
// the layouts of all of them are bounded together (see
// platform::text::TextLayoutCache). What the layout cuts to bound its cost
// (see platform::text::TextLayout) is said once per cache: once per animation,
// or once for a layer left with a cache of its own.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "Lottie/Model/Text/TextJustification.h"
#include "Lottie/Model/Text/TextRangeUnit.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/Size.h"
#include "Platform/Text/AttributedString.h"
#include "Platform/Text/Font.h"
#include "Platform/Text/Framesetter.h"
#include "Platform/Text/TextAlignment.h"
#include "Platform/Text/TextLayoutCache.h"

namespace lottie {

class CoreTextRenderLayer : public platform::compositor::Layer {
public:
    using Color = platform::graphics::Color;

    CoreTextRenderLayer() = default;
    // The presentation copy: the compositor's properties of `layer`, and the
    // text inputs at their defaults (a copy is never laid out).
    CoreTextRenderLayer(const CoreTextRenderLayer& layer);

    static std::shared_ptr<CoreTextRenderLayer> make() { return std::make_shared<CoreTextRenderLayer>(); }

    const std::optional<std::string>& text() const { return text_; }
    void setText(std::optional<std::string> text);
    const std::optional<platform::text::Font>& font() const { return font_; }
    void setFont(std::optional<platform::text::Font> font);
    platform::text::TextAlignment alignment() const { return alignment_; }
    void setAlignment(platform::text::TextAlignment alignment);
    // The distance between baselines, in points; 0 keeps the font's own.
    double lineHeight() const { return lineHeight_; }
    void setLineHeight(double lineHeight);
    // Points added after each character.
    double tracking() const { return tracking_; }
    void setTracking(double tracking);
    const std::optional<Color>& fillColor() const { return fillColor_; }
    void setFillColor(std::optional<Color> color);
    const std::optional<Color>& strokeColor() const { return strokeColor_; }
    void setStrokeColor(std::optional<Color> color);
    // Percent of the font size; its sign is ignored, as the stroke pass only strokes.
    double strokeWidth() const { return strokeWidth_; }
    void setStrokeWidth(double width);
    bool strokeOnTop() const { return strokeOnTop_; }
    void setStrokeOnTop(bool onTop);
    const std::optional<platform::graphics::Size>& preferredSize() const { return preferredSize_; }
    void setPreferredSize(std::optional<platform::graphics::Size> size);
    const std::optional<std::int64_t>& start() const { return start_; }
    void setStart(std::optional<std::int64_t> start);
    const std::optional<std::int64_t>& end() const { return end_; }
    void setEnd(std::optional<std::int64_t> end);
    const std::optional<TextRangeUnit>& textRangeUnit() const { return textRangeUnit_; }
    void setTextRangeUnit(std::optional<TextRangeUnit> unit);
    // 0...1, replacing the alpha of the selected characters' colours.
    const std::optional<double>& selectedRangeOpacity() const { return selectedRangeOpacity_; }
    void setSelectedRangeOpacity(std::optional<double> opacity);
    const std::optional<Color>& selectedRangeFillColor() const { return selectedRangeFillColor_; }
    void setSelectedRangeFillColor(std::optional<Color> color);
    const std::optional<Color>& selectedRangeStrokeColor() const { return selectedRangeStrokeColor_; }
    void setSelectedRangeStrokeColor(std::optional<Color> color);

    // The cache the text is laid out through; a layer given none makes one of its own.
    const std::shared_ptr<platform::text::TextLayoutCache>& layoutCache() const { return layoutCache_; }
    void setLayoutCache(std::shared_ptr<platform::text::TextLayoutCache> cache);

    // Rebuilds the strings, framesetters, drawing rectangle and anchor when an
    // input changed since the last layout; otherwise does nothing.
    void relayoutText();
    // The alignment a document's justification gives: every justified kind,
    // whatever its last line does, is justified text.
    static platform::text::TextAlignment alignmentFor(TextJustification justification);
    bool needsContentUpdate() const { return needsContentUpdate_; }

    // Results of the last layout: the bounds the text needs (origin (0, 0)) and
    // the anchor point, in the unit space of those bounds, that places it.
    const platform::graphics::Rect& drawingRect() const { return drawingRect_; }
    platform::graphics::Point drawingAnchor() const { return drawingAnchor_; }
    // The fill pass's string (the whole text with its fill and range colours).
    const std::optional<platform::text::AttributedString>& attributedString() const { return attributedString_; }
    // Whether the last layout left the text out because the work it was laid
    // out in passed its deadline (see platform::text::TextLayoutCache).
    bool isPastDeadline() const;
    bool hasFillPass() const { return fillFramesetter_.has_value(); }
    bool hasStrokePass() const { return strokeFramesetter_.has_value(); }

    // Lays out if needed and draws into fresh contents, or clears them when there
    // is nothing to show.
    void display() override;
    void draw(platform::graphics::GraphicsContext& context) override;
    // No implicit animation for any key.
    std::shared_ptr<platform::compositor::Animation> action(std::string_view key) const override;
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override;

private:
    template <class T>
    void assign(T& field, T value);
    void invalidate();
    void clearLayout();
    // The selected characters in UTF-16 code units; none when no range applies.
    std::optional<platform::text::TextRange> selectedRange(std::size_t length) const;
    // A range colour: `base`'s red, green and blue with the range's opacity.
    Color rangeColor(const Color& base) const;
    void layoutBox(const platform::text::Framesetter& framesetter);
    // Makes the frames of the last layout, if not made yet.
    void makeFrames();
    // Says, once per layout cache, that a layout was cut when `cut`.
    void sayIfCut(bool cut);

    std::optional<std::string> text_;
    std::optional<platform::text::Font> font_;
    platform::text::TextAlignment alignment_ = platform::text::TextAlignment::left;
    double lineHeight_ = 0;
    double tracking_ = 0;
    std::optional<Color> fillColor_;
    std::optional<Color> strokeColor_;
    double strokeWidth_ = 0;
    bool strokeOnTop_ = false;
    std::optional<platform::graphics::Size> preferredSize_;
    std::optional<std::int64_t> start_;
    std::optional<std::int64_t> end_;
    std::optional<TextRangeUnit> textRangeUnit_;
    std::optional<double> selectedRangeOpacity_;
    std::optional<Color> selectedRangeFillColor_;
    std::optional<Color> selectedRangeStrokeColor_;

    platform::graphics::Rect drawingRect_;
    platform::graphics::Point drawingAnchor_;
    std::optional<platform::text::Framesetter> fillFramesetter_;
    std::optional<platform::text::AttributedString> attributedString_;
    std::optional<platform::text::Framesetter> strokeFramesetter_;
    // The frames drawn, made on the first draw after a layout.
    std::optional<platform::text::Frame> fillFrame_;
    std::optional<platform::text::Frame> strokeFrame_;
    std::shared_ptr<platform::text::TextLayoutCache> layoutCache_;
    bool needsContentUpdate_ = false;
};

}  // namespace lottie
