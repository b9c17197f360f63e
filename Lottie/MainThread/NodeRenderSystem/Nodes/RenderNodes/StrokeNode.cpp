#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/StrokeNode.h"

#include <algorithm>

#include "Lottie/MainThread/NodeRenderSystem/Renderers/EngineColor.h"

namespace lottie {

void StrokeNode::regenerateOutputs(double) {
    StrokeNodeProperties& values = properties();
    StrokeRenderer& renderer = typedRenderer();
    renderer.setColor(engineColor(values.color->value()));
    renderer.setOpacity(values.opacity->value().value * 0.01);
    renderer.setWidth(values.width->value().value);
    renderer.setMiterLimit(values.miterLimit);
    renderer.setLineCap(values.lineCap);
    renderer.setLineJoin(values.lineJoin);

    std::vector<double> lengths;
    if (values.dashPattern) {
        lengths.reserve(values.dashPattern->value().size());
        for (const LottieVector1D& length : values.dashPattern->value()) lengths.push_back(length.value);
    }
    // A pattern made only of the 0.01 that stands for a zero length draws solid.
    const bool dashed = std::any_of(lengths.begin(), lengths.end(), [](double length) { return length != 0.01; });
    if (dashed) {
        renderer.setDashPhase(values.dashPhase->value().value);
        renderer.setDashLengths(std::move(lengths));
    } else {
        renderer.setDashPhase(std::nullopt);
        renderer.setDashLengths(std::nullopt);
    }
}

}  // namespace lottie
