#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/EllipseNode.h"

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"

namespace lottie {

BezierPath EllipseNode::buildPath() const {
    const EllipseNodeProperties& values = properties();
    return ShapePathBuilders::makeEllipse(values.size->value().sizeValue(), values.position->value().pointValue(),
                                          values.direction);
}

}  // namespace lottie
