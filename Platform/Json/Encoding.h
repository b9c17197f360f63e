#pragma once
// What the encoder can encode, and the templates of its containers.
// Encodable types mirror the decodable ones (see Decoding.h): bool, integers,
// finite doubles and floats, std::string, Value, std::optional<T> (absent is
// null), std::vector<T>, std::map<std::string, T>, std::shared_ptr<T> (null is
// null; the object encodes itself through its own class), and any class with
// a member `void encode(Encoder&) const`.

#include <cmath>
#include <concepts>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "Platform/Json/Encoder.h"

namespace platform::json {

template <class T>
struct Encodable {
    static void encode(const Encoder& encoder, const T& value) {
        static_assert(requires(Encoder& e) { value.encode(e); },
                      "type is not encodable: give it a member void encode(Encoder&) const");
        Encoder copy = encoder;
        value.encode(copy);
    }
};

template <>
struct Encodable<bool> {
    static void encode(const Encoder& encoder, bool value) { encoder.slot() = Value::boolean(value); }
};

template <std::integral T>
    requires(!std::is_same_v<T, bool>)
struct Encodable<T> {
    static void encode(const Encoder& encoder, T value) {
        if constexpr (std::is_unsigned_v<T> && sizeof(T) >= sizeof(std::int64_t)) {
            if (value > static_cast<T>(std::numeric_limits<std::int64_t>::max())) {
                encoder.slot() = Value(static_cast<double>(value));
                return;
            }
        }
        encoder.slot() = Value::integer(static_cast<std::int64_t>(value));
    }
};

template <std::floating_point T>
struct Encodable<T> {
    static void encode(const Encoder& encoder, T value) {
        if (!std::isfinite(value)) {
            throw EncodingError(encoder.codingPath(), "Unable to encode " + std::to_string(value) +
                                                          " directly in JSON.");
        }
        encoder.slot() = Value(static_cast<double>(value));
    }
};

template <>
struct Encodable<std::string> {
    static void encode(const Encoder& encoder, const std::string& value) { encoder.slot() = Value(value); }
};

template <>
struct Encodable<Value> {
    static void encode(const Encoder& encoder, const Value& value) { encoder.slot() = value; }
};

template <class T>
struct Encodable<std::optional<T>> {
    static void encode(const Encoder& encoder, const std::optional<T>& value) {
        if (value) Encodable<T>::encode(encoder, *value);
        else encoder.encodeNil();
    }
};

template <class T>
struct Encodable<std::shared_ptr<T>> {
    static void encode(const Encoder& encoder, const std::shared_ptr<T>& value) {
        if (value) Encodable<std::remove_const_t<T>>::encode(encoder, *value);
        else encoder.encodeNil();
    }
};

template <class T>
struct Encodable<std::vector<T>> {
    static void encode(const Encoder& encoder, const std::vector<T>& values) {
        UnkeyedEncodingContainer container = encoder.unkeyedContainer();
        for (const T& value : values) container.encode(value);
    }
};

template <class T>
struct Encodable<std::map<std::string, T>> {
    static void encode(const Encoder& encoder, const std::map<std::string, T>& values) {
        KeyedEncodingContainer container = encoder.container();
        for (const auto& [key, value] : values) container.encode(key, value);
    }
};

template <class T>
void Encoder::encode(const T& value) const {
    Encodable<T>::encode(*this, value);
}

template <class T>
void KeyedEncodingContainer::encode(std::string_view key, const T& value) {
    encoderFor(key).encode(value);
}

namespace detail {
template <class T>
struct IsPresenceWrapper : std::false_type {};
template <class T>
struct IsPresenceWrapper<std::optional<T>> : std::true_type {};
template <class T>
struct IsPresenceWrapper<std::shared_ptr<T>> : std::true_type {};
}  // namespace detail

template <class T>
void KeyedEncodingContainer::encodeIfPresent(std::string_view key, const T& value) {
    static_assert(detail::IsPresenceWrapper<T>::value, "encodeIfPresent takes an optional or a shared pointer");
    if (!value) return;
    encoderFor(key).encode(*value);
}

// The whole value tree of an encodable value.
template <class T>
Value encodeToValue(const T& value) {
    Value root;
    Encoder encoder([&root]() -> Value& { return root; }, {});
    encoder.encode(value);
    return root;
}

}  // namespace platform::json
