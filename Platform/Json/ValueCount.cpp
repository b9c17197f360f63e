#include "Platform/Json/ValueCount.h"

#include <algorithm>
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

// What each part of a text costs, as measured on a virtual machine where a
// fresh page of memory costs tens of microseconds: bytes of memory per
// value (the parser's tape and indexes, a value, what the model makes of it)
// and per byte of a string (the parser's copy, the value's, the model's),
// and nanoseconds per value besides its memory, per character of a number
// and per escape.
constexpr std::uint64_t memoryPerValue = 96;
constexpr std::uint64_t memoryPerStringByte = 3;
constexpr double nanosecondsPerFreshByte = 3.5;
constexpr double nanosecondsPerValue = 130;
constexpr double nanosecondsPerNumberByte = 12;
constexpr double nanosecondsPerEscape = 20;
// An index entry is four bytes written, and some nanoseconds to find.
constexpr std::uint64_t memoryPerToken = 4;
constexpr double nanosecondsPerToken = 2;
// A digit of a number the parser reads on its slow path, at the worst
// measured (a number of some 800 digits between two doubles near the
// smallest or the largest), with room for a busy machine; and again for the
// exact parser, which reads such a text once more to say where it goes wrong.
constexpr double nanosecondsPerSlowDigit = 70;

}  // namespace

TextCost TextCost::of(std::string_view text, std::size_t valueLimit, double secondsLimit,
                      std::uint64_t bytesLimit) {
    constexpr std::size_t checkEvery = std::size_t{1} << 20;
    TextCost cost;
    // Which containers enclose the current place: true for an array.
    std::vector<bool> inArray;
    // Whether the next token starts a value (rather than an object's key).
    bool expectingValue = true;
    const std::size_t size = text.size();
    std::size_t index = 0;
    std::size_t nextCheck = checkEvery;
    while (index < size) {
        if (index >= nextCheck) {
            nextCheck = index + checkEvery;
            if (cost.memoryBytes(size) > bytesLimit || cost.seconds(size) > secondsLimit) {
                cost.countedBytes = index;
                return cost;
            }
        }
        const char c = text[index];
        switch (c) {
            case ' ': case '\t': case '\n': case '\r':
                ++index;
                continue;
            case ',':
                ++cost.tokens;
                expectingValue = !inArray.empty() && inArray.back();
                ++index;
                continue;
            case ':':
                ++cost.tokens;
                expectingValue = true;
                ++index;
                continue;
            case ']': case '}':
                ++cost.tokens;
                if (!inArray.empty()) inArray.pop_back();
                expectingValue = false;
                ++index;
                continue;
            default:
                break;
        }
        ++cost.tokens;
        if (expectingValue && ++cost.values > valueLimit) {
            cost.countedBytes = index;
            return cost;
        }
        if (c == '[' || c == '{') {
            inArray.push_back(c == '[');
            expectingValue = c == '[';
            ++index;
        } else if (c == '"') {
            // The string, escapes and all.
            const std::size_t start = ++index;
            while (index < size && text[index] != '"') {
                if (text[index] == '\\') {
                    ++cost.escapes;
                    ++index;
                }
                ++index;
            }
            cost.stringBytes += std::min(index, size) - start;
            ++index;
            expectingValue = false;
        } else {
            const std::size_t start = index;
            std::size_t digits = 0, exponentDigits = 0;
            bool integral = true, exponent = false;
            for (; index < size && !isDelimiter(text[index]); ++index) {
                const char d = text[index];
                if (d >= '0' && d <= '9') {
                    ++(exponent ? exponentDigits : digits);
                } else if (d == '.' || d == 'e' || d == 'E') {
                    integral = false;
                    exponent = exponent || d != '.';
                }
            }
            cost.numberBytes += index - start;
            if (digits > 19) cost.slowNumberDigits += std::min(digits, slowDigitsCounted);
            cost.unusualNumbers = cost.unusualNumbers || (integral && digits > 19) || exponentDigits > 2;
            expectingValue = false;
        }
    }
    cost.countedBytes = size;
    return cost;
}

std::uint64_t TextCost::memoryBytes(std::size_t textBytes) const {
    return textBytes + memoryPerValue * values + memoryPerStringByte * stringBytes +
           memoryPerToken * tokensBetweenValues();
}

double TextCost::seconds(std::size_t textBytes) const {
    const double nanoseconds = nanosecondsPerFreshByte * static_cast<double>(memoryBytes(textBytes)) +
                               nanosecondsPerValue * static_cast<double>(values) +
                               nanosecondsPerNumberByte * static_cast<double>(numberBytes) +
                               nanosecondsPerEscape * static_cast<double>(escapes) +
                               nanosecondsPerToken * static_cast<double>(tokensBetweenValues()) +
                               nanosecondsPerSlowDigit * static_cast<double>(slowNumberDigits);
    return nanoseconds * 1e-9;
}

}  // namespace platform::json
