#pragma once
// What one build of the Core Animation engine's layer tree has spent of the
// limits both engines keep (LayerBuildWeight): the weight of everything built
// so far (engine layers, the transform layers of parent chains, matte
// containers and repeater copies), and how deep the tree nests. Past a limit,
// what would be built is left out and the limit is reported once as a
// compatibility issue: the automatic engine choice falls back to the
// main-thread engine, which keeps the same limits, and an explicit choice of
// this engine shows what fits. The set-up's deadline in processor time, when
// given, is checked with every weight taken: past it every further layer is
// left out, reported the same way. Made with each layer context of the root
// layer and shared by its copies; main thread only.

#include <cstddef>
#include <memory>
#include <string>

#include "Lottie/CoreAnimation/CompatibilityTrackerProviding.h"
#include "Lottie/Playback/Engine/LayerBuildWeight.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace lottie {

class LayerBuildBudget {
public:
    // The compositor draws layers at most this deep; a layer that would sit
    // deeper (under hundreds of parents or levels of precompositions) would
    // never show, so it is not built, which also keeps every walk of the tree
    // within the stack.
    static constexpr std::size_t maximumLayerDepth = 560;

    // The deadline of the set-up this budget builds for.
    void setDeadline(std::shared_ptr<platform::graphics::ProcessorDeadline> deadline) {
        deadline_ = std::move(deadline);
    }

    // Takes `weight` for what is about to be built: false, and reported once
    // through `reporter`, when that would pass LayerBuildWeight::maximumWeight
    // (LayerBuildWeight::take: what is refused is left out on its own), or
    // when the set-up has passed its deadline.
    bool take(std::size_t weight, const CompatibilityTrackerProviding& reporter);
    // LayerBuildWeight::of `model`, its font sizes weighed once a build.
    std::size_t weightOf(const LayerModel& model) { return LayerBuildWeight::of(model, fontSizes_); }
    // Whether the layers of a precomposition `depth` levels deep are built
    // (reported once when they are not).
    bool allowsPrecompositionDepth(std::size_t depth, const CompatibilityTrackerProviding& reporter);
    // Whether a layer `depth` levels below the root layer is built (reported
    // once when it is not).
    bool allowsLayerDepth(std::size_t depth, const CompatibilityTrackerProviding& reporter);

private:
    void reportOnce(bool& reported, std::string message, const CompatibilityTrackerProviding& reporter);

    std::size_t weight_ = 0;
    LayerBuildWeight::FontSizes fontSizes_;
    std::shared_ptr<platform::graphics::ProcessorDeadline> deadline_;
    bool deadlineReported_ = false;
    bool weightReported_ = false;
    bool precompositionDepthReported_ = false;
    bool layerDepthReported_ = false;
};

}  // namespace lottie
