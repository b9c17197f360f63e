#pragma once
// A random 128-bit identifier: the identity of a value provider made from a closure,
// so that it equals only itself. A plain value.

#include <cstddef>
#include <cstdint>
#include <functional>

namespace lottie {

struct Uuid {
    std::uint64_t high = 0;
    std::uint64_t low = 0;

    // A fresh random (version 4) identifier; safe from any thread.
    static Uuid random();

    bool operator==(const Uuid&) const = default;
};

}  // namespace lottie

template <>
struct std::hash<lottie::Uuid> {
    std::size_t operator()(const lottie::Uuid& uuid) const noexcept {
        return std::hash<std::uint64_t>{}(uuid.high) ^ (std::hash<std::uint64_t>{}(uuid.low) * 0x9e3779b97f4a7c15ULL);
    }
};
