#include "Lottie/Model/Protocols/RepeaterTransform.h"

#include <memory>
#include <vector>

namespace lottie {

namespace {

LottieVector1D times(const LottieVector1D& value, double factor) { return LottieVector1D(value.value * factor); }
LottieVector3D times(const LottieVector3D& value, double factor) {
    return LottieVector3D(value.x * factor, value.y * factor, value.z * factor);
}

// The group with every value multiplied by `factor`; timing and expression kept.
template <class T>
KeyframeGroupPtr<T> multiplied(const KeyframeGroupPtr<T>& group, double factor) {
    if (!group) return nullptr;
    std::vector<Keyframe<T>> keyframes;
    keyframes.reserve(group->keyframes().size());
    for (const Keyframe<T>& keyframe : group->keyframes()) {
        keyframes.emplace_back(times(keyframe.value(), factor), keyframe.time(), keyframe.isHold(), keyframe.inTangent(),
                               keyframe.outTangent(), keyframe.spatialInTangent(), keyframe.spatialOutTangent());
    }
    return std::make_shared<const KeyframeGroup<T>>(std::move(keyframes), group->unsupportedAfterEffectsExpression());
}

}  // namespace

RepeaterTransform::RepeaterTransform(const Repeater& repeater, int index)
    : anchorPoint_(repeater.anchorPoint()),
      position_(multiplied(repeater.position(), index)),
      rotationX_(multiplied(repeater.rotationX(), index)),
      rotationY_(multiplied(repeater.rotationY(), index)),
      rotationZ_(multiplied(repeater.rotationZ(), index)),
      scale_(repeater.scale()) {}

}  // namespace lottie
