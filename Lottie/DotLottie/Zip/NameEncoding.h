#pragma once
// The text encodings an entry name can be read with: UTF-8 (flag bit 11 set) or
// code page 437 (the MS-DOS default), and the decoder that turns name bytes into
// UTF-8 text. Bytes that are not valid in the encoding give the empty text.

#include <cstdint>
#include <span>
#include <string>

namespace lottie {

enum class NameEncoding { utf8, codePage437 };

class NameDecoder {
public:
    static std::string decode(std::span<const std::uint8_t> bytes, NameEncoding encoding);

    // True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates,
    // nothing above U+10FFFF).
    static bool isValidUTF8(std::span<const std::uint8_t> bytes);
};

}  // namespace lottie
