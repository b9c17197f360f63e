#pragma once
// Helpers of the dictionary readers of values: the platform's parser hands out
// arrays of untyped values, and a reader that wants "an array of numbers"
// accepts an array only when every element converts to a double.

#include <optional>

#include "Platform/Json/JsonValue.h"

namespace lottie::jsonnumbers {

// The array when the value is an array whose every element is a number, else null.
const platform::json::Array* numberArray(const platform::json::Value& value);

// The element at `index` of an array known to hold numbers only.
inline double numberAt(const platform::json::Array& array, std::size_t index) {
    return array[index].asDouble().value_or(0);
}

}  // namespace lottie::jsonnumbers
