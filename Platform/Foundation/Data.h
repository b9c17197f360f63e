#pragma once
// The byte buffer every loader and decoder passes around: file contents, data
// assets, decoded data URLs and network bodies. A plain vector so callers can use
// the standard algorithms on it and move it without copies.

#include <cstdint>
#include <vector>

namespace platform::foundation {

using Data = std::vector<std::uint8_t>;

}  // namespace platform::foundation
