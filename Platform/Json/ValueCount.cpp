#include "Platform/Json/ValueCount.h"

#include <vector>

namespace platform::json {

namespace {

bool isDelimiter(char c) {
    switch (c) {
        case ' ': case '\t': case '\n': case '\r':
        case ',': case ':': case '[': case ']': case '{': case '}': case '"':
            return true;
        default:
            return false;
    }
}

}  // namespace

bool holdsMoreValuesThan(std::string_view text, std::size_t limit) {
    std::size_t count = 0;
    // Which containers enclose the current place: true for an array.
    std::vector<bool> inArray;
    // Whether the next token starts a value (rather than an object's key).
    bool expectingValue = true;
    const std::size_t size = text.size();
    std::size_t index = 0;
    while (index < size) {
        const char c = text[index];
        switch (c) {
            case ' ': case '\t': case '\n': case '\r':
                ++index;
                continue;
            case ',':
                expectingValue = !inArray.empty() && inArray.back();
                ++index;
                continue;
            case ':':
                expectingValue = true;
                ++index;
                continue;
            case ']': case '}':
                if (!inArray.empty()) inArray.pop_back();
                expectingValue = false;
                ++index;
                continue;
            default:
                break;
        }
        if (expectingValue && ++count > limit) return true;
        if (c == '[' || c == '{') {
            inArray.push_back(c == '[');
            expectingValue = c == '[';
            ++index;
        } else if (c == '"') {
            // Skip the string, escapes and all.
            ++index;
            while (index < size && text[index] != '"') index += text[index] == '\\' ? 2 : 1;
            ++index;
            expectingValue = false;
        } else {
            while (index < size && !isDelimiter(text[index])) ++index;
            expectingValue = false;
        }
    }
    return false;
}

}  // namespace platform::json
