#pragma once
// A list that can serve as a value provider's identity: compared element by
// element and hashed by its length and elements.

#include <cstddef>
#include <functional>
#include <vector>

#include "Platform/Graphics/HashCombine.h"

namespace lottie {

template <class T>
struct HashableList {
    std::vector<T> values;

    bool operator==(const HashableList&) const = default;
};

}  // namespace lottie

template <class T>
struct std::hash<lottie::HashableList<T>> {
    std::size_t operator()(const lottie::HashableList<T>& list) const {
        std::size_t seed = std::hash<std::size_t>{}(list.values.size());
        for (const T& value : list.values) platform::graphics::hashCombine(seed, std::hash<T>{}(value));
        return seed;
    }
};

template <>
struct std::hash<lottie::HashableList<double>> {
    std::size_t operator()(const lottie::HashableList<double>& list) const {
        std::size_t seed = std::hash<std::size_t>{}(list.values.size());
        for (double value : list.values) platform::graphics::hashCombine(seed, platform::graphics::hashDouble(value));
        return seed;
    }
};
