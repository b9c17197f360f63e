#pragma once
// Readers the shape-item classes share: animated properties and integer
// enumerations by either decoder, with the tolerance each decoder has for
// missing and mistyped values, and equality of shared keyframe groups.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Model/KeyframeGroupReading.h"
#include "Lottie/Model/ShapeItems/ShapeItemEnumerations.h"
#include "Platform/Json/Decoding.h"

namespace lottie {

// A required animated property: the value under `key` must be a dictionary
// (else invalidInput(file, line)); the group's own errors propagate.
template <class T>
KeyframeGroupPtr<T> requiredGroup(const Dictionary& dictionary, std::string_view key, std::string_view file,
                                  unsigned line) {
    DictionaryRef found = value<DictionaryRef>(dictionary, key, file, line);
    return std::make_shared<const KeyframeGroup<T>>(*found);
}

// An optional animated property whose decoding errors count as absence.
template <class T>
KeyframeGroupPtr<T> optionalGroupOrNone(const Dictionary& dictionary, std::string_view key) {
    try {
        return optionalGroup<T>(dictionary, key);
    } catch (const InitializableError&) {
        return nullptr;
    }
}

// The dictionary decoder's lenient enumeration: an integer naming a case
// gives it; anything else (absent, mistyped, out of range) the fallback.
template <class Enumeration>
std::optional<Enumeration> enumerationIfValid(const Dictionary& dictionary, std::string_view key) {
    auto raw = inlineValue<std::int64_t>(dictionary, key);
    if (!raw) return std::nullopt;
    return enumerationFromRawValue<Enumeration>(*raw);
}

// The keyed decoder's strict enumeration: an integer that names no case is
// the platform's data-corrupted error.
template <class Enumeration>
Enumeration decodeEnumeration(const platform::json::KeyedDecodingContainer& container, std::string_view key) {
    std::int64_t raw = container.decode<std::int64_t>(key);
    if (auto value = enumerationFromRawValue<Enumeration>(raw)) return *value;
    throw platform::json::DecodingError::dataCorrupted(
        platform::json::appending(container.codingPath(), platform::json::CodingKey::named(std::string(key))),
        "Cannot initialize from invalid Int value " + std::to_string(raw));
}

template <class Enumeration>
std::optional<Enumeration> decodeEnumerationIfPresent(const platform::json::KeyedDecodingContainer& container,
                                                      std::string_view key) {
    if (!container.decodeIfPresent<std::int64_t>(key)) return std::nullopt;
    return decodeEnumeration<Enumeration>(container, key);
}

template <class T>
KeyframeGroupPtr<T> decodeGroup(const platform::json::KeyedDecodingContainer& container, std::string_view key) {
    return container.decode<KeyframeGroupPtr<T>>(key);
}

template <class T>
KeyframeGroupPtr<T> decodeGroupIfPresent(const platform::json::KeyedDecodingContainer& container,
                                         std::string_view key) {
    return container.decodeIfPresent<KeyframeGroupPtr<T>>(key).value_or(nullptr);
}

// Two groups are the same when both are absent or both hold equal keyframes.
template <class T>
bool sameGroup(const KeyframeGroupPtr<T>& first, const KeyframeGroupPtr<T>& second) {
    if (!first || !second) return !first && !second;
    return first == second || *first == *second;
}

}  // namespace lottie
