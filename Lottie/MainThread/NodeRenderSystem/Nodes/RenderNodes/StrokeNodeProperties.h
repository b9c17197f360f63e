#pragma once
// The animated values of a solid stroke: opacity, colour, width, the dash
// lengths and phase, and its fixed caps, joins and miter limit. Owned by its
// StrokeNode.
//
// A stroke without dashes still answers "Dashes" and "Dash Phase" to keypath
// searches, with an empty pattern and a phase of 0. Most strokes have none, so
// those two properties are made only when a search asks for them; until then
// the stroke draws solid and has nothing of theirs to update.

#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/Stroke.h"

namespace lottie {

class StrokeNodeProperties final : public NodePropertyMap {
public:
    explicit StrokeNodeProperties(const Stroke& stroke);

    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
    std::shared_ptr<NodeProperty<LottieColor>> color;
    std::shared_ptr<NodeProperty<LottieVector1D>> width;
    // Null for a stroke without dashes until a keypath search asks for them.
    std::shared_ptr<NodeProperty<std::vector<LottieVector1D>>> dashPattern;
    std::shared_ptr<NodeProperty<LottieVector1D>> dashPhase;
    LineCap lineCap;
    LineJoin lineJoin;
    double miterLimit;

    Properties keypathProperties() const override;

private:
    // Gives a stroke without dashes its empty pattern and its phase of 0.
    void makeSolidDashProperties();
};

}  // namespace lottie
