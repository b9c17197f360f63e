#pragma once
// The dictionary decoder's shared pieces: a model type builds itself from a
// dictionary of text keys and untyped JSON values (`explicit T(const
// Dictionary&)`), looking keys up with `value<T>(dictionary, key, file, line)`,
// which converts by the platform's rules and throws InitializableError with
// the caller's file and line. Values that are not dictionaries (vectors,
// colours, paths) are read by `static T fromAny(const Value&)` instead.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Lottie/Model/InitializableError.h"
#include "Platform/Json/JsonValue.h"

namespace lottie {

// A JSON value known to be a dictionary (an object); keys are looked up with find().
using Dictionary = platform::json::Value;

// A dictionary borrowed from the parsed document.
struct DictionaryRef {
    const Dictionary* dictionary = nullptr;
    const Dictionary& operator*() const { return *dictionary; }
    const Dictionary* operator->() const { return dictionary; }
};

// An array whose every element is a dictionary, borrowed from the parsed document.
using DictionaryArray = std::vector<const Dictionary*>;

// The conversion of one untyped value to T, by the platform's rules; nothing
// when the value is of another type (or null). `expected` names T for errors.
template <class T>
struct DictionaryValue;

template <>
struct DictionaryValue<std::string> {
    static constexpr std::string_view expected = "a string";
    static std::optional<std::string> convert(const platform::json::Value& value) {
        if (const std::string* text = value.asString()) return *text;
        return std::nullopt;
    }
};

template <>
struct DictionaryValue<double> {
    static constexpr std::string_view expected = "a number";
    static std::optional<double> convert(const platform::json::Value& value) { return value.asDouble(); }
};

template <>
struct DictionaryValue<int> {
    static constexpr std::string_view expected = "an integer";
    static std::optional<int> convert(const platform::json::Value& value) { return value.asIntegral<int>(); }
};

template <>
struct DictionaryValue<std::int64_t> {
    static constexpr std::string_view expected = "an integer";
    static std::optional<std::int64_t> convert(const platform::json::Value& value) { return value.asInteger(); }
};

template <>
struct DictionaryValue<bool> {
    static constexpr std::string_view expected = "a boolean";
    static std::optional<bool> convert(const platform::json::Value& value) { return value.asBool(); }
};

template <>
struct DictionaryValue<DictionaryRef> {
    static constexpr std::string_view expected = "a dictionary";
    static std::optional<DictionaryRef> convert(const platform::json::Value& value) {
        if (value.isObject()) return DictionaryRef{&value};
        return std::nullopt;
    }
};

template <>
struct DictionaryValue<DictionaryArray> {
    static constexpr std::string_view expected = "an array of dictionaries";
    static std::optional<DictionaryArray> convert(const platform::json::Value& value);
};

// The error of a key whose value is missing or can't be read as T, placed at the key.
template <class T>
InitializableError keyError(const Dictionary& dictionary, std::string_view key, const platform::json::Value* found,
                            std::string_view file, unsigned line) {
    if (!found) return InitializableError::invalidInput(file, line).at(dictionary, key, "key not found");
    std::string reason = "expected " + std::string(DictionaryValue<T>::expected);
    return InitializableError::invalidInput(file, line).at(dictionary, key, reason + ", found " + found->typeDescription());
}

// A required key: missing, null or of another type throws invalidInput(file, line).
template <class T>
T value(const Dictionary& dictionary, std::string_view key, std::string_view file, unsigned line) {
    const platform::json::Value* found = dictionary.find(key);
    if (found) {
        if (auto converted = DictionaryValue<T>::convert(*found)) return std::move(*converted);
    }
    throw keyError<T>(dictionary, key, found, file, line);
}

// An optional key: missing or null gives nothing; a value of another type throws.
template <class T>
std::optional<T> optionalValue(const Dictionary& dictionary, std::string_view key, std::string_view file,
                               unsigned line) {
    const platform::json::Value* found = dictionary.find(key);
    if (!found || found->isNull()) return std::nullopt;
    if (auto converted = DictionaryValue<T>::convert(*found)) return converted;
    throw keyError<T>(dictionary, key, found, file, line);
}

// A key read inline, without any error: the converted value, or nothing.
template <class T>
std::optional<T> inlineValue(const Dictionary& dictionary, std::string_view key) {
    const platform::json::Value* found = dictionary.find(key);
    if (!found) return std::nullopt;
    return DictionaryValue<T>::convert(*found);
}

// The array-of-doubles reader: only an array of numbers is accepted.
std::vector<double> doublesFromAny(const platform::json::Value& value);

// The key every family element is told apart by.
inline constexpr std::string_view discriminatorKey = "ty";

}  // namespace lottie
