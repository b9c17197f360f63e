#include "Lottie/MainThread/Text/TextAnimatorNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

namespace {

template <Interpolatable T>
std::shared_ptr<NodeProperty<T>> propertyOf(const KeyframeGroupPtr<T>& group) {
    if (!group) return nullptr;
    return makeKeyframeProperty(group);
}

}  // namespace

TextAnimatorNodeProperties::TextAnimatorNodeProperties(const TextAnimator& animator)
    : NodePropertyMap(animator.name),
      anchor(propertyOf(animator.anchor)),
      position(propertyOf(animator.position)),
      scale(propertyOf(animator.scale)),
      skew(propertyOf(animator.skew)),
      skewAxis(propertyOf(animator.skewAxis)),
      rotationX(propertyOf(animator.rotationX)),
      rotationY(propertyOf(animator.rotationY)),
      rotationZ(propertyOf(animator.rotationZ)),
      opacity(propertyOf(animator.opacity)),
      strokeColor(propertyOf(animator.strokeColor)),
      fillColor(propertyOf(animator.fillColor)),
      strokeWidth(propertyOf(animator.strokeWidth)),
      tracking(propertyOf(animator.tracking)),
      start(propertyOf(animator.start)),
      end(propertyOf(animator.end)),
      selectedRangeOpacity(propertyOf(animator.opacity)),
      textRangeUnit(animator.textRangeUnit) {
    if (anchor) add(anchor, {"Anchor"});
    if (position) add(position, {"Position"});
    if (scale) add(scale, {"Scale"});
    if (skew) add(skew, {"Skew"});
    if (skewAxis) add(skewAxis, {"Skew Axis"});
    if (rotationX) add(rotationX, {"Rotation X"});
    if (rotationY) add(rotationY, {"Rotation Y"});
    if (rotationZ) add(rotationZ, {"Rotation Z", "Rotation"});
    if (opacity) add(opacity, {"Opacity"});
    if (strokeColor) add(strokeColor, {"Stroke Color"});
    if (fillColor) add(fillColor, {"Fill Color"});
    if (strokeWidth) add(strokeWidth, {"Stroke Width"});
    if (tracking) add(tracking, {"Tracking"});
    if (start) add(start, {"Start"});
    if (end) add(end, {"End"});
    if (selectedRangeOpacity) add(selectedRangeOpacity, {"SelectedRangeOpacity"});
}

}  // namespace lottie
