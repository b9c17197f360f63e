#pragma once
// The attributes of a run of characters in an attributed text. Stands in for the
// platform's attribute dictionary, with only the keys callers use. A plain value.
//
// - font: absent means Font::defaultFont().
// - foregroundColor: the fill of the glyphs; absent means opaque black.
// - strokeColor: the outline colour; absent means the foreground colour.
// - strokeWidth: percent of the font size. 0 fills only; a positive width strokes
//   the outlines without filling them; a negative width fills, then strokes with
//   the absolute width. The outline is centred on the glyph's edge.
// - kerning: tracking in points, added between consecutive characters.
// - paragraphStyle: absent means the default ParagraphStyle.
// - ligatures: false turns off every optional ligature (standard and contextual).

#include <optional>

#include "Platform/Graphics/Color.h"
#include "Platform/Text/Font.h"
#include "Platform/Text/ParagraphStyle.h"

namespace platform::text {

struct TextAttributes {
    std::optional<Font> font;
    std::optional<graphics::Color> foregroundColor;
    std::optional<graphics::Color> strokeColor;
    double strokeWidth = 0;
    double kerning = 0;
    std::optional<ParagraphStyle> paragraphStyle;
    bool ligatures = true;

    // The width of the outline's pen, in points: 0 when the width is not finite.
    double strokeLineWidth() const;

    bool operator==(const TextAttributes&) const = default;
};

}  // namespace platform::text
