#pragma once
// The animated values of a trim: start and end (percent of the length) and
// offset (degrees of a full turn), and whether the paths are trimmed one by one
// or as one. Owned by its TrimPathNode.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/Model/ShapeItems/Trim.h"

namespace lottie {

class TrimPathProperties final : public NodePropertyMap {
public:
    explicit TrimPathProperties(const Trim& trim);

    std::shared_ptr<NodeProperty<LottieVector1D>> start;
    std::shared_ptr<NodeProperty<LottieVector1D>> end;
    std::shared_ptr<NodeProperty<LottieVector1D>> offset;
    TrimType type;
};

}  // namespace lottie
