#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PolygonNode.h"

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"

namespace lottie {

BezierPath PolygonNode::buildPath() const {
    const PolygonNodeProperties& values = properties();
    const double points = values.points->value().value;
    const double roundedness = values.outerRoundedness->value().value;
    const double built = ShapePathBuilders::boundedRoundedness(roundedness);
    roundednessReport_.check(roundedness, built);
    return ShapePathBuilders::makePolygon(values.position->value().pointValue(), points,
                                          values.outerRadius->value().value, built, values.rotation->value().value,
                                          values.direction);
}

}  // namespace lottie
