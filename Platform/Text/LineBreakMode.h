#pragma once
// Where a paragraph may break into lines when it is wider than its frame.
// `wordWrapping` breaks between words and, for a word longer than the whole
// width, between its characters; `charWrapping` breaks between any characters;
// `clipping` never breaks (lines run past the frame's edge).

namespace platform::text {

enum class LineBreakMode {
    wordWrapping = 0,
    charWrapping = 1,
    clipping = 2,
};

}  // namespace platform::text
