#include "Lottie/CoreAnimation/BaseAnimationLayer.h"

#include "Lottie/CoreAnimation/CustomLayoutLayer.h"

namespace lottie {

using platform::compositor::Layer;

void BaseAnimationLayer::setupAnimations(const LayerAnimationContext& context) {
    setupManagedAnimations(*this, context);
}

void BaseAnimationLayer::setupManagedAnimations(const Layer& owner, const LayerAnimationContext& context) {
    for (const std::shared_ptr<Layer>& layer : managedLayers(owner)) {
        if (auto* animationLayer = dynamic_cast<AnimationLayer*>(layer.get())) animationLayer->setupAnimations(context);
    }
}

std::vector<std::shared_ptr<Layer>> BaseAnimationLayer::managedLayers(const Layer& owner) {
    std::vector<std::shared_ptr<Layer>> layers = owner.sublayers();
    if (owner.mask()) layers.push_back(owner.mask());
    return layers;
}

void BaseAnimationLayer::layoutSublayers() {
    Layer::layoutSublayers();
    layOutManagedLayers(*this, managedLayers(*this));
}

void BaseAnimationLayer::layOutManagedLayers(Layer& owner, const std::vector<std::shared_ptr<Layer>>& managed) {
    for (const std::shared_ptr<Layer>& layer : managed) {
        // A mask has no superlayer: it takes the bounds of the layer it masks.
        const std::shared_ptr<Layer> parent = layer->superlayer() ? layer->superlayer() : layer->maskOwner();
        if (!parent) continue;
        if (auto* custom = dynamic_cast<CustomLayoutLayer*>(layer.get())) {
            custom->layout(parent->bounds());
        } else {
            layer->setAnchorPoint({0, 0});
            layer->setBounds(parent->bounds());
        }
    }
    // The compositor lays out sublayers below a layer but not its mask.
    if (owner.mask()) owner.mask()->layoutIfNeeded();
}

}  // namespace lottie
