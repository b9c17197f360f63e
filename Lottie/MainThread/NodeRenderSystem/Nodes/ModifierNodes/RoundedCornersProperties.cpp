#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/RoundedCornersProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

RoundedCornersProperties::RoundedCornersProperties(const RoundedCorners& roundedCorners)
    : NodePropertyMap(roundedCorners.name()), radius(makeKeyframeProperty(roundedCorners.radius())) {
    add(radius, {"Radius"});
}

}  // namespace lottie
