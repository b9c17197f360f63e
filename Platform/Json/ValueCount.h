#pragma once
// What decoding a JSON text costs, counted in one pass over the text without
// building anything, so that a text that would cost more than the parser
// accepts is refused before its buffers (some fifteen bytes per byte of
// text) are made: its values, and what they hold (the characters of its
// numbers, its escapes, the bytes of its strings), and the tokens the parser
// indexes before it reads any value (every bracket, brace, comma and colon,
// and every string, number or literal, whether or not it stands where a value
// may). Used by JsonParser on long texts; a value.

#include <cstddef>
#include <cstdint>
#include <limits>
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
    // The parser's index entries: every structural character and every
    // start of a string, number or literal, counted wherever they stand (a
    // run of commas is indexed whole before the parser refuses it).
    std::size_t tokens = 0;
    // Those past the four each value may bring in valid JSON (its key, colon
    // and comma, a container's closing bracket), whose cost the values'
    // already counts.
    std::size_t tokensBetweenValues() const { return tokens > 4 * values ? tokens - 4 * values : 0; }
    // Characters of numbers of more than 19 digits, which the parser reads on
    // its slow path at a cost per digit that grows with the number's
    // distance from 1 (up to some 50 ns a digit near the ends of the range of
    // doubles), counted up to `slowDigitsCounted` digits of each.
    std::size_t slowNumberDigits = 0;
    static constexpr std::size_t slowDigitsCounted = 800;
    // Whether a number may be one the fast parser cannot hold (an integer of
    // more than 19 digits, an exponent of three digits or more), which only
    // the exact parser reads.
    bool unusualNumbers = false;

    // The bytes of text counted: all of it, unless the count stopped early.
    std::size_t countedBytes = 0;

    // For a text that is not JSON the counts only say what its tokens would
    // start. The count stops, too, once what it has counted would already
    // take more than `secondsLimit` or `bytesLimit` (read every megabyte).
    static TextCost of(std::string_view text, std::size_t valueLimit,
                       double secondsLimit = std::numeric_limits<double>::infinity(),
                       std::uint64_t bytesLimit = std::numeric_limits<std::uint64_t>::max());

    // What parsing `textBytes` of text of this cost and decoding it into a
    // document's model take at most: memory (its padded copy, the parser's
    // buffers, the values, their strings held by the parser, the values and
    // the model) and processor time, fresh memory counted as written.
    std::uint64_t memoryBytes(std::size_t textBytes) const;
    double seconds(std::size_t textBytes) const;
};

}  // namespace platform::json
