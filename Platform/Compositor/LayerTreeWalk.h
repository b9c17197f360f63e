#pragma once
// Visits the layers below a layer, depth first and each before its own
// sublayers, with a list of the layers being visited instead of one call per
// level: a layer tree can nest thousands deep. Masks are not visited. Used by
// the engines' walks over the whole tree; main thread only, like the layers.

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "Platform/Compositor/Layer.h"

namespace platform::compositor {

// Calls `visit(sublayer)` for every layer below `root`; where it returns false,
// the layers below that one are skipped. The tree must not change meanwhile.
template <class Visit>
void forEachLayerBelow(const Layer& root, Visit&& visit) {
    std::vector<std::pair<const Layer*, std::size_t>> path{{&root, 0}};
    while (!path.empty()) {
        auto& [layer, next] = path.back();
        if (next == layer->sublayers().size()) {
            path.pop_back();
            continue;
        }
        const std::shared_ptr<Layer>& sublayer = layer->sublayers()[next++];
        if (visit(sublayer)) path.emplace_back(sublayer.get(), 0);
    }
}

}  // namespace platform::compositor
