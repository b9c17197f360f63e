#pragma once
// One laid-out line of a frame: the characters it holds and its typographic
// bounds. Stands in for the platform's line object; a plain value owned by the
// frame that made it. Its origin (on the baseline, at the left edge of its text)
// is kept by the frame.

#include "Platform/Text/TextRange.h"

namespace platform::text {

struct TextLine {
    // The characters of the line in UTF-16 code units, with the paragraph
    // separator that ends it, if any.
    TextRange stringRange;
    // Distances from the baseline, positive, in points: the largest of the
    // line's fonts (fonts chosen for missing glyphs included).
    double ascent = 0;
    double descent = 0;
    double leading = 0;
    // The advance of the whole line, without the space at which it wrapped.
    double width = 0;

    bool operator==(const TextLine&) const = default;
};

}  // namespace platform::text
