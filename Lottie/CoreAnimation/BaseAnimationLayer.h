#pragma once
// The layer every layer of the Core Animation engine's tree is: it installs the
// animations of the layers it manages (its sublayers, then its mask) and lays
// them out to fill its own bounds with their origin at its origin (anchor point
// (0, 0)), so that a "transform" acts about the layer's origin; a
// CustomLayoutLayer lays itself out instead. Held by its superlayer; main
// thread only. Matte containers and mask containers are plain ones.
//
// What an engine layer shows is the compositor's own drawing of its properties:
// its presentation copy is a plain compositor layer, which carries none of the
// models, item lists or sublayers the engine layer keeps for building and for
// installing its animations.

#include <memory>
#include <vector>

#include "Lottie/CoreAnimation/AnimationLayer.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

class BaseAnimationLayer : public platform::compositor::Layer, public AnimationLayer {
public:
    BaseAnimationLayer() = default;
    BaseAnimationLayer(const BaseAnimationLayer&) = delete;

    static std::shared_ptr<BaseAnimationLayer> make() { return std::make_shared<BaseAnimationLayer>(); }

    // Installs the animations of every managed layer that has any, in order; the
    // first error ends the walk.
    void setupAnimations(const LayerAnimationContext& context) override;
    // The same walk over the managed layers of `owner`, for engine layers that
    // are another kind of compositor layer.
    static void setupManagedAnimations(const platform::compositor::Layer& owner, const LayerAnimationContext& context);
    // The layers `owner` manages: its sublayers in order, then its mask, if any.
    static std::vector<std::shared_ptr<platform::compositor::Layer>> managedLayers(const platform::compositor::Layer& owner);

    void layoutSublayers() override;
    // The layout of the managed layers of `owner` (its sublayers, then its mask):
    // shared with the root layer, which manages its sublayers the same way.
    static void layOutManagedLayers(platform::compositor::Layer& owner,
                                    const std::vector<std::shared_ptr<platform::compositor::Layer>>& managed);
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override {
        return std::make_shared<platform::compositor::Layer>(*this);
    }
};

}  // namespace lottie
