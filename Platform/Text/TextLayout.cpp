#include "Platform/Text/TextLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
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

// Characters that show nothing, such as a zero-width space, a word joiner, a
// direction mark or a soft hyphen. They cost as marks do: the shaper looks
// back past them for the character a mark sits on (each mark looking over
// every mark since), and where a line cannot hold what comes before them,
// Pango shapes the line again for each of them in turn, as each is a place
// where a line could end that makes the line no wider.
bool showsNothing(gunichar c) { return g_unichar_iszerowidth(c) || c == 0x00ad; }

// Replaces, in place and byte for byte, the tabs and marks past the bounds:
// tabs by spaces; marks, and characters that show nothing, past the first
// maximumClusterMarks since the last character that shows, by a combining
// grapheme joiner (two bytes) or a variation selector (three), which join the
// cluster before them and show nothing. Whether any was replaced.
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
        marks = extendsCluster(c) || showsNothing(c) ? marks + 1 : 0;
        if (marks > TextLayout::maximumClusterMarks && length >= 2) {
            static constexpr char graphemeJoiner[] = "\xcd\x8f";     // U+034F
            static constexpr char variationSelector[] = "\xef\xb8\x80";  // U+FE00
            for (std::size_t filled = 0; filled < length;) {
                const bool three = length - filled == 3;
                paragraph.replace(at + filled, three ? 3 : 2, three ? variationSelector : graphemeJoiner);
                filled += three ? 3 : 2;
            }
            replaced = true;
        }
        at += length;
    }
    return replaced;
}

thread_local std::size_t layoutsMade = 0;

// The width Pango wraps `text` at, in its units: -1 when no paragraph style of
// the text wraps, or the width is not one to wrap at.
int pangoWidthFor(const AttributedString& text, double width) {
    if (!TextLayout::wrapsAt(width)) return -1;
    const bool wraps = std::any_of(text.runs().begin(), text.runs().end(), [](const AttributeRun& run) {
        return run.attributes.paragraphStyle.value_or(ParagraphStyle{}).lineBreakMode != LineBreakMode::clipping;
    });
    return wraps ? static_cast<int>(std::ceil(std::max(0.0, width) * PANGO_SCALE)) : -1;
}

// Whether two runs cover the same characters with the same fonts, tracking,
// ligatures and paragraph style: all a layout takes from them.
bool laysOutAlike(const AttributeRun& one, const AttributeRun& other) {
    const TextAttributes& a = one.attributes;
    const TextAttributes& b = other.attributes;
    return one.byteStart == other.byteStart && one.byteEnd == other.byteEnd && a.font == b.font &&
           a.kerning == b.kerning && a.ligatures == b.ligatures && a.paragraphStyle == b.paragraphStyle;
}

}  // namespace

std::size_t TextLayout::madeOnThisThread() { return layoutsMade; }

TextLayout::TextLayout(std::shared_ptr<const AttributedString> text, PangoContext* context, double width,
                       std::shared_ptr<TextLayoutAllowance> allowance)
    : text_(std::move(text)), allowance_(std::move(allowance)) {
    ++layoutsMade;
    const std::string& bytes = text_->text();
    if (bytes.size() > static_cast<std::size_t>(INT_MAX / 2)) {
        throw std::length_error("a text of " + std::to_string(bytes.size()) + " bytes is too long to lay out");
    }
    pangoWidth_ = pangoWidthFor(*text_, width);
    std::size_t position = 0;
    while (position < bytes.size()) {
        gint delimiter = 0;
        gint next = 0;
        pango_find_paragraph_boundary(bytes.data() + position, static_cast<gint>(bytes.size() - position),
                                      &delimiter, &next);
        if (next <= 0) {
            next = static_cast<gint>(bytes.size() - position);
        }
        if (!layOutParagraph(context, position, position + static_cast<std::size_t>(delimiter),
                             position + static_cast<std::size_t>(next))) {
            // The paragraphs after one the bounds left out are left out too.
            cut_ = true;
            break;
        }
        position += static_cast<std::size_t>(next);
    }
}

TextLayout::TextLayout(std::shared_ptr<const AttributedString> text, double width, PastDeadline)
    : text_(std::move(text)), pangoWidth_(pangoWidthFor(*text_, width)), pastDeadline_(true) {}

TextLayout::~TextLayout() {
    if (allowance_) allowance_->giveBack(made_);
}

bool TextLayout::wrapsAt(double width) { return std::isfinite(width) && width * PANGO_SCALE < INT_MAX / 2; }

bool TextLayout::laysOut(const AttributedString& text, double width) const {
    if (pangoWidthFor(text, width) != pangoWidth_) return false;
    if (&text == text_.get()) return true;
    // Pango places the glyphs of neighbouring runs that lay out alike as it
    // does those of one run only mostly (tracking differs where they meet), so
    // the runs must be the same too.
    const std::vector<AttributeRun>& runs = text.runs();
    return text.text() == text_->text() &&
           std::equal(runs.begin(), runs.end(), text_->runs().begin(), text_->runs().end(), laysOutAlike);
}

std::size_t TextLayout::hash(const AttributedString& text, double width) {
    return std::hash<std::string>{}(text.text()) ^ (std::hash<int>{}(pangoWidthFor(text, width)) * 31);
}

std::size_t TextLayout::takeLines(std::size_t characters, bool wraps) {
    // A paragraph makes a line for each of its characters at most, and one more
    // after a break that ends it.
    std::size_t lines = std::min(maximumLines - made_.lines, characters + 1);
    std::size_t charactersPerLine = 0;
    if (wraps) {
        // Each wrapped line costs the rest of the paragraph again.
        charactersPerLine = std::max<std::size_t>(characters, 1);
        lines = std::min({lines, std::max<std::size_t>(1, maximumWrappedCharacters / charactersPerLine),
                          (maximumLayoutWrappedCharacters - made_.wrappedCharacters) / charactersPerLine});
    }
    const TextLayoutAllowance::Amount taken =
        allowance_ ? allowance_->take(lines, charactersPerLine)
                   : TextLayoutAllowance::Amount{lines, lines * charactersPerLine};
    made_ += taken;
    return taken.lines;
}

bool TextLayout::boundRuns(PangoContext* context, std::string& paragraph, PangoAttrList* attributes) {
    std::size_t left = std::min(maximumParagraphRuns, maximumLayoutRuns - made_.runs);
    if (allowance_) left = std::min(left, allowance_->runsLeft());
    if (paragraph.empty()) return true;
    // With no run left to take the paragraph keeps none of its text: it is not
    // itemised only to be left out.
    if (left == 0) {
        cut_ = true;
        paragraph.clear();
        return false;
    }
    // Runs split where the script, the font or the embedding level changes;
    // the paragraph's own direction moves the levels, not where they change.
    GList* items =
        pango_itemize(context, paragraph.data(), 0, static_cast<int>(paragraph.size()), attributes, nullptr);
    const std::size_t runs = g_list_length(items);
    std::size_t kept = std::min(runs, left);
    if (allowance_) kept = allowance_->takeRuns(kept);
    made_.runs += kept;
    if (kept < runs) {
        cut_ = true;
        paragraph.resize(static_cast<std::size_t>(static_cast<PangoItem*>(g_list_nth_data(items, kept))->offset));
    }
    g_list_free_full(items, reinterpret_cast<GDestroyNotify>(pango_item_free));
    return kept > 0 || runs == 0;
}

bool TextLayout::layOutParagraph(PangoContext* context, std::size_t start, std::size_t end, std::size_t next) {
    const AttributedString& text = *text_;
    // Pango stops at a NUL byte; a space keeps every byte offset where it was.
    std::string paragraph = text.text().substr(start, end - start);
    std::replace(paragraph.begin(), paragraph.end(), '\0', ' ');
    if (boundShapingCost(paragraph)) cut_ = true;

    const TextAttributes& first = text.runAtByte(start).attributes;
    const Font paragraphFont = first.font.value_or(Font::defaultFont());
    const ParagraphStyle style = sanitized(first.paragraphStyle.value_or(ParagraphStyle{}));
    const bool wraps = style.lineBreakMode != LineBreakMode::clipping && pangoWidth_ >= 0;

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
    if (!boundRuns(context, paragraph, attributes)) {
        pango_attr_list_unref(attributes);
        return false;
    }
    const auto characters =
        static_cast<std::size_t>(g_utf8_strlen(paragraph.data(), static_cast<gssize>(paragraph.size())));
    const std::size_t maximumParagraphLines = takeLines(characters, wraps);
    if (maximumParagraphLines == 0) {
        pango_attr_list_unref(attributes);
        return false;
    }

    GObjectPointer<PangoLayout> layout(pango_layout_new(context));
    pango_layout_set_font_description(layout.get(), paragraphFont.pangoDescription());
    pango_layout_set_attributes(layout.get(), attributes);
    pango_attr_list_unref(attributes);
    pango_layout_set_text(layout.get(), paragraph.data(), static_cast<int>(paragraph.size()));
    if (wraps) {
        pango_layout_set_width(layout.get(), pangoWidth_);
        pango_layout_set_wrap(layout.get(), style.lineBreakMode == LineBreakMode::charWrapping
                                                ? PANGO_WRAP_CHAR
                                                : PANGO_WRAP_WORD_CHAR);
        pango_layout_set_justify(layout.get(), style.alignment == TextAlignment::justified);
        if (maximumParagraphLines < characters) {
            pango_layout_set_ellipsize(layout.get(), PANGO_ELLIPSIZE_END);
            pango_layout_set_height(layout.get(), -static_cast<int>(maximumParagraphLines));
        }
    }

    if (pango_layout_is_ellipsized(layout.get())) cut_ = true;
    const Utf16Index& index = text.utf16Index();
    std::size_t made = 0;
    for (GSList* item = pango_layout_get_lines_readonly(layout.get()); item != nullptr; item = item->next, ++made) {
        if (made == maximumParagraphLines) {
            // Lines a paragraph breaks by itself, not by wrapping, are only
            // known once made: those past its lines are not kept.
            cut_ = true;
            break;
        }
        auto* pangoLine = static_cast<PangoLayoutLine*>(item->data);
        PangoRectangle logical{};
        pango_layout_line_get_extents(pangoLine, nullptr, &logical);

        LaidOutLine laidOut;
        laidOut.pangoLine = pangoLine;
        laidOut.paragraphByteStart = start;
        laidOut.style = style;
        laidOut.rightToLeft = pangoLine->resolved_dir == PANGO_DIRECTION_RTL;
        const std::size_t lineStart = start + static_cast<std::size_t>(pangoLine->start_index);
        // The last line takes the paragraph's separator in, unless the
        // paragraph was cut short.
        const bool last = item->next == nullptr && paragraph.size() == end - start;
        const std::size_t lineEnd = last ? next : lineStart + static_cast<std::size_t>(pangoLine->length);
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
    const std::size_t unused = maximumParagraphLines - made;
    const TextLayoutAllowance::Amount left{unused, wraps ? unused * std::max<std::size_t>(characters, 1) : 0};
    made_.lines -= left.lines;
    made_.wrappedCharacters -= left.wrappedCharacters;
    if (allowance_) allowance_->giveBack(left);
    return true;
}

std::vector<double> TextLayout::stack(double height) const {
    std::vector<double> tops;
    if (std::isnan(height) || height < 0) {
        return tops;
    }
    const bool bounded = std::isfinite(height) && height < std::numeric_limits<double>::max();
    // Sizes suggested for a text are rounded up before a frame is made of them;
    // this keeps a line that fits exactly from being lost to rounding.
    constexpr double tolerance = 1e-6;
    double top = 0;
    for (const LaidOutLine& line : lines_) {
        if (bounded && top + line.height > height + tolerance) {
            break;
        }
        tops.push_back(top);
        top += line.height + line.style.lineSpacing;
    }
    return tops;
}

double TextLayout::usedHeight(const std::vector<double>& tops) const {
    double bottom = 0;
    for (std::size_t index = 0; index < tops.size() && index < lines_.size(); ++index) {
        bottom = std::max(bottom, tops[index] + lines_[index].height);
    }
    return bottom;
}

double TextLayout::widestLine(std::size_t count) const {
    double widest = 0;
    for (std::size_t index = 0; index < count && index < lines_.size(); ++index) {
        widest = std::max(widest, lines_[index].line.width);
    }
    return widest;
}

}  // namespace platform::text
