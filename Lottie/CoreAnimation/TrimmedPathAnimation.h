#pragma once
// The "path" animation of a shape layer whose paths a trim cuts, cut where the
// main-thread engine cuts them. The compositor trims a path by exact arc
// length, while the format's trim measures each curve with a few samples and
// places its cuts by the curve's parameter, which lands visibly elsewhere on
// curves whose handles are uneven; and a trim applied individually runs along
// several paths one after the other. So the paths and the trim are evaluated
// at every tenth of a frame from the first keyframe of any of them to the
// last, cut by the main-thread engine's own trimming, and played as holding
// keyframes. Past a number of samples that would cost too much memory the
// caller trims on the compositor instead. Called by the shape item layers
// while they install animations; keeps nothing.

#include <vector>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/CoreAnimation/ShapePathAnimation.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct TrimmedPathAnimation {
    // Paths a layer holds at most: a minute at 30 frames per second.
    static constexpr std::size_t maximumSamples = 18'000;

    // Adds the "path" animation of `layer`: the paths of `samplers` (in item
    // order) cut by `trim`. False, and nothing added, when a sampler is
    // missing or more samples than maximumSamples would be needed. Throws
    // what the builder throws.
    static bool animateTrimmedPath(platform::compositor::Layer& layer,
                                   const std::vector<std::optional<ShapePathAnimation::PathSampler>>& samplers,
                                   const Trim& trim, const LayerAnimationContext& context);
};

}  // namespace lottie
