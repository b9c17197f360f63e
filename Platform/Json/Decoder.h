#pragma once
// The keyed-container decoder: a view of one JSON value at a coding path,
// from which a decodable type asks for a keyed, unkeyed or single-value
// container. Decoders borrow the value tree; the tree must outlive them.
// Include "Platform/Json/Decoding.h" to use the templates.

#include <optional>

#include "Platform/Json/CodingPath.h"
#include "Platform/Json/DecodingError.h"
#include "Platform/Json/SharedCodingPath.h"
#include "Platform/Json/JsonValue.h"

namespace platform::json {

class KeyedDecodingContainer;
class UnkeyedDecodingContainer;
class SingleValueDecodingContainer;

class Decoder {
public:
    explicit Decoder(const Value& value, const CodingPath& path = {}) : value_(&value), parent_(path) {}

    CodingPath codingPath() const;
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
    friend class KeyedDecodingContainer;
    friend class UnkeyedDecodingContainer;

    // A decoder one step below `parent`; the step becomes a link of its own
    // only if a container is made from this decoder, so decoding a number
    // or a string allocates nothing for its path.
    Decoder(const Value& value, SharedCodingPath parent, CodingStep step)
        : value_(&value), parent_(std::move(parent)), step_(std::move(step)) {}

    SharedCodingPath sharedPath() const { return step_ ? parent_.appending(*step_) : parent_; }

    const Value* value_;
    SharedCodingPath parent_;
    std::optional<CodingStep> step_;
};

}  // namespace platform::json
