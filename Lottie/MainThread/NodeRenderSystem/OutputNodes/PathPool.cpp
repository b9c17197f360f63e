#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathPool.h"

#include "Platform/Foundation/SharingPool.h"
#include "Platform/Graphics/HashCombine.h"

namespace lottie {

using platform::graphics::Path;
using platform::graphics::PathElement;

namespace {

platform::foundation::SharingPool<Path>& pool() {
    // Never destroyed: outputs may let go of their paths during exit.
    static auto* shared = new platform::foundation::SharingPool<Path>();
    return *shared;
}

}  // namespace

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
    return pool().share(std::move(path), hash);
}

std::size_t PathPool::heldCount() { return pool().heldCount(); }

}  // namespace lottie
