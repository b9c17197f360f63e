#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/RectangleNode.h"

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"

namespace lottie {

BezierPath RectangleNode::buildPath() const {
    const RectNodeProperties& values = properties();
    return ShapePathBuilders::makeRoundedRectangle(values.position->value().pointValue(),
                                                   values.size->value().sizeValue(),
                                                   values.cornerRadius->value().value, values.direction);
}

}  // namespace lottie
