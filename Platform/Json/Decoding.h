#pragma once
// What the keyed-container decoder can decode, and the templates of its
// containers. Include this header to decode.
//
// Decodable types:
// - bool (only from `true`/`false`, never from a number), the integer types
//   (only numbers exactly representable in the type; 1.0 reads as 1, 1.5
//   fails), double and float (any number that is not a boolean literal),
//   std::string (only text);
// - std::optional<T> (null reads as nothing), std::vector<T> (from an array),
//   std::map<std::string, T> (from a dictionary), Value (as it stands);
// - std::shared_ptr<T>: T::decodeShared(decoder) when T offers it (families
//   that choose their class by a discriminator), else a new T(decoder);
// - any class with a static `T decode(const Decoder&)` or a constructor from
//   `const Decoder&`.
// Null where a value is required is valueNotFound; a value of another JSON
// type is typeMismatch; a number that does not fit is dataCorrupted.

#include <cmath>
#include <concepts>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <vector>

#include "Platform/Json/Decoder.h"
#include "Platform/Json/KeyedDecodingContainer.h"
#include "Platform/Json/SingleValueDecodingContainer.h"
#include "Platform/Json/UnkeyedDecodingContainer.h"

namespace platform::json {

template <class T>
struct Decodable;

namespace detail {

template <class T>
concept HasStaticDecode = requires(const Decoder& decoder) {
    { T::decode(decoder) } -> std::convertible_to<T>;
};

template <class T>
concept HasSharedDecode = requires(const Decoder& decoder) {
    { T::decodeShared(decoder) } -> std::convertible_to<std::shared_ptr<T>>;
};

template <class T>
std::string integerTypeName() {
    if constexpr (std::is_same_v<T, std::int64_t> || std::is_same_v<T, long long>) return "Int";
    else if constexpr (std::is_signed_v<T>) return "Int" + std::to_string(sizeof(T) * 8);
    else return "UInt" + std::to_string(sizeof(T) * 8);
}

// Fails for null and for anything that is not a number (booleans included).
const Number& requireNumber(const Decoder& decoder, const std::string& expected);

}  // namespace detail

template <class T>
struct Decodable {
    static T decode(const Decoder& decoder) {
        if constexpr (detail::HasStaticDecode<T>) {
            return T::decode(decoder);
        } else {
            static_assert(std::is_constructible_v<T, const Decoder&>,
                          "type is not decodable: give it a constructor from const Decoder&");
            return T(decoder);
        }
    }
};

template <>
struct Decodable<bool> {
    static bool decode(const Decoder& decoder);
};

template <>
struct Decodable<std::string> {
    static std::string decode(const Decoder& decoder);
};

template <>
struct Decodable<double> {
    static double decode(const Decoder& decoder);
};

template <>
struct Decodable<float> {
    static float decode(const Decoder& decoder);
};

template <>
struct Decodable<Value> {
    static Value decode(const Decoder& decoder) { return decoder.value(); }
};

template <std::integral T>
    requires(!std::is_same_v<T, bool>)
struct Decodable<T> {
    static T decode(const Decoder& decoder) {
        const Number& number = detail::requireNumber(decoder, detail::integerTypeName<T>());
        auto exact = Value(number).asIntegral<T>();
        if (!exact) {
            throw DecodingError::dataCorrupted(decoder.codingPath(), "Parsed JSON number does not fit in " +
                                                                         detail::integerTypeName<T>() + ".");
        }
        return *exact;
    }
};

template <class T>
struct Decodable<std::optional<T>> {
    static std::optional<T> decode(const Decoder& decoder) {
        if (decoder.value().isNull()) return std::nullopt;
        return Decodable<T>::decode(decoder);
    }
};

template <class T>
struct Decodable<std::vector<T>> {
    static std::vector<T> decode(const Decoder& decoder) {
        UnkeyedDecodingContainer container = decoder.unkeyedContainer();
        std::vector<T> result;
        result.reserve(static_cast<std::size_t>(container.count()));
        while (!container.isAtEnd()) result.push_back(container.template decode<T>());
        return result;
    }
};

template <class T>
struct Decodable<std::map<std::string, T>> {
    static std::map<std::string, T> decode(const Decoder& decoder) {
        KeyedDecodingContainer container = decoder.container();
        std::map<std::string, T> result;
        for (const std::string& key : container.allKeys()) result[key] = container.template decode<T>(key);
        return result;
    }
};

template <class T>
struct Decodable<std::shared_ptr<T>> {
    using Plain = std::remove_const_t<T>;
    static std::shared_ptr<T> decode(const Decoder& decoder) {
        if constexpr (detail::HasSharedDecode<Plain>) {
            return Plain::decodeShared(decoder);
        } else if constexpr (detail::HasStaticDecode<Plain>) {
            return std::make_shared<Plain>(Plain::decode(decoder));
        } else {
            return std::make_shared<Plain>(decoder);
        }
    }
};

// ---- templates of the decoder and its containers ----

template <class T>
T Decoder::decode() const {
    return Decodable<T>::decode(*this);
}

template <class T>
T KeyedDecodingContainer::decode(std::string_view key) const {
    const Value& value = require(key);
    return Decodable<T>::decode(decoderFor(value, key));
}

template <class T>
std::optional<T> KeyedDecodingContainer::decodeIfPresent(std::string_view key) const {
    const Value* value = lookup(key);
    if (!value || value->isNull()) return std::nullopt;
    return Decodable<T>::decode(decoderFor(*value, key));
}

template <class T>
T UnkeyedDecodingContainer::decode() {
    const Value& value = current("value");
    T result = Decodable<T>::decode(currentDecoder(value));
    ++index_;
    return result;
}

template <class T>
std::optional<T> UnkeyedDecodingContainer::decodeIfPresent() {
    if (isAtEnd()) return std::nullopt;
    if (decodeNil()) return std::nullopt;
    return decode<T>();
}

}  // namespace platform::json
