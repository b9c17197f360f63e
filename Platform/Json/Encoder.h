#pragma once
// The encoder: writes a value into a slot of a JSON value tree being built.
// Keyed containers keep keys in the order they are given; a key written
// twice keeps its first place and takes the last value. A slot is found again
// on each use, so containers stay valid while their parents keep growing.
// Include "Platform/Json/Encoding.h" to use the templates.

#include <functional>
#include <string_view>

#include "Platform/Json/CodingPath.h"
#include "Platform/Json/EncodingError.h"
#include "Platform/Json/JsonValue.h"

namespace platform::json {

class KeyedEncodingContainer;
class UnkeyedEncodingContainer;

using ValueSlot = std::function<Value&()>;

class Encoder {
public:
    Encoder(ValueSlot slot, CodingPath path) : slot_(std::move(slot)), path_(std::move(path)) {}

    const CodingPath& codingPath() const { return path_; }

    // Makes the slot a dictionary (keeping members already written) and opens it.
    KeyedEncodingContainer container() const;
    // Makes the slot an array (keeping elements already written) and opens it.
    UnkeyedEncodingContainer unkeyedContainer() const;
    // Writes the slot as one value.
    template <class T>
    void encode(const T& value) const;
    void encodeNil() const { slot_() = Value(); }

    Value& slot() const { return slot_(); }

private:
    ValueSlot slot_;
    CodingPath path_;
};

class KeyedEncodingContainer {
public:
    KeyedEncodingContainer(ValueSlot slot, CodingPath path) : slot_(std::move(slot)), path_(std::move(path)) {}

    const CodingPath& codingPath() const { return path_; }

    template <class T>
    void encode(std::string_view key, const T& value);
    // Writes nothing for an absent optional or a null pointer.
    template <class T>
    void encodeIfPresent(std::string_view key, const T& value);
    void encodeNil(std::string_view key) { encoderFor(key).encodeNil(); }

    KeyedEncodingContainer nestedContainer(std::string_view key) { return encoderFor(key).container(); }
    UnkeyedEncodingContainer nestedUnkeyedContainer(std::string_view key);
    Encoder superEncoder(std::string_view key) { return encoderFor(key); }

private:
    Encoder encoderFor(std::string_view key);

    ValueSlot slot_;
    CodingPath path_;
};

class UnkeyedEncodingContainer {
public:
    UnkeyedEncodingContainer(ValueSlot slot, CodingPath path) : slot_(std::move(slot)), path_(std::move(path)) {}

    const CodingPath& codingPath() const { return path_; }
    int count() const;

    template <class T>
    void encode(const T& value) {
        nextEncoder().encode(value);
    }
    void encodeNil() { nextEncoder().encodeNil(); }
    KeyedEncodingContainer nestedContainer() { return nextEncoder().container(); }
    UnkeyedEncodingContainer nestedUnkeyedContainer() { return nextEncoder().unkeyedContainer(); }
    Encoder superEncoder() { return nextEncoder(); }

private:
    Encoder nextEncoder();

    ValueSlot slot_;
    CodingPath path_;
};

}  // namespace platform::json
