#pragma once
// The keyframes of one animated property, in the order the document lists
// them, with the text of an After Effects expression if the document gave one
// (kept only so that the engines can warn about it; never evaluated). Created
// once while decoding (or by the engines and value providers) and shared,
// immutable, through std::shared_ptr<const KeyframeGroup<T>>.
//
// JSON: {"k": one static value, or an array of keyframe entries; "x": expression}.
// A static value is one holding keyframe at time 0.

#include <any>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "Lottie/Model/DictionaryInitializable.h"
#include "Lottie/Values/AnyKeyframeGroup.h"
#include "Lottie/Values/Keyframe.h"
#include "Lottie/Values/KeyframeBuilding.h"
#include "Lottie/Values/KeyframeData.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

namespace detail {

struct NoErasedView {};

// The type-erased view, for groups whose values can be interpolated.
template <class T>
class ErasedKeyframeGroup : public AnyKeyframeGroup {
public:
    std::shared_ptr<const KeyframeGroup<std::any>> untyped() const override;
    std::shared_ptr<AnyKeyframeInterpolator> interpolator() const override;
};

}  // namespace detail

template <class T>
class KeyframeGroup
    : public std::conditional_t<Interpolatable<T>, detail::ErasedKeyframeGroup<T>, detail::NoErasedView> {
public:
    explicit KeyframeGroup(std::vector<Keyframe<T>> keyframes,
                           std::optional<std::string> unsupportedAfterEffectsExpression = std::nullopt)
        : keyframes_(std::move(keyframes)) {
        if (unsupportedAfterEffectsExpression) {
            expression_ = std::make_shared<const std::string>(std::move(*unsupportedAfterEffectsExpression));
        }
    }

    // One static value.
    explicit KeyframeGroup(T value) { keyframes_.emplace_back(std::move(value)); }

    // The dictionary decoder; throws InitializableError.
    explicit KeyframeGroup(const Dictionary& dictionary);

    // The keyed-container decoder; throws the platform's DecodingError.
    static KeyframeGroup decode(const platform::json::Decoder& decoder);
    // Writes "k" only; the expression is never written.
    void encode(platform::json::Encoder& encoder) const;

    const std::vector<Keyframe<T>>& keyframes() const { return keyframes_; }
    std::optional<std::string> unsupportedAfterEffectsExpression() const {
        if (!expression_) return std::nullopt;
        return *expression_;
    }

    // A group of the transformed values with the same times, hold flags,
    // tangents and expression. An exception of the transform ends the mapping.
    template <class Transform>
    auto map(Transform&& transform) const {
        using U = std::decay_t<std::invoke_result_t<Transform&, const T&>>;
        std::vector<Keyframe<U>> mapped;
        mapped.reserve(keyframes_.size());
        for (const Keyframe<T>& keyframe : keyframes_) mapped.push_back(keyframe.replacingValue(transform(keyframe.value())));
        auto group = std::make_shared<KeyframeGroup<U>>(std::move(mapped));
        group->expression_ = expression_;
        return std::shared_ptr<const KeyframeGroup<U>>(std::move(group));
    }

    // The expression takes no part in equality.
    bool operator==(const KeyframeGroup& other) const
        requires std::equality_comparable<T>
    {
        return keyframes_ == other.keyframes_;
    }

private:
    template <class>
    friend class KeyframeGroup;

    std::vector<Keyframe<T>> keyframes_;
    // Rare, so held by a pointer that costs a static group little.
    std::shared_ptr<const std::string> expression_;
};

namespace detail {

template <class T>
std::shared_ptr<const KeyframeGroup<std::any>> ErasedKeyframeGroup<T>::untyped() const {
    return static_cast<const KeyframeGroup<T>&>(*this).map([](const T& value) { return std::any(value); });
}

template <class T>
std::shared_ptr<AnyKeyframeInterpolator> ErasedKeyframeGroup<T>::interpolator() const {
    return std::make_shared<KeyframeInterpolator<T>>(static_cast<const KeyframeGroup<T>&>(*this).keyframes());
}

}  // namespace detail

// ---- decoding and encoding ----

// Whether a "k" value is a non-empty array whose every element is a
// dictionary holding "t": the form of animated keyframes.
inline bool isKeyframeEntryList(const platform::json::Value* value) {
    const platform::json::Array* array = value ? value->asArray() : nullptr;
    if (!array || array->empty()) return false;
    for (const platform::json::Value& element : *array) {
        if (!element.isObject() || !element.find("t")) return false;
    }
    return true;
}

inline constexpr const char* keyframeGroupErrorFile = "Lottie/KeyframeGroup";
inline constexpr unsigned keyframeGroupUnreadableLine = 166;
inline constexpr unsigned keyframeGroupMissingDataLine = 175;

template <class T>
KeyframeGroup<T>::KeyframeGroup(const Dictionary& dictionary) {
    if (const platform::json::Value* expression = dictionary.find("x")) {
        if (const std::string* text = expression->asString()) expression_ = std::make_shared<const std::string>(*text);
    }
    const platform::json::Value* frames = dictionary.find("k");
    if (frames) {
        try {
            keyframes_.emplace_back(AnyValueReader<T>::read(*frames));
            return;
        } catch (const InitializableError&) {
            // Not a single value; an entry or a list of entries follows.
        }
    }
    std::vector<KeyframeData<T>> entries;
    if (frames && frames->isObject()) {
        entries.push_back(KeyframeData<T>::fromDictionary(*frames));
    } else if (const platform::json::Array* array = frames ? frames->asArray() : nullptr) {
        entries.reserve(array->size());
        for (const platform::json::Value& element : *array) {
            if (!element.isObject()) {
                throw InitializableError::invalidInput(keyframeGroupErrorFile, keyframeGroupUnreadableLine)
                    .at(element, {}, "not a keyframe");
            }
            entries.push_back(KeyframeData<T>::fromDictionary(element));
        }
    } else {
        throw InitializableError::invalidInput(keyframeGroupErrorFile, keyframeGroupUnreadableLine)
            .at(dictionary, "k", frames ? "unreadable value" : "key not found");
    }
    auto built = buildKeyframes<T>(entries);
    if (!built) {
        throw InitializableError::invalidInput(keyframeGroupErrorFile, keyframeGroupMissingDataLine)
            .at(dictionary, "k", "missing or unreadable keyframe values");
    }
    keyframes_ = std::move(*built);
}

template <class T>
KeyframeGroup<T> KeyframeGroup<T>::decode(const platform::json::Decoder& decoder) {
    platform::json::KeyedDecodingContainer container = decoder.container();
    std::optional<std::string> expression;
    try {
        expression = container.decodeIfPresent<std::string>("x");
    } catch (const platform::json::DecodingError&) {
        // A malformed expression is no expression.
    }
    std::optional<T> single;
    // A list of keyframe entries (dictionaries with a time) is no value of any
    // animated type; skipping the attempt spares an exception per animated property.
    if (!isKeyframeEntryList(decoder.value().find("k"))) {
        try {
            single = container.decode<T>("k");
        } catch (const platform::json::DecodingError&) {
            // Not a single value: an array of keyframe entries.
        }
    }
    if (single) return KeyframeGroup(std::vector<Keyframe<T>>{Keyframe<T>(std::move(*single))}, std::move(expression));
    platform::json::UnkeyedDecodingContainer array = container.nestedUnkeyedContainer("k");
    std::vector<KeyframeData<T>> entries;
    entries.reserve(static_cast<std::size_t>(array.count()));
    while (!array.isAtEnd()) entries.push_back(array.decode<KeyframeData<T>>());
    auto built = buildKeyframes<T>(entries);
    if (!built) {
        throw platform::json::DecodingError::dataCorrupted(
            platform::json::appending(container.codingPath(), platform::json::CodingKey::named("k")),
            "Missing keyframe data.");
    }
    return KeyframeGroup(std::move(*built), std::move(expression));
}

template <class T>
void KeyframeGroup<T>::encode(platform::json::Encoder& encoder) const {
    platform::json::KeyedEncodingContainer container = encoder.container();
    if (keyframes_.size() == 1) {
        container.encode("k", keyframes_.front().value());
        return;
    }
    // One entry per keyframe, so that every keyframe reads back: an entry
    // holds its keyframe's value, time, hold flag and departing tangents, and
    // (but the last) the next keyframe's value and arriving tangents. A group
    // without keyframes writes an empty list, which reads back as one.
    platform::json::UnkeyedEncodingContainer entries = container.nestedUnkeyedContainer("k");
    for (std::size_t index = 0; index < keyframes_.size(); ++index) {
        const Keyframe<T>& keyframe = keyframes_[index];
        KeyframeData<T> entry;
        entry.startValue = keyframe.value();
        entry.time = keyframe.time();
        if (keyframe.isHold()) entry.hold = 1;
        entry.outTangent = keyframe.outTangent();
        entry.spatialOutTangent = keyframe.spatialOutTangent();
        if (index + 1 < keyframes_.size()) {
            const Keyframe<T>& next = keyframes_[index + 1];
            entry.endValue = next.value();
            entry.inTangent = next.inTangent();
            entry.spatialInTangent = next.spatialInTangent();
        }
        entries.encode(entry);
    }
}

}  // namespace lottie

template <class T>
struct std::hash<lottie::KeyframeGroup<T>> {
    std::size_t operator()(const lottie::KeyframeGroup<T>& group) const noexcept {
        std::size_t seed = group.keyframes().size();
        for (const lottie::Keyframe<T>& keyframe : group.keyframes()) {
            platform::graphics::hashCombine(seed, std::hash<lottie::Keyframe<T>>{}(keyframe));
        }
        return seed;
    }
};
