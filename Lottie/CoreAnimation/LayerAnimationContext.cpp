#include "Lottie/CoreAnimation/LayerAnimationContext.h"

#include <vector>

namespace lottie {

namespace {

constexpr const char* complexTimeRemappingMessage =
    "LayerAnimationContext.time(forFrame:) does not support complex time remapping";

}  // namespace

double LayerAnimationContext::time(double frame) const {
    if (mustUseComplexTimeRemapping) reportCompatibilityIssue(complexTimeRemappingMessage);
    return (simpleTimeRemapping(frame) - animation->startFrame) / animation->framerate;
}

double LayerAnimationContext::progress(double frame) const {
    if (mustUseComplexTimeRemapping) reportCompatibilityIssue(complexTimeRemappingMessage);
    return (simpleTimeRemapping(frame) - animation->startFrame) / (animation->framerate * innerDuration());
}

double LayerAnimationContext::innerDuration() const {
    const double end = timingConfiguration.speed == 0 ? animation->endFrame + 1 : animation->endFrame;
    return (end - animation->startFrame) / animation->framerate;
}

LayerAnimationContext LayerAnimationContext::addingKeypathComponent(const std::string& key) const {
    LayerAnimationContext copy = *this;
    copy.currentKeypath = currentKeypath.adding(key);
    return copy;
}

LayerAnimationContext LayerAnimationContext::addingKeypathComponents(const ContextKeypath& keys,
                                                                     const std::string& key) const {
    LayerAnimationContext copy = *this;
    copy.currentKeypath = currentKeypath.adding(keys).adding(key);
    return copy;
}

LayerAnimationContext LayerAnimationContext::withoutTimeRemapping() const {
    LayerAnimationContext copy = *this;
    copy.simpleTimeRemapping = identity;
    copy.complexTimeRemapping = identity;
    copy.mustUseComplexTimeRemapping = false;
    return copy;
}

}  // namespace lottie
