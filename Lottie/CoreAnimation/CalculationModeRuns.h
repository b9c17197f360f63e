#pragma once
// Keyframes cut into calculation-mode runs, and the run animations that play
// them side by side in one group. A compositor keyframe animation has one
// calculation mode, while a property may switch between holding and
// interpolated keyframes at any keyframe; so the keyframes are cut wherever the
// hold flag changes, neighbouring runs sharing their boundary keyframe:
//
//   hold flags:  -  -  H  H  -        (A B C D E)
//   runs:        (A B C) (C D E) (E)
//
// Each run animation is placed on the animation's timeline in seconds (begin
// time and duration, from the run's first to its last keyframe; the first run
// reaches back to the animation's start frame, the last forward to its end
// frame), with key times relative to the run. Together they cover the whole
// animation, and a later run wins where two meet.
//
// A run whose first and last keyframe share one time (keyframes at one time, or
// a final run of one keyframe at or after the end frame) has no length to divide
// by: it holds its last keyframe's value for a moment too short to see, and so
// shows that value only at its one instant, as the main-thread engine does.
// Used by the keyframe animation builder; keeps nothing.

#include <algorithm>
#include <memory>
#include <vector>

#include "Lottie/CoreAnimation/KeyframeRunAnimation.h"

namespace lottie {

struct CalculationModeRuns {
    // The duration given to a run of no length: far below a frame, yet a real
    // duration (the compositor reads a duration of 0 as its default).
    static constexpr double instantRunDuration = 1e-9;

    template <class T>
    static std::vector<std::vector<Keyframe<T>>> split(const std::vector<Keyframe<T>>& keyframes) {
        std::vector<std::vector<Keyframe<T>>> runs;
        std::vector<Keyframe<T>> current;
        for (const Keyframe<T>& keyframe : keyframes) {
            if (!current.empty() && keyframe.isHold() != current.back().isHold()) {
                current.push_back(keyframe);
                runs.push_back(std::move(current));
                current = {keyframe};
            } else {
                current.push_back(keyframe);
            }
        }
        runs.push_back(std::move(current));
        return runs;
    }

    // The animation of run `index` of `runs`; throws what time() or the mapping throw.
    template <class T>
    static std::shared_ptr<platform::compositor::KeyframeAnimation> timedRunAnimation(
        std::size_t index, const std::vector<std::vector<Keyframe<T>>>& runs, const std::string& keyPath,
        const LayerAnimationContext& context, const KeyframeValueMapping<T>& mapping) {
        const std::vector<Keyframe<T>>& run = runs[index];
        double start = context.time(run.front().time());
        double end = context.time(run.back().time());
        if (index == 0) start = std::min(start, context.time(context.animation->startFrame));
        if (index + 1 == runs.size()) end = std::max(end, context.time(context.animation->endFrame));
        const double duration = end - start;

        std::shared_ptr<platform::compositor::KeyframeAnimation> animation;
        if (duration > 0) {
            std::vector<double> keyTimes;
            keyTimes.reserve(run.size());
            for (const Keyframe<T>& keyframe : run) keyTimes.push_back((context.time(keyframe.time()) - start) / duration);
            animation = KeyframeRunAnimation::make(keyPath, run, std::move(keyTimes), context, mapping);
            animation->setDuration(duration);
        } else {
            animation = KeyframeRunAnimation::make(keyPath, std::vector<Keyframe<T>>{run.back()},
                                                   std::vector<double>{0.0}, context, mapping);
            animation->setDuration(instantRunDuration);
        }
        animation->setBeginTime(start);
        return animation;
    }
};

}  // namespace lottie
