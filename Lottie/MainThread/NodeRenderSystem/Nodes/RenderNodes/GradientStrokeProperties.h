#pragma once
// The animated values of a gradient stroke: those of a gradient fill (without
// fill rule) plus width, dash lengths and phase, and its fixed caps, joins and
// miter limit. Unlike a solid stroke's, its zero dash lengths stay zero. Owned
// by its GradientStrokeNode.

#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/GradientStroke.h"

namespace lottie {

class GradientStrokeProperties final : public NodePropertyMap {
public:
    explicit GradientStrokeProperties(const GradientStroke& gradientStroke);

    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
    std::shared_ptr<NodeProperty<LottieVector3D>> startPoint;
    std::shared_ptr<NodeProperty<LottieVector3D>> endPoint;
    std::shared_ptr<NodeProperty<std::vector<double>>> colors;
    GradientType gradientType;
    int numberOfColors;
    std::shared_ptr<NodeProperty<LottieVector1D>> width;
    std::shared_ptr<NodeProperty<std::vector<LottieVector1D>>> dashPattern;
    std::shared_ptr<NodeProperty<LottieVector1D>> dashPhase;
    LineCap lineCap;
    LineJoin lineJoin;
    double miterLimit;
};

}  // namespace lottie
