#include "Platform/Foundation/Base64.h"

#include <array>

namespace platform::foundation {

namespace {

constexpr int invalid = -1;

constexpr std::array<int, 256> makeDecodingTable() {
    std::array<int, 256> table{};
    for (auto& entry : table) {
        entry = invalid;
    }
    constexpr std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (std::size_t i = 0; i < alphabet.size(); ++i) {
        table[static_cast<unsigned char>(alphabet[i])] = static_cast<int>(i);
    }
    return table;
}

constexpr auto decodingTable = makeDecodingTable();

}  // namespace

std::optional<Data> decodeBase64(std::string_view text) {
    std::size_t padding = 0;
    while (padding < 2 && padding < text.size() && text[text.size() - 1 - padding] == '=') {
        ++padding;
    }
    if (padding > 0 && text.size() % 4 != 0) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(0, text.size() - padding);
    if (digits.size() % 4 == 1) {
        return std::nullopt;
    }

    Data bytes;
    bytes.reserve(digits.size() / 4 * 3 + 2);
    std::uint32_t accumulator = 0;
    int bitCount = 0;
    for (const char character : digits) {
        const int value = decodingTable[static_cast<unsigned char>(character)];
        if (value == invalid) {
            return std::nullopt;  // also a third "=", or one in the middle
        }
        accumulator = (accumulator << 6) | static_cast<std::uint32_t>(value);
        bitCount += 6;
        if (bitCount >= 8) {
            bitCount -= 8;
            bytes.push_back(static_cast<std::uint8_t>(accumulator >> bitCount));
            accumulator &= (1u << bitCount) - 1;
        }
    }
    return bytes;
}

}  // namespace platform::foundation
