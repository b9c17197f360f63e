#pragma once
// What an animation does outside its active duration: nothing (removed), hold its
// last presented value afterwards (forwards), hold its first presented value before
// it begins (backwards), or both. "First" and "last" follow playback order, so for a
// negative speed the first presented value is the one at the end of the curve.

#include <cstdint>

namespace platform::compositor {

enum class FillMode : std::uint8_t { removed, forwards, backwards, both };

}  // namespace platform::compositor
