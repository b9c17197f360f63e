#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PolygonNode.h"

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"

namespace lottie {

BezierPath PolygonNode::buildPath() const {
    const PolygonNodeProperties& values = properties();
    return ShapePathBuilders::makePolygon(values.position->value().pointValue(), values.points->value().value,
                                          values.outerRadius->value().value, values.outerRoundedness->value().value,
                                          values.rotation->value().value, values.direction);
}

}  // namespace lottie
