#include "Platform/Graphics/SpareCoverageDrawings.h"

#include <mutex>
#include <vector>

#include "Platform/Graphics/PendingCoverageDrawing.h"

namespace platform::graphics::SpareCoverageDrawings {

namespace {

// A frame's drawings wait for the next frame's: as many as a context
// queues before it lays them down, none holding more than a megabyte, eight
// megabytes in all.
constexpr std::size_t mostKeptDrawings = 64;
constexpr std::size_t largestKeptBytes = std::size_t{1} << 20;
constexpr std::size_t mostKeptBytes = std::size_t{1} << 23;

struct Kept {
    std::mutex mutex;
    std::vector<std::shared_ptr<PendingCoverageDrawing>> drawings;
    std::size_t bytes = 0;
};

// Never destroyed: a context may end, and give its drawings back, while the
// process ends and destroys its statics.
Kept& kept() {
    static auto* const pool = new Kept();
    return *pool;
}

}  // namespace

std::shared_ptr<PendingCoverageDrawing> take() {
    Kept& pool = kept();
    {
        std::lock_guard lock(pool.mutex);
        if (!pool.drawings.empty()) {
            std::shared_ptr<PendingCoverageDrawing> drawing = std::move(pool.drawings.back());
            pool.drawings.pop_back();
            pool.bytes -= drawing->heldBytes();
            return drawing;
        }
    }
    return std::make_shared<PendingCoverageDrawing>();
}

void give(std::shared_ptr<PendingCoverageDrawing> drawing) {
    // A worker's queue may still hold an entry of a drawing its drawer ran;
    // such a drawing stays with the queue until a worker drops it.
    if (!drawing || drawing.use_count() != 1) return;
    const std::size_t bytes = drawing->heldBytes();
    if (bytes > largestKeptBytes) return;
    Kept& pool = kept();
    std::lock_guard lock(pool.mutex);
    if (pool.drawings.size() >= mostKeptDrawings || pool.bytes + bytes > mostKeptBytes) return;
    pool.bytes += bytes;
    pool.drawings.push_back(std::move(drawing));
}

std::size_t keptCount() {
    Kept& pool = kept();
    std::lock_guard lock(pool.mutex);
    return pool.drawings.size();
}

}  // namespace platform::graphics::SpareCoverageDrawings
