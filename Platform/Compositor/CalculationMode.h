#pragma once
// How a keyframe animation moves between its values: straight interpolation
// (linear), jumps that hold each value until the next key time (discrete), even
// speed over the whole animation whatever the key times (paced), or a smooth
// spline through the values (cubic).

#include <cstdint>

namespace platform::compositor {

enum class CalculationMode : std::uint8_t { linear, discrete, paced, cubic };

}  // namespace platform::compositor
