#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/StarNode.h"

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"

namespace lottie {

BezierPath StarNode::buildPath() const {
    const StarNodeProperties& values = properties();
    const double points = values.points->value().value;
    const double outer = values.outerRoundedness->value().value;
    const double inner = values.innerRoundedness->value().value;
    const double builtOuter = ShapePathBuilders::boundedRoundedness(outer);
    const double builtInner = ShapePathBuilders::boundedRoundedness(inner);
    roundednessReport_.check(outer, builtOuter);
    roundednessReport_.check(inner, builtInner);
    return ShapePathBuilders::makeStar(values.position->value().pointValue(), values.outerRadius->value().value,
                                       values.innerRadius->value().value, builtOuter, builtInner, points,
                                       values.rotation->value().value, values.direction);
}

}  // namespace lottie
