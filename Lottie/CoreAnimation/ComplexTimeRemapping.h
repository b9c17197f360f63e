#pragma once
// Keyframes resampled onto the root timeline for a layer under a precomposition
// whose time is remapped by keyframes. The builder's key times come from the
// simple remapping only, so such a property is sampled once per root frame,
// from the animation's start frame up to its end frame, the end frame included
// (it is the frame a finished animation keeps showing, and the frames before it
// blend towards it): each new keyframe sits at the root frame and holds the
// property's value at the local time the remapping gives, linear, without
// tangents. Values are computed once per local time. What the new keyframes
// take (a copy of the value in each, another in the cache of local times) is
// charged to the context's sampling budget before any is made, so that neither
// a long animation nor large values (paths, gradient stops) can grow without
// bound. Used by the keyframe animation builder and the gradient animations;
// keeps nothing.

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/Values/KeyframeGroup.h"
#include "Lottie/Values/KeyframeInterpolator.h"

namespace lottie {

struct ComplexTimeRemapping {
    template <Interpolatable T>
    static KeyframeGroup<T> resample(const KeyframeGroup<T>& group, const LayerAnimationContext& context) {
        const double start = context.animation->startFrame;
        const double end = context.animation->endFrame;
        KeyframeInterpolator<T> interpolator(group.keyframes());
        std::map<double, T> cache;
        std::vector<Keyframe<T>> keyframes;
        // Frames computed as start + i, never by repeated addition. A range that
        // is not a finite number of frames has nothing to sample.
        if (std::isfinite(start) && std::isfinite(end) && start <= end) {
            // The whole frames before the end, and the end itself.
            const double frames = std::ceil(end - start) + 1;
            context.samplingAccount().charge(
                frames, static_cast<double>(sizeof(Keyframe<T>)) + 2 * SamplingBudget::largestExtraBytes(group) +
                            static_cast<double>(sizeof(T)));
            for (double i = 0;; i += 1) {
                // The last sample is the end frame, a whole number of frames
                // after the start or not.
                const double frame = std::min(start + i, end);
                if (!keyframes.empty() && keyframes.back().time() >= frame) break;
                const double local = context.complexTimeRemapping(frame);
                if (std::isnan(local)) {
                    // Not a key a sorted cache can hold.
                    keyframes.emplace_back(interpolator.value(local), frame, false, std::nullopt, std::nullopt,
                                           std::nullopt, std::nullopt);
                    continue;
                }
                auto found = cache.find(local);
                if (found == cache.end()) found = cache.emplace(local, interpolator.value(local)).first;
                keyframes.emplace_back(found->second, frame, false, std::nullopt, std::nullopt, std::nullopt,
                                       std::nullopt);
            }
        }
        return KeyframeGroup<T>(std::move(keyframes));
    }
};

}  // namespace lottie
