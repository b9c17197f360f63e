#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/RectNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

RectNodeProperties::RectNodeProperties(const Rectangle& rectangle)
    : NodePropertyMap(rectangle.name()),
      direction(rectangle.direction()),
      position(makeKeyframeProperty(rectangle.position())),
      size(makeKeyframeProperty(rectangle.size())),
      cornerRadius(makeKeyframeProperty(rectangle.cornerRadius())) {
    add(position, {"Position"});
    add(size, {"Size"});
    add(cornerRadius, {"Roundness"});
}

}  // namespace lottie
