#pragma once
// A stretch of an attributed text whose characters share their attributes, as
// half-open byte offsets into the UTF-8 text. Owned by the attributed text.

#include <cstddef>

#include "Platform/Text/TextAttributes.h"

namespace platform::text {

struct AttributeRun {
    std::size_t byteStart = 0;
    std::size_t byteEnd = 0;
    TextAttributes attributes;

    bool operator==(const AttributeRun&) const = default;
};

}  // namespace platform::text
