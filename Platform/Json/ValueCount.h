#pragma once
// Counts the values of a JSON text without building anything, so that a text
// of more values than the parser accepts is refused before its buffers (some
// fifteen bytes per byte of text) are made. Used by JsonParser on long texts.

#include <cstddef>
#include <string_view>

namespace platform::json {

// Whether the text holds more than `limit` values: every array, object,
// string, number and literal counts one; object keys do not. The count stops
// as soon as it passes the limit. For a text that is not JSON the answer only
// says how many values its tokens would start.
bool holdsMoreValuesThan(std::string_view text, std::size_t limit);

}  // namespace platform::json
