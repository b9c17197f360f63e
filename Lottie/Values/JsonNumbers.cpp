#include "Lottie/Values/JsonNumbers.h"

namespace lottie::jsonnumbers {

const platform::json::Array* numberArray(const platform::json::Value& value) {
    const platform::json::Array* array = value.asArray();
    if (!array) return nullptr;
    for (const platform::json::Value& element : *array) {
        if (!element.asDouble()) return nullptr;
    }
    return array;
}

}  // namespace lottie::jsonnumbers
