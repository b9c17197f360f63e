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
    UnkeyedDecodingContainer(const Array& array, CodingPath path) : array_(&array), path_(std::move(path)) {}

    const CodingPath& codingPath() const { return path_; }
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
    CodingPath currentPath() const { return appending(path_, CodingKey::index(index_)); }

    const Array* array_;
    CodingPath path_;
    int index_ = 0;
};

}  // namespace platform::json
