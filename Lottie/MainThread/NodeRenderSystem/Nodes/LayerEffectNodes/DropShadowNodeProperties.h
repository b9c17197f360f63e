#pragma once
// The animated values of a drop shadow, from a layer effect or a layer style:
// opacity (percent), radius, colour, angle (degrees) and distance. A value the
// document leaves out has no property. Owned by its DropShadowNode.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/Protocols/DropShadowModel.h"

namespace lottie {

class DropShadowNodeProperties final : public NodePropertyMap {
public:
    explicit DropShadowNodeProperties(const DropShadowModel& model);

    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
    std::shared_ptr<NodeProperty<LottieVector1D>> radius;
    std::shared_ptr<NodeProperty<LottieColor>> color;
    std::shared_ptr<NodeProperty<LottieVector1D>> angle;
    std::shared_ptr<NodeProperty<LottieVector1D>> distance;
};

}  // namespace lottie
