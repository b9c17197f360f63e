#pragma once
// The JSON object parser: bytes in, one untyped Value tree out. Built on
// simdjson for speed; when simdjson refuses a document, a small exact parser
// of our own reads it again to say where the text goes wrong (and to accept
// integers too large for 64 bits, which the platform reads as doubles).

#include <string_view>

#include "Platform/Json/JsonValue.h"
#include "Platform/Json/ParseError.h"

namespace platform::json {

// Nesting deeper than this is refused rather than risking the stack.
inline constexpr std::size_t maximumNestingDepth = 1024;

// Parses a whole JSON text (a leading UTF-8 byte-order mark is skipped).
// Throws ParseError.
Value parse(std::string_view text);

}  // namespace platform::json
