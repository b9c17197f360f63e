#pragma once
// An effect of a whole composition layer, applied to the layer itself after
// its properties were brought to the frame. Owned by its composition layer.

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

class LayerEffectNode {
public:
    virtual ~LayerEffectNode() = default;
    virtual NodePropertyMap& propertyMap() const = 0;
    virtual void apply(platform::compositor::Layer& layer) const = 0;
};

}  // namespace lottie
