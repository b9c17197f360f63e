#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapeNodeProperties.h"

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"

namespace lottie {

ShapeNodeProperties::ShapeNodeProperties(const Shape& shape)
    : NodePropertyMap(shape.name()), path(makeKeyframeProperty(shape.path())) {
    add(path, {"Path"});
}

}  // namespace lottie
