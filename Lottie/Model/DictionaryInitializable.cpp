#include "Lottie/Model/DictionaryInitializable.h"

namespace lottie {

std::optional<DictionaryArray> DictionaryValue<DictionaryArray>::convert(const platform::json::Value& value) {
    const platform::json::Array* array = value.asArray();
    if (!array) return std::nullopt;
    DictionaryArray dictionaries;
    dictionaries.reserve(array->size());
    for (const platform::json::Value& element : *array) {
        if (!element.isObject()) return std::nullopt;
        dictionaries.push_back(&element);
    }
    return dictionaries;
}

std::vector<double> doublesFromAny(const platform::json::Value& value) {
    const platform::json::Array* array = value.asArray();
    constexpr std::string_view file = "Lottie/DictionaryInitializable";
    if (!array) throw InitializableError::invalidInput(file, 68).at(value, {}, "expected an array");
    std::vector<double> doubles;
    doubles.reserve(array->size());
    for (const platform::json::Value& element : *array) {
        auto number = element.asDouble();
        if (!number) throw InitializableError::invalidInput(file, 68).at(element, {}, "expected a number");
        doubles.push_back(*number);
    }
    return doubles;
}

}  // namespace lottie
