#pragma once
// Writes a JSON value tree as compact text: keys in the order they stand,
// numbers in the shortest form that reads back to the same double (-0 keeps
// its sign), texts escaped as JSON requires. Throws EncodingError for a
// non-finite number, which JSON cannot hold.

#include <string>

#include "Platform/Json/JsonValue.h"

namespace platform::json {

std::string serialize(const Value& value);

}  // namespace platform::json
