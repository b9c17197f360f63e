#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathPool.h"

#include <algorithm>

#include "Platform/Graphics/HashCombine.h"

namespace lottie {

using platform::graphics::Path;
using platform::graphics::PathElement;

PathPool& PathPool::shared() {
    // Never destroyed: outputs may let go of their paths during exit.
    static PathPool* pool = new PathPool();
    return *pool;
}

std::size_t PathPool::hashOf(const Path& path) {
    std::size_t hash = path.elements().size();
    for (const PathElement& element : path.elements()) {
        platform::graphics::hashCombine(hash, static_cast<std::size_t>(element.type));
        for (int index = 0; index < element.pointCount(); ++index) {
            platform::graphics::hashCombine(hash, platform::graphics::hashDouble(element.points[index].x));
            platform::graphics::hashCombine(hash, platform::graphics::hashDouble(element.points[index].y));
        }
    }
    return hash;
}

std::shared_ptr<const Path> PathPool::share(Path path) {
    // An empty path costs nothing to keep apart.
    if (path.isEmpty()) return std::make_shared<const Path>(std::move(path));
    const std::size_t hash = hashOf(path);
    PathPool& pool = shared();
    const std::lock_guard lock(pool.mutex_);
    auto [first, last] = pool.paths_.equal_range(hash);
    for (auto entry = first; entry != last; ++entry) {
        if (auto held = entry->second.lock(); held && *held == path) return held;
    }
    auto made = std::make_shared<const Path>(std::move(path));
    pool.paths_.emplace(hash, made);
    if (pool.paths_.size() >= pool.pruneAt_) pool.prune();
    return made;
}

std::size_t PathPool::heldCount() {
    PathPool& pool = shared();
    const std::lock_guard lock(pool.mutex_);
    pool.prune();
    return pool.paths_.size();
}

void PathPool::prune() {
    std::erase_if(paths_, [](const auto& entry) { return entry.second.expired(); });
    pruneAt_ = std::max(minimumPruneSize, 2 * paths_.size());
}

}  // namespace lottie
