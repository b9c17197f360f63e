#pragma once
// The paragraph settings of an attributed text: alignment, line breaking and the
// vertical spacing of lines. Stands in for the platform's paragraph style. A plain
// value; a paragraph takes the style of its first character.
//
// Vertical spacing of the lines of a frame, in points:
//   natural height = ascent + descent + leading of the line's fonts
//   line height    = natural height x lineHeightMultiple (a multiple of 0 counts as 1),
//                    then raised to minimumLineHeight and, when maximumLineHeight is
//                    above 0, lowered to it
//   the next line starts lineSpacing below the end of this one (spacing may be
//   negative; none is added after the last line of the frame).
// Space a line gains or loses against its natural height goes above its text: the
// baseline stays descent + leading above the bottom of the line.

#include "Platform/Text/LineBreakMode.h"
#include "Platform/Text/TextAlignment.h"

namespace platform::text {

struct ParagraphStyle {
    TextAlignment alignment = TextAlignment::natural;
    LineBreakMode lineBreakMode = LineBreakMode::wordWrapping;
    double lineSpacing = 0;
    double lineHeightMultiple = 0;
    double minimumLineHeight = 0;
    double maximumLineHeight = 0;

    bool operator==(const ParagraphStyle&) const = default;
};

}  // namespace platform::text
