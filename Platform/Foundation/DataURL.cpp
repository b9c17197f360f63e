#include "Platform/Foundation/DataURL.h"

#include "Platform/Foundation/Base64.h"

#include <array>
#include <string_view>

namespace platform::foundation {

namespace {

constexpr std::string_view scheme = "data:";
constexpr std::string_view base64Marker = ";base64";

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The characters a URL may hold literally any number of times: unreserved,
// general and sub-delimiters, "#" aside (it may appear once). A table: an
// image's data runs to megabytes.
constexpr std::array<bool, 256> makePlainURLCharacters() {
    std::array<bool, 256> table{};
    for (int c = 0; c < 256; ++c) {
        table[c] = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    }
    for (const char c : std::string_view("-._~:/?[]@!$&'()*+,;=")) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}

constexpr auto plainURLCharacters = makePlainURLCharacters();

bool isWellFormedURL(std::string_view text) {
    int fragments = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (plainURLCharacters[static_cast<unsigned char>(c)]) {
            continue;
        }
        if (c == '%') {
            if (i + 2 >= text.size() || hexValue(text[i + 1]) < 0 || hexValue(text[i + 2]) < 0) {
                return false;
            }
            i += 2;
        } else if (c != '#' || ++fragments > 1) {
            return false;
        }
    }
    return true;
}

// Only called on text that isWellFormedURL accepted, so every "%" has two hex digits.
Data percentDecode(std::string_view text) {
    Data bytes;
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            bytes.push_back(static_cast<std::uint8_t>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
            i += 2;
        } else {
            bytes.push_back(static_cast<std::uint8_t>(text[i]));
        }
    }
    return bytes;
}

}  // namespace

std::optional<Data> decodeDataURL(std::string_view text) {
    if (!text.starts_with(scheme)) {
        return std::nullopt;
    }
    while (!text.empty() && isSpace(text.back())) {
        text.remove_suffix(1);
    }
    if (!isWellFormedURL(text)) {
        return std::nullopt;
    }
    const std::string_view afterScheme = text.substr(scheme.size());
    const auto comma = afterScheme.find(',');
    if (comma == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view header = afterScheme.substr(0, comma);
    std::string_view payload = afterScheme.substr(comma + 1);
    if (header.ends_with(base64Marker)) {
        return decodeBase64(payload);
    }
    payload = payload.substr(0, payload.find('#'));
    return percentDecode(payload);
}

}  // namespace platform::foundation
