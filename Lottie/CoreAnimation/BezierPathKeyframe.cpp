#include "Lottie/CoreAnimation/BezierPathKeyframe.h"

#include <algorithm>

#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/CoreAnimation/PathRepetition.h"

namespace lottie {

KeyframeGroup<BezierPathKeyframe> BezierPathKeyframe::combining(const KeyframeGroup<BezierPath>& path,
                                                                const KeyframeGroup<LottieVector1D>* cornerRadius,
                                                                const SamplingAccount& account) {
    const bool rounds = cornerRadius && std::ranges::any_of(cornerRadius->keyframes(), [](const auto& keyframe) {
                            return keyframe.value().value > 0;
                        });
    if (rounds) {
        return KeyframesCombined::combined(
            account, false,
            [](const BezierPath& shape, const LottieVector1D& radius) { return BezierPathKeyframe{shape, radius}; },
            path, *cornerRadius);
    }
    std::vector<Keyframe<BezierPathKeyframe>> keyframes;
    keyframes.reserve(path.keyframes().size());
    for (const Keyframe<BezierPath>& keyframe : path.keyframes()) {
        keyframes.push_back(keyframe.replacingValue(BezierPathKeyframe{keyframe.value(), std::nullopt}));
    }
    return KeyframeGroup<BezierPathKeyframe>(std::move(keyframes), path.unsupportedAfterEffectsExpression());
}

platform::graphics::Path BezierPathKeyframe::toPath(int pathMultiplier) const {
    const BezierPath shape = cornerRadius ? path.withRoundedCorners(cornerRadius->value) : path;
    return PathRepetition::repeated(shape, pathMultiplier);
}

BezierPathKeyframe Interpolation<BezierPathKeyframe>::interpolate(const BezierPathKeyframe& from,
                                                                  const BezierPathKeyframe& to, double amount) {
    std::optional<LottieVector1D> radius;
    if (from.cornerRadius && to.cornerRadius) {
        radius = Interpolation<LottieVector1D>::interpolate(*from.cornerRadius, *to.cornerRadius, amount);
    }
    return {Interpolation<BezierPath>::interpolate(from.path, to.path, amount), radius};
}

}  // namespace lottie
