#pragma once
// A layer's drop shadow: sets the shadow of the composition layer from the
// effect's or style's current values. Owned by its composition layer.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/Nodes/LayerEffectNodes/DropShadowNodeProperties.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/LayerEffectNodes/LayerEffectNode.h"

namespace lottie {

class DropShadowNode final : public LayerEffectNode {
public:
    explicit DropShadowNode(const DropShadowModel& model)
        : properties_(std::make_shared<DropShadowNodeProperties>(model)) {}

    DropShadowNodeProperties& properties() const { return *properties_; }
    NodePropertyMap& propertyMap() const override { return *properties_; }
    void apply(platform::compositor::Layer& layer) const override;

private:
    std::shared_ptr<DropShadowNodeProperties> properties_;
};

}  // namespace lottie
