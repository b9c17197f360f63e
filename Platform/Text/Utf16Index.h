#pragma once
// Converts between positions in a UTF-8 text counted in bytes and in UTF-16 code
// units, the unit attribute ranges are given in. Built once per attributed text,
// which owns it; the text must be valid UTF-8 (the constructor checks it).
//
// A UTF-16 position between the two halves of a surrogate pair belongs to no
// character boundary; it moves to the end of that character, so a range covers
// exactly the characters whose first code unit lies inside it.

#include <cstddef>
#include <string_view>
#include <vector>

namespace platform::text {

class Utf16Index {
public:
    Utf16Index() = default;
    // Throws std::invalid_argument when the text is not valid UTF-8.
    explicit Utf16Index(std::string_view utf8);

    std::size_t utf16Length() const { return byteOffsets_.size() - 1; }
    // The byte offset of a UTF-16 position; positions past the end are the caller's error.
    std::size_t byteOffset(std::size_t utf16Offset) const { return byteOffsets_[utf16Offset]; }
    // The byte offset where the character holding a code unit starts (for the
    // second half of a pair, where the pair starts). The offset must be in the text.
    std::size_t characterByteOffset(std::size_t utf16Offset) const;
    // The UTF-16 position of a byte offset on a character boundary (or the first
    // position at or after it when it falls inside a character).
    std::size_t utf16Offset(std::size_t byteOffset) const;

private:
    // One entry per UTF-16 position, and one for the end of the text.
    std::vector<std::size_t> byteOffsets_{0};
};

}  // namespace platform::text
