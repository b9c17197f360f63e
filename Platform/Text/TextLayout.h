#pragma once
// Breaks an attributed text into lines at a given width and stacks them, shared by
// the framesetter (for sizes) and frames (for drawing). One Pango layout per
// paragraph, since each paragraph has a style of its own. Owned by the frame or
// the size query that made it; used on the thread that made it.
//
// What laying out costs is bounded, as a text of a few kilobytes could ask for
// seconds of it. Pango shapes the rest of a paragraph again for every line it
// wraps, so a paragraph makes at most maximumWrappedCharacters over its length
// lines (at least one): the last one allowed ends with an ellipsis. Tabs past
// the first maximumTabs of a paragraph lay out as spaces, and a character
// followed by more than maximumClusterMarks marks (each mark making its cluster
// dearer to shape) keeps that many, the rest laid out as invisible breaks.
// Either way byte offsets stay where they were; cut() says one of them applied.

#include <pango/pango.h>

#include <memory>
#include <optional>
#include <vector>

#include "Platform/Text/AttributedString.h"
#include "Platform/Text/PangoObject.h"
#include "Platform/Text/ParagraphStyle.h"
#include "Platform/Text/TextLine.h"

namespace platform::text {

struct LaidOutLine {
    TextLine line;
    PangoLayoutLine* pangoLine = nullptr;  // owned by its paragraph's layout
    std::size_t paragraphByteStart = 0;
    ParagraphStyle style;
    bool rightToLeft = false;
    double height = 0;          // after the paragraph style's limits
    double baselineOffset = 0;  // from the top of the line
    double top = 0;             // set by stack()
};

class TextLayout {
public:
    // A width that is not finite, or too large for Pango's units, lays out
    // without wrapping.
    TextLayout(std::shared_ptr<const AttributedString> text, PangoContext* context, double width);

    static constexpr std::size_t maximumWrappedCharacters = 250'000;
    static constexpr std::size_t maximumTabs = 64;
    static constexpr std::size_t maximumClusterMarks = 32;

    // Whether a width is real enough to wrap lines at (finite, and within Pango's units).
    static bool wrapsAt(double width);
    // Whether a bound above left out or replaced some of the text.
    bool cut() const { return cut_; }
    // How many layouts this thread has made, for callers that check they lay
    // a text out only when it changes.
    static std::size_t madeOnThisThread();

    // Places the lines from the top down and keeps those whose bottom lies within
    // `height` (all of them for an unbounded height), stopping at the first that
    // does not fit.
    void stack(double height);

    const std::vector<LaidOutLine>& lines() const { return lines_; }
    const AttributedString& text() const { return *text_; }
    // The height from the top of the first line to the lowest bottom of a line.
    double usedHeight() const;
    double widestLine() const;

private:
    void layOutParagraph(PangoContext* context, std::size_t start, std::size_t end, std::size_t next,
                         int pangoWidth);

    std::shared_ptr<const AttributedString> text_;
    std::vector<GObjectPointer<PangoLayout>> paragraphs_;
    std::vector<LaidOutLine> lines_;
    bool cut_ = false;
};

}  // namespace platform::text
