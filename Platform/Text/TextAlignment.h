#pragma once
// How the lines of a paragraph sit between the edges of their frame. `natural`
// follows the paragraph's writing direction: left for left-to-right text, right
// for right-to-left text. Justified paragraphs stretch every line but the last,
// which keeps the natural alignment.

namespace platform::text {

enum class TextAlignment {
    left = 0,
    right = 1,
    center = 2,
    justified = 3,
    natural = 4,
};

}  // namespace platform::text
