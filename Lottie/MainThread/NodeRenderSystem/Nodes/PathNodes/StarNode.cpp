#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/StarNode.h"

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"

namespace lottie {

BezierPath StarNode::buildPath() const {
    const StarNodeProperties& values = properties();
    return ShapePathBuilders::makeStar(values.position->value().pointValue(), values.outerRadius->value().value,
                                       values.innerRadius->value().value, values.outerRoundedness->value().value,
                                       values.innerRoundedness->value().value, values.points->value().value,
                                       values.rotation->value().value, values.direction);
}

}  // namespace lottie
