#pragma once
// What one build of the Core Animation engine's layer tree has spent of the
// limits both engines keep (LayerBuildWeight): the weight of everything built
// so far (engine layers, the transform layers of parent chains, matte
// containers and repeater copies), and how deep the tree nests. Past a limit,
// what would be built is left out and the limit is reported once as a
// compatibility issue: the automatic engine choice falls back to the
// main-thread engine, which keeps the same limits, and an explicit choice of
// this engine shows what fits. Made with each layer context of the root layer
// and shared by its copies; main thread only.

#include <cstddef>
#include <string>

#include "Lottie/CoreAnimation/CompatibilityTrackerProviding.h"

namespace lottie {

class LayerBuildBudget {
public:
    // The compositor draws layers at most this deep; a layer that would sit
    // deeper (under hundreds of parents or levels of precompositions) would
    // never show, so it is not built, which also keeps every walk of the tree
    // within the stack.
    static constexpr std::size_t maximumLayerDepth = 560;

    // Takes `weight` for what is about to be built: false, and reported once
    // through `reporter`, when that would pass LayerBuildWeight::maximumWeight
    // (LayerBuildWeight::take: what is refused is left out on its own).
    bool take(std::size_t weight, const CompatibilityTrackerProviding& reporter);
    // Whether the layers of a precomposition `depth` levels deep are built
    // (reported once when they are not).
    bool allowsPrecompositionDepth(std::size_t depth, const CompatibilityTrackerProviding& reporter);
    // Whether a layer `depth` levels below the root layer is built (reported
    // once when it is not).
    bool allowsLayerDepth(std::size_t depth, const CompatibilityTrackerProviding& reporter);


private:
    void reportOnce(bool& reported, std::string message, const CompatibilityTrackerProviding& reporter);

    std::size_t weight_ = 0;
    bool weightReported_ = false;
    bool precompositionDepthReported_ = false;
    bool layerDepthReported_ = false;
};

}  // namespace lottie
