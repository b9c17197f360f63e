#include "Lottie/MainThread/NodeRenderSystem/Nodes/LayerEffectNodes/DropShadowNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

namespace {

template <class T>
std::shared_ptr<NodeProperty<T>> propertyIfPresent(const KeyframeGroupPtr<T>& group) {
    if (!group) return nullptr;
    return makeKeyframeProperty(group);
}

}  // namespace

DropShadowNodeProperties::DropShadowNodeProperties(const DropShadowModel& model)
    : opacity(propertyIfPresent(model.opacity())),
      radius(propertyIfPresent(model.radius())),
      color(propertyIfPresent(model.color())),
      angle(propertyIfPresent(model.angle())),
      distance(propertyIfPresent(model.distance())) {
    add(opacity, {"Opacity"});
    add(radius, {"Radius"});
    add(color, {"Color"});
    add(angle, {"Angle"});
    add(distance, {"Distance"});
}

}  // namespace lottie
