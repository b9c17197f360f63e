#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/GradientStrokeNode.h"

#include <algorithm>

namespace lottie {

void GradientStrokeNode::regenerateOutputs(double) {
    const GradientStrokeProperties& values = properties();
    GradientStrokeRenderer& renderer = typedRenderer();
    const double opacity = values.opacity->value().value * 0.01;

    GradientDrawing gradient;
    gradient.start = values.startPoint->value().pointValue();
    gradient.end = values.endPoint->value().pointValue();
    gradient.colors = values.colors->value();
    gradient.type = values.gradientType;
    gradient.numberOfColors = values.numberOfColors;
    renderer.gradientRender().setGradient(std::move(gradient));
    renderer.gradientRender().setOpacity(opacity);

    StrokeRenderer& stroke = renderer.strokeRender();
    stroke.setOpacity(opacity);
    stroke.setWidth(values.width->value().value);
    stroke.setMiterLimit(values.miterLimit);
    stroke.setLineCap(values.lineCap);
    stroke.setLineJoin(values.lineJoin);

    std::vector<double> lengths;
    lengths.reserve(values.dashPattern->value().size());
    for (const LottieVector1D& length : values.dashPattern->value()) lengths.push_back(length.value);
    const bool dashed = std::any_of(lengths.begin(), lengths.end(), [](double length) { return length != 0.01; });
    if (dashed) {
        stroke.setDashPhase(values.dashPhase->value().value);
        stroke.setDashLengths(std::move(lengths));
    } else {
        stroke.setDashPhase(std::nullopt);
        stroke.setDashLengths(std::nullopt);
    }
}

}  // namespace lottie
