#pragma once
// The animated values of an ellipse item: centre and size (x and y of each).
// Owned by its EllipseNode.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/Ellipse.h"

namespace lottie {

class EllipseNodeProperties final : public NodePropertyMap {
public:
    explicit EllipseNodeProperties(const Ellipse& ellipse);

    PathDirection direction;
    std::shared_ptr<NodeProperty<LottieVector3D>> position;
    std::shared_ptr<NodeProperty<LottieVector3D>> size;
};

}  // namespace lottie
