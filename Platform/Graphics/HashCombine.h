#pragma once
// Hashing helpers for the geometry value types. Equal values must hash alike, so
// a negative zero is folded into a positive one before hashing.

#include <cstddef>
#include <functional>

namespace platform::graphics {

inline std::size_t hashDouble(double value) {
    return std::hash<double>{}(value == 0.0 ? 0.0 : value);
}

inline void hashCombine(std::size_t& seed, std::size_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

}  // namespace platform::graphics
