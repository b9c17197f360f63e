#pragma once
// Breaks an attributed text into lines at a given width, shared by the
// framesetter (for sizes) and frames (for drawing). One Pango layout per
// paragraph, since each paragraph has a style of its own. Immutable once made,
// so that the framesetters and frames of several layers showing the same text
// share one (see TextLayoutCache); used on the thread that made it.
//
// What laying out costs is bounded, as a text of a few kilobytes could ask for
// seconds of it. Pango shapes the rest of a paragraph again for every line it
// wraps, so a paragraph makes at most maximumWrappedCharacters over its length
// lines (at least one): the last one allowed ends with an ellipsis. A whole
// text makes at most maximumLines lines and wraps at most
// maximumLayoutWrappedCharacters characters (each wrapped line counting its
// paragraph's), and what it makes is taken from its allowance, when it has one,
// the animation's bound on all its texts together: a paragraph past either is
// cut short the same way, and the paragraphs after it are left out. Tabs past
// the first maximumTabs of a paragraph lay out as spaces, and a character
// followed by more than maximumClusterMarks marks (each mark making its cluster
// dearer to shape) or characters that show nothing (a zero-width space, a
// direction mark, which the shaper looks past for the character a mark sits
// on, and which Pango tries one by one where a line overflows) keeps that
// many, the rest laid out as nothing joined to its cluster.
// Either way byte offsets stay where they were. A paragraph is shaped run by
// run, a run being a stretch of one script, direction and font, and the runs
// of a line that mixes directions are put in order at a cost that grows with
// the square of their number: a paragraph keeps at most maximumParagraphRuns
// runs and a text maximumLayoutRuns (taken from the allowance too), the rest
// of the paragraph past them left out. cut() says one of the bounds applied.

#include <pango/pango.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Text/AttributedString.h"
#include "Platform/Text/PangoObject.h"
#include "Platform/Text/ParagraphStyle.h"
#include "Platform/Text/TextLayoutAllowance.h"
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
};

class TextLayout {
public:
    // A width that is not finite, or too large for Pango's units, lays out
    // without wrapping.
    TextLayout(std::shared_ptr<const AttributedString> text, PangoContext* context, double width,
               std::shared_ptr<TextLayoutAllowance> allowance = nullptr);
    // A layout of `text` at `width` without lines, for a text not laid out
    // because the work it was asked for passed its deadline.
    struct PastDeadline {};
    TextLayout(std::shared_ptr<const AttributedString> text, double width, PastDeadline);
    ~TextLayout();
    TextLayout(const TextLayout&) = delete;
    TextLayout& operator=(const TextLayout&) = delete;

    // Per paragraph, lines times characters.
    static constexpr std::size_t maximumWrappedCharacters = 250'000;
    // Per text: a quarter of what the texts of an animation may make together
    // (TextLayoutAllowance), a half of what they may wrap.
    static constexpr std::size_t maximumLines = 5'000;
    static constexpr std::size_t maximumLayoutWrappedCharacters = 1'000'000;
    static constexpr std::size_t maximumTabs = 64;
    static constexpr std::size_t maximumClusterMarks = 32;
    // Per paragraph and per text (a quarter of the allowance's), runs of one
    // script, direction and font.
    static constexpr std::size_t maximumParagraphRuns = 2'048;
    static constexpr std::size_t maximumLayoutRuns = 16'384;

    // Whether a width is real enough to wrap lines at (finite, and within Pango's units).
    static bool wrapsAt(double width);
    // Whether a bound above left out or replaced some of the text.
    bool cut() const { return cut_; }
    // Whether the text was not laid out, past a deadline.
    bool pastDeadline() const { return pastDeadline_; }
    // Whether this is the layout `text` would get at `width`: the same
    // characters in the same runs, with the same fonts, tracking, ligatures and
    // paragraph styles (their colours and strokes do not change a layout),
    // wrapped at the same width, if they wrap.
    bool laysOut(const AttributedString& text, double width) const;
    // What tells the layouts of different texts and widths apart, for filing them.
    static std::size_t hash(const AttributedString& text, double width);
    // How many layouts this thread has made, for callers that check they lay
    // a text out only when it changes.
    static std::size_t madeOnThisThread();

    // Places the lines from the top down, stopping at the first whose bottom
    // lies below `height` (none for an unbounded height): the top of each line
    // that fits, in order.
    std::vector<double> stack(double height) const;

    const std::vector<LaidOutLine>& lines() const { return lines_; }
    const AttributedString& text() const { return *text_; }
    // The height from the top of the first line to the lowest bottom of the
    // lines stacked at `tops`.
    double usedHeight(const std::vector<double>& tops) const;
    // The widest of the first `count` lines.
    double widestLine(std::size_t count) const;

private:
    // Lays out one paragraph; false when the bounds left none of it.
    bool layOutParagraph(PangoContext* context, std::size_t start, std::size_t end, std::size_t next);
    // How many lines a paragraph of `characters` may make (taken from the
    // allowance), each wrapping them again when `wraps`.
    std::size_t takeLines(std::size_t characters, bool wraps);
    // Cuts `paragraph` after the runs it may keep (taken from the allowance),
    // counted as Pango itemizes it under `attributes`; false when it needs
    // runs and may keep none.
    bool boundRuns(PangoContext* context, std::string& paragraph, PangoAttrList* attributes);

    std::shared_ptr<const AttributedString> text_;
    // Pango's width for wrapping, in its units; -1 when nothing wraps.
    int pangoWidth_ = -1;
    std::shared_ptr<TextLayoutAllowance> allowance_;
    // What the layout made, and took from its allowance.
    TextLayoutAllowance::Amount made_;
    std::vector<GObjectPointer<PangoLayout>> paragraphs_;
    std::vector<LaidOutLine> lines_;
    bool cut_ = false;
    bool pastDeadline_ = false;
};

}  // namespace platform::text
