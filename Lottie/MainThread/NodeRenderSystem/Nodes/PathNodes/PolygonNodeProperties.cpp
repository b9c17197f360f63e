#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PolygonNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

PolygonNodeProperties::PolygonNodeProperties(const Star& star)
    : NodePropertyMap(star.name()),
      direction(star.direction()),
      position(makeKeyframeProperty(star.position())),
      outerRadius(makeKeyframeProperty(star.outerRadius())),
      outerRoundedness(makeKeyframeProperty(star.outerRoundness())),
      rotation(makeKeyframeProperty(star.rotation())),
      points(makeKeyframeProperty(star.points())) {
    add(position, {"Position"});
    add(outerRadius, {"Outer Radius"});
    add(outerRoundedness, {"Outer Roundedness"});
    add(rotation, {"Rotation"});
    add(points, {"Points"});
}

}  // namespace lottie
