#pragma once
// The spatial rule of points and of the x and y of vectors: between two
// keyframe values the motion follows the cubic through the keyframes' spatial
// tangents, at even speed by arc length. Shared by every spatial value type.

#include <optional>

#include "Platform/Graphics/Point.h"

namespace lottie {

// `outTangent` leaves `from`, `inTangent` arrives at `to`; both are offsets
// from their point. Without either tangent, or on a flat path, a straight lerp.
platform::graphics::Point interpolateAlongMotionPath(platform::graphics::Point from, platform::graphics::Point to,
                                                     double amount,
                                                     const std::optional<platform::graphics::Point>& outTangent,
                                                     const std::optional<platform::graphics::Point>& inTangent);

}  // namespace lottie
