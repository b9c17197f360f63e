#pragma once
// A dictionary seen through the keyed-container decoder. Missing keys,
// nulls and values of the wrong type fail with the platform's errors and the
// coding path of the key. Include "Platform/Json/Decoding.h" to use the templates.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Platform/Json/Decoder.h"

namespace platform::json {

class KeyedDecodingContainer {
public:
    KeyedDecodingContainer(const Object& object, const CodingPath& path) : object_(&object), path_(path) {}
    KeyedDecodingContainer(const Object& object, SharedCodingPath path) : object_(&object), path_(std::move(path)) {}

    CodingPath codingPath() const { return path_.codingPath(); }
    std::vector<std::string> allKeys() const;
    bool contains(std::string_view key) const { return lookup(key) != nullptr; }

    // True when the key holds null; throws keyNotFound when it is missing.
    bool decodeNil(std::string_view key) const;

    template <class T>
    T decode(std::string_view key) const;
    // Nothing when the key is missing or null; a present value of the wrong type throws.
    template <class T>
    std::optional<T> decodeIfPresent(std::string_view key) const;

    KeyedDecodingContainer nestedContainer(std::string_view key) const;
    UnkeyedDecodingContainer nestedUnkeyedContainer(std::string_view key) const;
    // A decoder for the value under the key (a null value when the key is missing).
    Decoder superDecoder(std::string_view key) const;

private:
    const Value* lookup(std::string_view key) const;
    const Value& require(std::string_view key) const;
    Decoder decoderFor(const Value& value, std::string_view key) const {
        return Decoder(value, path_, CodingStep::named(key));
    }

    const Object* object_;
    SharedCodingPath path_;
};

}  // namespace platform::json
