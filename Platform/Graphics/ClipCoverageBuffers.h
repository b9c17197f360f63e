#pragma once
// Buffers for the coverage of clips (see ClipCoverageView), let go by the
// contexts that ended and kept for the next ones. A renderer that draws each
// frame into a context of its own would otherwise have the system map,
// fault in and clear a clip's buffer afresh every frame: under a view's
// clip to a box that does not fall on whole pixels, every frame's drawings
// need one. Process-wide and thread-safe; at most a few buffers of modest
// size wait here.

#include <cstdint>
#include <memory>
#include <vector>

namespace platform::graphics::ClipCoverageBuffers {

using Buffer = std::shared_ptr<std::vector<std::uint8_t>>;

// A buffer kept for reuse (holding anything), or a new empty one.
Buffer take();

// Keeps the buffer for reuse, unless something else still holds it or it
// would take the kept buffers past their bounds.
void give(Buffer buffer);

// The buffers kept now.
std::size_t keptCount();

// Lets go of the buffers kept.
void release();

}  // namespace platform::graphics::ClipCoverageBuffers
