#pragma once
// The animated values of a rectangle item: centre, size and corner radius.
// Owned by its RectangleNode.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/Rectangle.h"

namespace lottie {

class RectNodeProperties final : public NodePropertyMap {
public:
    explicit RectNodeProperties(const Rectangle& rectangle);

    PathDirection direction;
    std::shared_ptr<NodeProperty<LottieVector3D>> position;
    std::shared_ptr<NodeProperty<LottieVector3D>> size;
    std::shared_ptr<NodeProperty<LottieVector1D>> cornerRadius;
};

}  // namespace lottie
