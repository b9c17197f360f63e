#include "Platform/Graphics/ClipCoverageBuffers.h"

#include "Platform/Graphics/ReuseStore.h"

namespace platform::graphics::ClipCoverageBuffers {

namespace {

// A buffer larger than a plane of 2048 x 2048 pixels is not kept, nor more
// than 16 megabytes in all, nor more than eight buffers. Never destroyed: a
// context may end, and give its buffers back, while the process ends and
// destroys its statics.
ReuseStore<std::vector<std::uint8_t>>& kept() {
    static auto* const store = new ReuseStore<std::vector<std::uint8_t>>(8, std::size_t{1} << 22, std::size_t{1} << 24);
    return *store;
}

}  // namespace

Buffer take() {
    if (Buffer buffer = kept().take()) return buffer;
    return std::make_shared<std::vector<std::uint8_t>>();
}

void give(Buffer buffer) {
    // A buffer that holds nothing spares nothing.
    const std::size_t bytes = buffer ? buffer->capacity() : 0;
    if (bytes == 0) return;
    kept().give(std::move(buffer), bytes);
}

std::size_t keptCount() { return kept().keptCount(); }

void release() { kept().clear(); }

}  // namespace platform::graphics::ClipCoverageBuffers
