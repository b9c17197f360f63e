#pragma once
// The animated values of one mask: opacity (percent), shape and expansion, and
// its fixed mode and inverted flag. The expansion is evaluated (and may be
// overridden) but does not change the drawn path. Owned by its MaskLayer.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/Layers/Mask.h"

namespace lottie {

class MaskNodeProperties final : public NodePropertyMap {
public:
    explicit MaskNodeProperties(const Mask& mask);

    MaskMode mode;
    bool inverted;
    std::shared_ptr<NodeProperty<LottieVector1D>> opacity;
    std::shared_ptr<NodeProperty<BezierPath>> shape;
    std::shared_ptr<NodeProperty<LottieVector1D>> expansion;
};

}  // namespace lottie
