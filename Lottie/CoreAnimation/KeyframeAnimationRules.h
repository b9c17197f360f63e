#pragma once
// The two rules every keyframe animation of the Core Animation engine is built
// by. bezierTimingFunctions turns the easing tangents of each pair of
// neighbouring keyframes into one compositor timing function (the out tangent of
// the first, else (0, 0); the in tangent of the second, else (1, 1); each number
// in single precision). conformToKeyframeAnimationRules makes a keyframe
// animation's key times reach from 0 to 1, holding the first and last values out
// with linear timing, and checks the counts its calculation mode needs (discrete
// mode keeps one value fewer than key times). Count checks only reach the
// logger. Used by the run animations; keep nothing.

#include <vector>

#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Values/Keyframe.h"
#include "Platform/Compositor/AnimatableValue.h"
#include "Platform/Compositor/CalculationMode.h"
#include "Platform/Compositor/TimingFunction.h"

namespace lottie {

struct KeyframeAnimationRules {
    template <class T>
    static std::vector<platform::compositor::TimingFunction> bezierTimingFunctions(
        const std::vector<Keyframe<T>>& keyframes) {
        std::vector<platform::compositor::TimingFunction> functions;
        for (std::size_t i = 0; i + 1 < keyframes.size(); ++i) {
            const LottieVector2D out = keyframes[i].outTangent().value_or(LottieVector2D(0, 0));
            const LottieVector2D in = keyframes[i + 1].inTangent().value_or(LottieVector2D(1, 1));
            functions.emplace_back(static_cast<float>(out.x), static_cast<float>(out.y), static_cast<float>(in.x),
                                   static_cast<float>(in.y));
        }
        return functions;
    }

    // Changes the three lists in place. Every caller gives one value per key time
    // and at least one of each.
    static void conformToKeyframeAnimationRules(std::vector<platform::compositor::AnimatableValue>& values,
                                                std::vector<double>& keyTimes,
                                                std::vector<platform::compositor::TimingFunction>& timingFunctions,
                                                platform::compositor::CalculationMode mode,
                                                const LottieLogger& logger);
};

}  // namespace lottie
