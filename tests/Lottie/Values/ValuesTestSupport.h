#pragma once
// Helpers of the value tests: parsing small documents and catching the
// dictionary decoder's error.

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "Lottie/Model/InitializableError.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"
#include "Platform/Json/JsonParser.h"
#include "Platform/Json/JsonWriter.h"
#include "tests/Support/Thrown.h"

namespace valuestest {

inline platform::json::Value json(const std::string& text) { return platform::json::parse(text); }

// The file and line of the InitializableError that `body` throws, or nothing.
inline std::optional<std::pair<std::string, unsigned>> initializableError(const std::function<void()>& body) {
    auto error = testsupport::thrown<lottie::InitializableError>(body);
    return error ? std::optional(std::make_pair(error->file(), error->line())) : std::nullopt;
}

// The kind of the DecodingError that `body` throws, or nothing.
inline std::optional<platform::json::DecodingError::Kind> decodingError(const std::function<void()>& body) {
    auto error = testsupport::thrown<platform::json::DecodingError>(body);
    return error ? std::optional(error->kind()) : std::nullopt;
}

// Decodes T from JSON text with the keyed-container decoder.
template <class T>
T decodeKeyed(const std::string& text) {
    platform::json::Value value = platform::json::parse(text);
    return platform::json::Decoder(value).decode<T>();
}

template <class T>
std::string encodeToText(const T& value) {
    return platform::json::serialize(platform::json::encodeToValue(value));
}

}  // namespace valuestest
