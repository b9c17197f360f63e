#pragma once
// The JSON object parser: bytes in, one untyped Value tree out. Built on
// simdjson for speed; when simdjson refuses a document, a small exact parser
// of our own reads it again to say where the text goes wrong (and to accept
// integers too large for 64 bits, which the platform reads as doubles).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "Platform/Json/JsonValue.h"
#include "Platform/Json/ParseError.h"

namespace platform::json {

// Nesting deeper than this is refused rather than risking the stack.
inline constexpr std::size_t maximumNestingDepth = 1024;
// A document of more values than this is refused as it is read: each value
// takes some 40 bytes here and as much again in what is decoded from it, and
// some hundreds of nanoseconds to make and free, so a few megabytes of short
// numbers would otherwise decode into gigabytes (a package of 100 KB holds
// 20 MB of such text), and 4 million of them took seconds. The largest real
// documents hold some 200,000.
inline constexpr std::size_t maximumValueCount = 2'000'000;
// The reason given for a document of more values.
std::string tooManyValuesReason();
// A document is refused, too, when parsing it and decoding what it holds
// would take more processor time or memory than this, by an estimate from
// its values, its strings' bytes, its numbers' characters (the digits of
// long ones again), its escapes and the tokens the parser indexes, counted
// in one pass over a text longer than `countedFromBytes` before it
// is parsed (no shorter text comes near either bound). The largest real
// documents take some 50 ms and 15 MB.
inline constexpr double maximumDecodingSeconds = 1.0;
inline constexpr std::uint64_t maximumDecodingBytes = std::uint64_t{512} << 20;
inline constexpr std::size_t countedFromBytes = std::size_t{1} << 20;

// Bytes the parser may read past the end of a text it reads where it lies.
// A text followed by this many readable bytes (of any value) is not copied
// before it is parsed.
inline constexpr std::size_t parserPadding = 64;

// Each thread keeps one parser whose buffers (about fifteen bytes per byte of
// text) are reused by the documents that fit this many bytes of text, so that
// the many small documents an application decodes allocate nothing for the
// parse itself. A larger document is read by a parser of its own whose
// buffers are freed before parse returns: one big export would otherwise pin
// some fifteen times its size for the life of the thread.
inline constexpr std::size_t keptParserCapacity = 128 * 1024;

// Parses a whole JSON text (a leading UTF-8 byte-order mark is skipped),
// followed in memory by `readableAfter` bytes that may be read. Throws
// ParseError; a text refused by the exact parser (see ExactParser) is read by
// it once.
Value parse(std::string_view text, std::size_t readableAfter = 0);

// The number of bytes of text the calling thread's kept parser has room for
// now; never more than keptParserCapacity.
std::size_t keptParserRoom();

}  // namespace platform::json
