#pragma once
// One value seen through the keyed-container decoder.
// Include "Platform/Json/Decoding.h" to use the templates.

#include "Platform/Json/Decoder.h"

namespace platform::json {

class SingleValueDecodingContainer {
public:
    explicit SingleValueDecodingContainer(Decoder decoder) : decoder_(std::move(decoder)) {}

    CodingPath codingPath() const { return decoder_.codingPath(); }
    bool decodeNil() const { return decoder_.value().isNull(); }
    template <class T>
    T decode() const {
        return decoder_.decode<T>();
    }

private:
    Decoder decoder_;
};

}  // namespace platform::json
