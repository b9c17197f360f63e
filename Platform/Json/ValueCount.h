#pragma once
// What decoding a JSON text costs, counted in one pass over the text without
// building anything, so that a text that would cost more than the parser
// accepts is refused before its buffers (some fifteen bytes per byte of
// text) are made: its values, and what they hold (the characters of its
// numbers, its escapes, the bytes of its strings). Used by JsonParser on long
// texts; a value.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace platform::json {

struct TextCost {
    // Every array, object, string, number and literal counts one; object keys
    // do not. The count stops as soon as it passes the limit it was given.
    std::size_t values = 0;
    // Characters of numbers and literals, escapes, and bytes inside strings
    // (keys too).
    std::size_t numberBytes = 0;
    std::size_t escapes = 0;
    std::size_t stringBytes = 0;
    // Whether a number may be one the fast parser cannot hold (an integer of
    // more than 19 digits, an exponent of three digits or more), which only
    // the exact parser reads.
    bool unusualNumbers = false;

    // For a text that is not JSON the counts only say what its tokens would start.
    static TextCost of(std::string_view text, std::size_t valueLimit);

    // What parsing `textBytes` of text of this cost and decoding it into a
    // document's model take at most: memory (its padded copy, the parser's
    // buffers, the values, their strings held by the parser, the values and
    // the model) and processor time, fresh memory counted as written.
    std::uint64_t memoryBytes(std::size_t textBytes) const;
    double seconds(std::size_t textBytes) const;
};

}  // namespace platform::json
