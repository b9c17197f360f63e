#pragma once
// Whether a composition or a layer is laid out in two or three dimensions.

#include <cstdint>

namespace lottie {

enum class CoordinateSpace : std::int8_t { type2d = 0, type3d = 1 };

}  // namespace lottie
