#pragma once
// The keyed-container decoder: a view of one JSON value at a coding path,
// from which a decodable type asks for a keyed, unkeyed or single-value
// container. Decoders borrow the value tree; the tree must outlive them.
// Include "Platform/Json/Decoding.h" to use the templates.

#include "Platform/Json/CodingPath.h"
#include "Platform/Json/DecodingError.h"
#include "Platform/Json/JsonValue.h"

namespace platform::json {

class KeyedDecodingContainer;
class UnkeyedDecodingContainer;
class SingleValueDecodingContainer;

class Decoder {
public:
    explicit Decoder(const Value& value, CodingPath path = {}) : value_(&value), path_(std::move(path)) {}

    const CodingPath& codingPath() const { return path_; }
    const Value& value() const { return *value_; }

    // Throws typeMismatch (valueNotFound for null) when the value is not a dictionary.
    KeyedDecodingContainer container() const;
    // Throws typeMismatch (valueNotFound for null) when the value is not an array.
    UnkeyedDecodingContainer unkeyedContainer() const;
    SingleValueDecodingContainer singleValueContainer() const;

    // The value decoded as T (see Decoding.h for which types are decodable).
    template <class T>
    T decode() const;

private:
    const Value* value_;
    CodingPath path_;
};

}  // namespace platform::json
