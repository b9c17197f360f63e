#include "Platform/Text/Utf16Index.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace platform::text {

namespace {

[[noreturn]] void invalid(std::size_t offset) {
    throw std::invalid_argument("text is not valid UTF-8 at byte " + std::to_string(offset));
}

}  // namespace

Utf16Index::Utf16Index(std::string_view utf8) {
    byteOffsets_.clear();
    byteOffsets_.reserve(utf8.size() + 1);
    const auto* bytes = reinterpret_cast<const unsigned char*>(utf8.data());
    std::size_t offset = 0;
    while (offset < utf8.size()) {
        const unsigned char lead = bytes[offset];
        std::size_t length = 0;
        char32_t codePoint = 0;
        if (lead < 0x80) {
            length = 1;
            codePoint = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            codePoint = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            codePoint = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            codePoint = lead & 0x07;
        } else {
            invalid(offset);
        }
        if (offset + length > utf8.size()) {
            invalid(offset);
        }
        for (std::size_t index = 1; index < length; ++index) {
            const unsigned char next = bytes[offset + index];
            if ((next & 0xC0) != 0x80) {
                invalid(offset);
            }
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        // Overlong forms, surrogates and values past the last code point are not UTF-8.
        const bool overlong = (length == 3 && codePoint < 0x800) || (length == 4 && codePoint < 0x10000);
        if (overlong || (codePoint >= 0xD800 && codePoint <= 0xDFFF) || codePoint > 0x10FFFF) {
            invalid(offset);
        }
        byteOffsets_.push_back(offset);
        if (codePoint >= 0x10000) {
            // The second half of a pair: see the header for why it maps past the character.
            byteOffsets_.push_back(offset + length);
        }
        offset += length;
    }
    byteOffsets_.push_back(utf8.size());
}

std::size_t Utf16Index::characterByteOffset(std::size_t utf16Offset) const {
    const bool secondHalf = utf16Offset > 0 && byteOffsets_[utf16Offset] == byteOffsets_[utf16Offset + 1];
    return byteOffsets_[secondHalf ? utf16Offset - 1 : utf16Offset];
}

std::size_t Utf16Index::utf16Offset(std::size_t byteOffset) const {
    // The second half of a pair shares its byte offset with the next character,
    // whose position is the later of the two.
    auto found = std::upper_bound(byteOffsets_.begin(), byteOffsets_.end(), byteOffset);
    if (found != byteOffsets_.begin() && *(found - 1) == byteOffset) {
        --found;
    }
    return static_cast<std::size_t>(found - byteOffsets_.begin());
}

}  // namespace platform::text
