#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/EllipseNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

EllipseNodeProperties::EllipseNodeProperties(const Ellipse& ellipse)
    : NodePropertyMap(ellipse.name()),
      direction(ellipse.direction()),
      position(makeKeyframeProperty(ellipse.position())),
      size(makeKeyframeProperty(ellipse.size())) {
    add(position, {"Position"});
    add(size, {"Size"});
}

}  // namespace lottie
