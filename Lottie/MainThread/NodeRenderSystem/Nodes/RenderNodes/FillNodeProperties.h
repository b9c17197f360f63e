#pragma once
// The animated values of a solid fill: opacity (percent) and colour, and its
// fill rule. Owned by its FillNode.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/Fill.h"

namespace lottie {

class FillNodeProperties final : public NodePropertyMap {
public:
    explicit FillNodeProperties(const Fill& fill);

    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
    std::shared_ptr<NodeProperty<LottieColor>> color;
    FillRule type;
};

}  // namespace lottie
