#pragma once
// The "path" animation of a shape layer whose paths one or more trims cut, cut
// where the main-thread engine cuts them. Both cut curves by arc length, but
// the compositor measures the whole path its own way, while the format's trim
// shares the length out by the lengths stored in the path (each curve measured
// with a few chords); a trim applied individually runs along several paths one
// after the other; and a second trim cuts what the first left. So the paths and
// the trims are evaluated at every frame from the first keyframe of any of them
// to the last, and at every key time between whole frames, and cut by the main-
// thread engine's own trimming; the compositor moves the cut paths from one
// sample to the next point by point. Where that blend would miss the cut
// between two samples (the cut moves onto another segment, so that the paths
// cannot be blended and the compositor would hold the first, or it strays from
// the blend) the span is halved and cut again, so that a picture between whole
// frames, as a stretched precomposition shows, follows the trim too. A run of
// equal paths keeps only its ends. Past a number of frames that would cost too
// much memory the caller trims on the compositor instead. Called by the shape
// item layers while they install animations; keeps nothing.

#include <memory>
#include <optional>
#include <vector>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/CoreAnimation/ShapePathAnimation.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct TrimmedPathAnimation {
    // Frames a layer samples at most: ten minutes at 30 frames per second.
    static constexpr std::size_t maximumSamples = 18'000;
    // How far (in the paths' units) a blend half way between two samples may
    // lie from the cut there, and how often a frame is halved at most: down
    // to 1/64 of a frame where the paths cannot be blended, to a quarter
    // where the blend only strays.
    static constexpr double blendTolerance = 0.05;
    static constexpr int maximumHalvings = 6;
    static constexpr int maximumHalvingsForShape = 2;

    // The frames the paths are cut at: every frame from the earliest time of
    // `timings` to the latest, the latest included, and every time of
    // `timings`, in order; none when there are more than maximumSamples or the
    // earliest or the latest time is not finite.
    static std::vector<double> sampleTimes(const std::vector<std::vector<KeyframesCombined::Timing>>& timings);

    // Every piece a trim leaves of the paths, in item order, with the path
    // the compositor draws them as: made once with the cut, so that every
    // copy of the item (a repeater's, a precomposition instance's) plays the
    // same path instead of building its own from the pieces. A value
    // interpolated between two cuts has none and is built when mapped.
    struct Pieces {
        std::vector<BezierPath> paths;
        std::shared_ptr<const platform::graphics::Path> drawn;

        bool operator==(const Pieces& other) const { return paths == other.paths; }
    };
    // The paths of `samplers` (in item order) cut by each of `trims` in turn at
    // every sample time; none when a sampler is missing, there is no trim or
    // there are no sample times. Depends on the document alone, so callers
    // keep it for every later installation. The paths sampled and the pieces
    // kept are charged to `account`.
    static std::optional<KeyframeGroup<Pieces>> cutPaths(
        const std::vector<std::optional<ShapePathAnimation::PathSampler>>& samplers,
        const std::vector<const Trim*>& trims, const SamplingAccount& account = {});
    // Adds the "path" animation of `layer` that plays `cut`. Throws what the builder throws.
    static void animateCutPaths(platform::compositor::Layer& layer, const KeyframeGroup<Pieces>& cut,
                                const LayerAnimationContext& context);
};

template <>
struct Interpolation<TrimmedPathAnimation::Pieces> {
    static TrimmedPathAnimation::Pieces interpolate(const TrimmedPathAnimation::Pieces& from,
                                                    const TrimmedPathAnimation::Pieces& to, double amount) {
        return {Interpolation<std::vector<BezierPath>>::interpolate(from.paths, to.paths, amount), nullptr};
    }
};

}  // namespace lottie
