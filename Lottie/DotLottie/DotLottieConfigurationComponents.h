#pragma once
// Which parts of a package animation's configuration a view applies in place of
// its own settings: the package's images, its loop mode, its speed. A set of
// flags over a 64-bit raw value; the views' default is imageProvider alone.

#include <cstdint>

namespace lottie {

struct DotLottieConfigurationComponents {
    std::int64_t rawValue = 0;

    static constexpr DotLottieConfigurationComponents imageProvider() { return {1}; }
    static constexpr DotLottieConfigurationComponents loopMode() { return {2}; }
    static constexpr DotLottieConfigurationComponents animationSpeed() { return {4}; }
    static constexpr DotLottieConfigurationComponents all() { return {7}; }
    static constexpr DotLottieConfigurationComponents none() { return {0}; }

    // Whether every member of `other` is in this set (the empty set is in every set).
    constexpr bool contains(DotLottieConfigurationComponents other) const {
        return (rawValue & other.rawValue) == other.rawValue;
    }
    constexpr DotLottieConfigurationComponents unionWith(DotLottieConfigurationComponents other) const {
        return {rawValue | other.rawValue};
    }
    constexpr DotLottieConfigurationComponents intersection(DotLottieConfigurationComponents other) const {
        return {rawValue & other.rawValue};
    }
    constexpr bool operator==(const DotLottieConfigurationComponents&) const = default;
};

}  // namespace lottie
