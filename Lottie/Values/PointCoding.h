#pragma once
// The JSON forms of a platform point, as Bezier paths store their vertices and
// control points: the dictionary decoder's reader (a dictionary with "x" and
// "y", or an array of at least two numbers) and the keyed-container form
// (an array of two numbers), which the encoder also writes.

#include "Platform/Graphics/Point.h"
#include "Platform/Json/Decoding.h"
#include "Platform/Json/Encoding.h"

namespace lottie {

// Throws InitializableError.
platform::graphics::Point pointFromAny(const platform::json::Value& json);

// The next element of an unkeyed container as [x, y] (further numbers are ignored).
platform::graphics::Point decodePoint(platform::json::UnkeyedDecodingContainer& container);

void encodePoint(platform::json::UnkeyedEncodingContainer& container, platform::graphics::Point point);

}  // namespace lottie
