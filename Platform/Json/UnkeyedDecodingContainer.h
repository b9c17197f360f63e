#pragma once
// An array seen through the keyed-container decoder, read front to back.
// It is a value: a copy advances on its own, which is how a family array is
// peeked at with one copy and decoded with another.
// Include "Platform/Json/Decoding.h" to use the templates.

#include <optional>

#include "Platform/Json/Decoder.h"

namespace platform::json {

class UnkeyedDecodingContainer {
public:
    UnkeyedDecodingContainer(const Array& array, const CodingPath& path) : array_(&array), path_(path) {}
    UnkeyedDecodingContainer(const Array& array, SharedCodingPath path) : array_(&array), path_(std::move(path)) {}

    CodingPath codingPath() const { return path_.codingPath(); }
    int count() const { return static_cast<int>(array_->size()); }
    int currentIndex() const { return index_; }
    bool isAtEnd() const { return static_cast<std::size_t>(index_) >= array_->size(); }

    // True (and advances) when the next element is null.
    bool decodeNil();

    // The next element as T; advances only on success.
    template <class T>
    T decode();
    // Nothing at the end or for a null element (which is consumed).
    template <class T>
    std::optional<T> decodeIfPresent();

    KeyedDecodingContainer nestedContainer();
    UnkeyedDecodingContainer nestedUnkeyedContainer();
    // A decoder for the next element; advances.
    Decoder superDecoder();

private:
    const Value& current(const char* expected) const;
    CodingPath currentPath() const { return appending(path_.codingPath(), CodingKey::index(index_)); }
    Decoder currentDecoder(const Value& value) const { return Decoder(value, path_, CodingStep::at(index_)); }

    const Array* array_;
    SharedCodingPath path_;
    int index_ = 0;
};

}  // namespace platform::json
