#include "Platform/Graphics/SpareCoverageDrawings.h"

#include "Platform/Graphics/PendingCoverageDrawing.h"
#include "Platform/Graphics/ReuseStore.h"

namespace platform::graphics::SpareCoverageDrawings {

namespace {

// A frame's drawings wait for the next frame's: as many as a context queues
// before it lays them down, none holding more than a megabyte, eight
// megabytes in all. Never destroyed: a context may end, and give its
// drawings back, while the process ends and destroys its statics.
ReuseStore<PendingCoverageDrawing>& kept() {
    static auto* const store = new ReuseStore<PendingCoverageDrawing>(64, std::size_t{1} << 20, std::size_t{1} << 23);
    return *store;
}

}  // namespace

std::shared_ptr<PendingCoverageDrawing> take() {
    if (std::shared_ptr<PendingCoverageDrawing> drawing = kept().take()) return drawing;
    return std::make_shared<PendingCoverageDrawing>();
}

void give(std::shared_ptr<PendingCoverageDrawing> drawing) {
    // A worker's queue may still hold an entry of a drawing its drawer ran;
    // such a drawing stays with the queue until a worker drops it.
    const std::size_t bytes = drawing ? drawing->heldBytes() : 0;
    kept().give(std::move(drawing), bytes);
}

std::size_t keptCount() { return kept().keptCount(); }

void release() { kept().clear(); }

}  // namespace platform::graphics::SpareCoverageDrawings
