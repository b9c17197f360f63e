#include "Platform/Text/TextLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

namespace platform::text {

namespace {

double finiteOrZero(double value) { return std::isfinite(value) ? value : 0; }

// Settings no layout can honour (not a number, infinite, negative limits) count as unset.
ParagraphStyle sanitized(ParagraphStyle style) {
    style.lineSpacing = finiteOrZero(style.lineSpacing);
    style.lineHeightMultiple = std::max(0.0, finiteOrZero(style.lineHeightMultiple));
    style.minimumLineHeight = std::max(0.0, finiteOrZero(style.minimumLineHeight));
    style.maximumLineHeight = std::max(0.0, finiteOrZero(style.maximumLineHeight));
    return style;
}

void insert(PangoAttrList* list, PangoAttribute* attribute, std::size_t start, std::size_t end) {
    attribute->start_index = static_cast<guint>(start);
    attribute->end_index = static_cast<guint>(end);
    pango_attr_list_insert(list, attribute);
}

// The sum of the line's advances, in doubles: Pango's own extents are integers
// of 1/1024 point and wrap on a line about two million points long.
double advanceOf(PangoLayoutLine* line) {
    double advance = 0;
    for (GSList* item = line->runs; item != nullptr; item = item->next) {
        const PangoGlyphString* glyphs = static_cast<PangoGlyphItem*>(item->data)->glyphs;
        for (int index = 0; index < glyphs->num_glyphs; ++index) {
            advance += static_cast<double>(glyphs->glyphs[index].geometry.width) / PANGO_SCALE;
        }
    }
    return advance;
}

// Tracking far beyond any page would overflow Pango's integer units.
constexpr double maximumKerning = 100000;

// Characters that join the cluster of the character before them.
bool extendsCluster(gunichar c) {
    return g_unichar_ismark(c) || c == 0x200c || c == 0x200d || (c >= 0x1f3fb && c <= 0x1f3ff) ||
           (c >= 0xe0020 && c <= 0xe007f);
}

// Replaces, in place and byte for byte, the tabs and marks past the bounds:
// tabs by spaces, marks by soft hyphens (two bytes) or a zero-width space
// (three), which break the cluster and show nothing. Whether any was replaced.
bool boundShapingCost(std::string& paragraph) {
    bool replaced = false;
    std::size_t tabs = 0;
    std::size_t marks = 0;
    for (std::size_t at = 0; at < paragraph.size();) {
        const char* character = paragraph.data() + at;
        const std::size_t length = static_cast<std::size_t>(g_utf8_next_char(character) - character);
        const gunichar c = g_utf8_get_char(character);
        if (c == '\t' && ++tabs > TextLayout::maximumTabs) {
            paragraph[at] = ' ';
            replaced = true;
        }
        marks = extendsCluster(c) ? marks + 1 : 0;
        if (marks > TextLayout::maximumClusterMarks && length >= 2) {
            static constexpr char softHyphen[] = "\xc2\xad";
            static constexpr char zeroWidthSpace[] = "\xe2\x80\x8b";
            for (std::size_t filled = 0; filled < length;) {
                const bool three = length - filled == 3;
                paragraph.replace(at + filled, three ? 3 : 2, three ? zeroWidthSpace : softHyphen);
                filled += three ? 3 : 2;
            }
            replaced = true;
        }
        at += length;
    }
    return replaced;
}

thread_local std::size_t layoutsMade = 0;

}  // namespace

std::size_t TextLayout::madeOnThisThread() { return layoutsMade; }

TextLayout::TextLayout(std::shared_ptr<const AttributedString> text, PangoContext* context, double width)
    : text_(std::move(text)) {
    ++layoutsMade;
    const std::string& bytes = text_->text();
    if (bytes.size() > static_cast<std::size_t>(INT_MAX / 2)) {
        throw std::length_error("a text of " + std::to_string(bytes.size()) + " bytes is too long to lay out");
    }
    int pangoWidth = -1;
    if (wrapsAt(width)) {
        pangoWidth = static_cast<int>(std::ceil(std::max(0.0, width) * PANGO_SCALE));
    }
    std::size_t position = 0;
    while (position < bytes.size()) {
        gint delimiter = 0;
        gint next = 0;
        pango_find_paragraph_boundary(bytes.data() + position, static_cast<gint>(bytes.size() - position),
                                      &delimiter, &next);
        if (next <= 0) {
            next = static_cast<gint>(bytes.size() - position);
        }
        layOutParagraph(context, position, position + static_cast<std::size_t>(delimiter),
                        position + static_cast<std::size_t>(next), pangoWidth);
        position += static_cast<std::size_t>(next);
    }
}

bool TextLayout::wrapsAt(double width) { return std::isfinite(width) && width * PANGO_SCALE < INT_MAX / 2; }

void TextLayout::layOutParagraph(PangoContext* context, std::size_t start, std::size_t end, std::size_t next,
                                 int pangoWidth) {
    const AttributedString& text = *text_;
    // Pango stops at a NUL byte; a space keeps every byte offset where it was.
    std::string paragraph = text.text().substr(start, end - start);
    std::replace(paragraph.begin(), paragraph.end(), '\0', ' ');
    if (boundShapingCost(paragraph)) cut_ = true;

    GObjectPointer<PangoLayout> layout(pango_layout_new(context));
    const TextAttributes& first = text.runAtByte(start).attributes;
    const Font paragraphFont = first.font.value_or(Font::defaultFont());
    const ParagraphStyle style = sanitized(first.paragraphStyle.value_or(ParagraphStyle{}));
    pango_layout_set_font_description(layout.get(), paragraphFont.pangoDescription());

    PangoAttrList* attributes = pango_attr_list_new();
    for (const AttributeRun& run : text.runs()) {
        const std::size_t runStart = std::max(run.byteStart, start);
        const std::size_t runEnd = std::min(run.byteEnd, end);
        if (runStart >= runEnd) {
            continue;
        }
        const Font font = run.attributes.font.value_or(Font::defaultFont());
        insert(attributes, pango_attr_font_desc_new(font.pangoDescription()), runStart - start, runEnd - start);
        const double kerning = std::clamp(finiteOrZero(run.attributes.kerning), -maximumKerning, maximumKerning);
        if (kerning != 0) {
            insert(attributes, pango_attr_letter_spacing_new(static_cast<int>(std::lround(kerning * PANGO_SCALE))),
                   runStart - start, runEnd - start);
        }
        if (!run.attributes.ligatures) {
            insert(attributes, pango_attr_font_features_new("liga 0, clig 0"), runStart - start, runEnd - start);
        }
    }
    pango_layout_set_attributes(layout.get(), attributes);
    pango_attr_list_unref(attributes);
    pango_layout_set_text(layout.get(), paragraph.data(), static_cast<int>(paragraph.size()));
    if (style.lineBreakMode != LineBreakMode::clipping && pangoWidth >= 0) {
        pango_layout_set_width(layout.get(), pangoWidth);
        pango_layout_set_wrap(layout.get(), style.lineBreakMode == LineBreakMode::charWrapping
                                                ? PANGO_WRAP_CHAR
                                                : PANGO_WRAP_WORD_CHAR);
        pango_layout_set_justify(layout.get(), style.alignment == TextAlignment::justified);
        // Each wrapped line costs the rest of the paragraph again.
        const auto characters =
            static_cast<std::size_t>(g_utf8_strlen(paragraph.data(), static_cast<gssize>(paragraph.size())));
        const std::size_t maximumLines =
            std::max<std::size_t>(1, maximumWrappedCharacters / std::max<std::size_t>(characters, 1));
        if (maximumLines < characters) {
            pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
            pango_layout_set_height(layout.get(), -static_cast<int>(maximumLines));
        }
    }

    if (pango_layout_is_ellipsized(layout.get())) cut_ = true;
    const Utf16Index& index = text.utf16Index();
    for (GSList* item = pango_layout_get_lines_readonly(layout.get()); item != nullptr; item = item->next) {
        auto* pangoLine = static_cast<PangoLayoutLine*>(item->data);
        PangoRectangle logical{};
        pango_layout_line_get_extents(pangoLine, nullptr, &logical);

        LaidOutLine laidOut;
        laidOut.pangoLine = pangoLine;
        laidOut.paragraphByteStart = start;
        laidOut.style = style;
        laidOut.rightToLeft = pangoLine->resolved_dir == PANGO_DIRECTION_RTL;
        const std::size_t lineStart = start + static_cast<std::size_t>(pangoLine->start_index);
        const std::size_t lineEnd = item->next == nullptr ? next : lineStart + static_cast<std::size_t>(pangoLine->length);
        const std::size_t utf16Start = index.utf16Offset(lineStart);
        laidOut.line.stringRange = {utf16Start, index.utf16Offset(lineEnd) - utf16Start};
        laidOut.line.ascent = std::max(0.0, -static_cast<double>(logical.y) / PANGO_SCALE);
        laidOut.line.descent = std::max(0.0, static_cast<double>(logical.y + logical.height) / PANGO_SCALE);
        laidOut.line.width = advanceOf(pangoLine);
        double leading = 0;
        for (const AttributeRun& run : text.runs()) {
            if (run.byteStart < lineEnd && run.byteEnd > lineStart) {
                leading = std::max(leading, run.attributes.font.value_or(paragraphFont).leading());
            }
        }
        laidOut.line.leading = leading;

        const double natural = laidOut.line.ascent + laidOut.line.descent + leading;
        double height = natural * (style.lineHeightMultiple > 0 ? style.lineHeightMultiple : 1);
        height = std::max(height, style.minimumLineHeight);
        if (style.maximumLineHeight > 0) {
            height = std::min(height, style.maximumLineHeight);
        }
        laidOut.height = height;
        laidOut.baselineOffset = height - laidOut.line.descent - leading;
        lines_.push_back(laidOut);
    }
    paragraphs_.push_back(std::move(layout));
}

void TextLayout::stack(double height) {
    if (std::isnan(height) || height < 0) {
        lines_.clear();
        return;
    }
    const bool bounded = std::isfinite(height) && height < std::numeric_limits<double>::max();
    // Sizes suggested for a text are rounded up before a frame is made of them;
    // this keeps a line that fits exactly from being lost to rounding.
    constexpr double tolerance = 1e-6;
    double top = 0;
    std::size_t fitted = 0;
    for (LaidOutLine& line : lines_) {
        if (bounded && top + line.height > height + tolerance) {
            break;
        }
        line.top = top;
        top += line.height + line.style.lineSpacing;
        ++fitted;
    }
    lines_.resize(fitted);
}

double TextLayout::usedHeight() const {
    double bottom = 0;
    for (const LaidOutLine& line : lines_) {
        bottom = std::max(bottom, line.top + line.height);
    }
    return bottom;
}

double TextLayout::widestLine() const {
    double widest = 0;
    for (const LaidOutLine& line : lines_) {
        widest = std::max(widest, line.line.width);
    }
    return widest;
}

}  // namespace platform::text
