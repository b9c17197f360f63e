#pragma once
// A span of an attributed text counted in UTF-16 code units, as the platform's
// text ranges count them. A plain value owned by whoever holds it.

#include <cstddef>

namespace platform::text {

struct TextRange {
    std::size_t location = 0;
    std::size_t length = 0;

    constexpr TextRange() = default;
    constexpr TextRange(std::size_t locationValue, std::size_t lengthValue)
        : location(locationValue), length(lengthValue) {}

    constexpr std::size_t end() const { return location + length; }

    constexpr bool operator==(const TextRange&) const = default;
};

}  // namespace platform::text
