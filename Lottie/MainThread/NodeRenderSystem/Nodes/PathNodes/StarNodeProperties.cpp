#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/StarNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/SingleValueProvider.h"

namespace lottie {

namespace {

std::shared_ptr<NodeProperty<LottieVector1D>> optionalProperty(const KeyframeGroupPtr<LottieVector1D>& group) {
    if (group) return makeKeyframeProperty(group);
    return makeSingleValueProperty(LottieVector1D(0));
}

}  // namespace

StarNodeProperties::StarNodeProperties(const Star& star)
    : NodePropertyMap(star.name()),
      direction(star.direction()),
      position(makeKeyframeProperty(star.position())),
      outerRadius(makeKeyframeProperty(star.outerRadius())),
      outerRoundedness(makeKeyframeProperty(star.outerRoundness())),
      innerRadius(optionalProperty(star.innerRadius())),
      innerRoundedness(optionalProperty(star.innerRoundness())),
      rotation(makeKeyframeProperty(star.rotation())),
      points(makeKeyframeProperty(star.points())) {
    add(position, {"Position"});
    add(outerRadius, {"Outer Radius"});
    add(outerRoundedness, {"Outer Roundedness"});
    add(innerRadius, {"Inner Radius"});
    add(innerRoundedness, {"Inner Roundedness"});
    add(rotation, {"Rotation"});
    add(points, {"Points"});
}

}  // namespace lottie
