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

    // Four digits at a time make three bytes; two or three left over make one
    // or two, their spare low bits dropped.
    const std::size_t whole = digits.size() / 4 * 4;
    const std::size_t left = digits.size() - whole;
    Data bytes(whole / 4 * 3 + (left == 0 ? 0 : left - 1));
    std::uint8_t* out = bytes.data();
    const auto digit = [&](std::size_t index) { return decodingTable[static_cast<unsigned char>(digits[index])]; };
    for (std::size_t index = 0; index < whole; index += 4, out += 3) {
        const int a = digit(index), b = digit(index + 1), c = digit(index + 2), d = digit(index + 3);
        if ((a | b | c | d) < 0) {
            return std::nullopt;  // also a third "=", or one in the middle
        }
        const auto value = static_cast<std::uint32_t>(a << 18 | b << 12 | c << 6 | d);
        out[0] = static_cast<std::uint8_t>(value >> 16);
        out[1] = static_cast<std::uint8_t>(value >> 8);
        out[2] = static_cast<std::uint8_t>(value);
    }
    std::uint32_t value = 0;
    for (std::size_t index = whole; index < digits.size(); ++index) {
        const int next = digit(index);
        if (next < 0) {
            return std::nullopt;
        }
        value = value << 6 | static_cast<std::uint32_t>(next);
    }
    if (left == 2) {
        out[0] = static_cast<std::uint8_t>(value >> 4);
    } else if (left == 3) {
        out[0] = static_cast<std::uint8_t>(value >> 10);
        out[1] = static_cast<std::uint8_t>(value >> 2);
    }
    return bytes;
}

}  // namespace platform::foundation
