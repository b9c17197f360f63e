#pragma once
// A value that jumps instead of blending: interpolated, it is the start value
// until the amount reaches 1 and the end value from then on. Keyframes of
// booleans and of values that cannot blend are held in it.

#include <cstddef>
#include <functional>

namespace lottie {

template <class T>
struct Hold {
    T value{};

    bool operator==(const Hold&) const = default;
};

}  // namespace lottie

template <class T>
struct std::hash<lottie::Hold<T>> {
    std::size_t operator()(const lottie::Hold<T>& hold) const noexcept { return std::hash<T>{}(hold.value); }
};
