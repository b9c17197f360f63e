#pragma once
// The animated radius of a rounded-corners item. Owned by its RoundedCornersNode.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"

namespace lottie {

class RoundedCornersProperties final : public NodePropertyMap {
public:
    explicit RoundedCornersProperties(const RoundedCorners& roundedCorners);

    std::shared_ptr<NodeProperty<LottieVector1D>> radius;
};

}  // namespace lottie
