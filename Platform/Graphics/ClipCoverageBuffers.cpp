#include "Platform/Graphics/ClipCoverageBuffers.h"

#include <mutex>

namespace platform::graphics::ClipCoverageBuffers {

namespace {

// A buffer larger than a plane of 2048 x 2048 pixels is not kept, nor more
// than 16 megabytes in all.
constexpr std::size_t largestKeptBytes = std::size_t{1} << 22;
constexpr std::size_t mostKeptBytes = std::size_t{1} << 24;
constexpr std::size_t mostKeptBuffers = 8;

struct Kept {
    std::mutex mutex;
    std::vector<Buffer> buffers;
    std::size_t bytes = 0;
};

// Never destroyed: a context may end, and give its buffers back, while the
// process ends and destroys its statics.
Kept& kept() {
    static auto* const pool = new Kept();
    return *pool;
}

}  // namespace

Buffer take() {
    Kept& pool = kept();
    {
        std::lock_guard lock(pool.mutex);
        if (!pool.buffers.empty()) {
            Buffer buffer = std::move(pool.buffers.back());
            pool.buffers.pop_back();
            pool.bytes -= buffer->capacity();
            return buffer;
        }
    }
    return std::make_shared<std::vector<std::uint8_t>>();
}

void give(Buffer buffer) {
    if (!buffer || buffer.use_count() != 1) return;
    const std::size_t bytes = buffer->capacity();
    if (bytes == 0 || bytes > largestKeptBytes) return;
    Kept& pool = kept();
    std::lock_guard lock(pool.mutex);
    if (pool.buffers.size() >= mostKeptBuffers || pool.bytes + bytes > mostKeptBytes) return;
    pool.bytes += bytes;
    pool.buffers.push_back(std::move(buffer));
}

std::size_t keptCount() {
    Kept& pool = kept();
    std::lock_guard lock(pool.mutex);
    return pool.buffers.size();
}

}  // namespace platform::graphics::ClipCoverageBuffers
