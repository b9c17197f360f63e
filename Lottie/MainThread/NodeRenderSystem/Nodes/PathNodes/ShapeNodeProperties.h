#pragma once
// The animated path of a free-path item. The item's direction plays no part in
// this engine: the path is drawn as stored. Owned by its ShapeNode.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/Shape.h"

namespace lottie {

class ShapeNodeProperties final : public NodePropertyMap {
public:
    explicit ShapeNodeProperties(const Shape& shape);

    std::shared_ptr<NodeProperty<BezierPath>> path;
};

}  // namespace lottie
