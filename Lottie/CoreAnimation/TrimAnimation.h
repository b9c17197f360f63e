#pragma once
// A trim on the Core Animation engine: its start, end and offset become the
// stroke-start and stroke-end fractions of the shape layer that strokes the
// path. Start and end are ordered so that start never follows end, the offset
// is folded into both, and when that carries the range below 0 or past the
// path's end the path is drawn several times end to end (the path multiplier,
// which the path animation of the same shape repeats the path by).
//
// Sound in every input: start and end are ordered at every frame, not only at
// their keyframes; the multiplier is at least 1, so the fractions are never
// 0 / 0; a trim with a value that is not finite draws the whole path, as the
// main-thread engine does; and an offset of millions of turns has its whole
// turns before the start dropped and the multiplier capped, so that it cannot
// ask for millions of copies of a path.
// Called by the layer tree while it installs animations; keeps nothing.

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

struct TrimAnimation {
    // Enough for a spinner whose offset turns a hundred times over the animation.
    static constexpr int maximumPathMultiplier = 100;

    struct StrokeKeyframes {
        // In percent of one path length; beyond 0 ... 100 before the multiplier applies.
        KeyframeGroup<LottieVector1D> start;
        KeyframeGroup<LottieVector1D> end;
        int pathMultiplier = 1;
    };
    // What the start, end and offset are combined into is charged to `account`.
    static StrokeKeyframes strokeKeyframes(const Trim& trim, const SamplingAccount& account = {});
    // The same without the cap: the offset folded in and the multiplier at
    // least 1, at most one more than the cap.
    static StrokeKeyframes offsetStrokeKeyframes(const Trim& trim, const SamplingAccount& account = {});

    // The test holds at every keyframe time of either group (false with a NaN).
    static bool isStartAtMostEnd(const Trim& trim);
    static bool isEndAtMostStart(const Trim& trim);

    // Adds "strokeStart" and "strokeEnd" and returns the path multiplier.
    // Throws what the builder throws; an animation already added stays.
    static int animateTrim(platform::compositor::Layer& layer, const Trim& trim, const LayerAnimationContext& context);
};

}  // namespace lottie
