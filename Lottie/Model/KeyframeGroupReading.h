#pragma once
// Small readers the model classes share for their animated properties: a
// keyframe group from a key by either decoder, with the defaults and error
// tolerance each model asks for.

#include <memory>
#include <optional>
#include <string_view>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Values/KeyframeGroup.h"

namespace lottie {

template <class T>
using KeyframeGroupPtr = std::shared_ptr<const KeyframeGroup<T>>;

template <class T>
KeyframeGroupPtr<T> staticGroup(T value) {
    return std::make_shared<const KeyframeGroup<T>>(std::move(value));
}

// The group under `key` when it is a dictionary; nothing when it is missing or
// not a dictionary. Decoding errors of a dictionary propagate.
template <class T>
KeyframeGroupPtr<T> optionalGroup(const Dictionary& dictionary, std::string_view key) {
    auto found = inlineValue<DictionaryRef>(dictionary, key);
    if (!found) return nullptr;
    return std::make_shared<const KeyframeGroup<T>>(**found);
}

// The group under `key`, or `fallback` when it is missing, not a dictionary or
// fails to decode (the error is dropped).
template <class T>
KeyframeGroupPtr<T> groupOrDefault(const Dictionary& dictionary, std::string_view key, T fallback) {
    try {
        if (auto group = optionalGroup<T>(dictionary, key)) return group;
    } catch (const InitializableError&) {
    }
    return staticGroup(std::move(fallback));
}

// The same with a fallback group that callers share: immutable groups need no copies.
template <class T>
KeyframeGroupPtr<T> groupOrDefault(const Dictionary& dictionary, std::string_view key, const KeyframeGroupPtr<T>& fallback) {
    try {
        if (auto group = optionalGroup<T>(dictionary, key)) return group;
    } catch (const InitializableError&) {
    }
    return fallback;
}

template <class T>
KeyframeGroupPtr<T> decodeGroupOrDefault(const platform::json::KeyedDecodingContainer& container,
                                         std::string_view key, const KeyframeGroupPtr<T>& fallback) {
    if (auto group = container.decodeIfPresent<KeyframeGroupPtr<T>>(key)) return *group;
    return fallback;
}

// The keyed-container form: the group if present (errors propagate), else `fallback`.
template <class T>
KeyframeGroupPtr<T> decodeGroupOrDefault(const platform::json::KeyedDecodingContainer& container,
                                         std::string_view key, T fallback) {
    if (auto group = container.decodeIfPresent<KeyframeGroupPtr<T>>(key)) return *group;
    return staticGroup(std::move(fallback));
}

}  // namespace lottie
