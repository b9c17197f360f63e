#pragma once
// The engine layer of a precomposition layer of the document: the layers of the
// precomposition asset, built once into its contents layer and clipped to the
// precomposition's size, played on their own timeline. Its transform, opacity
// and visibility run on the enclosing timeline; its children and its masks get
// a context whose time remapping goes through the layer's start time and time
// stretch, or through its time-remapping keyframes, which make every property
// below it resampled once per frame.
//
// A precomposition that names no asset, one that is already being built above
// it (it would contain itself for ever), or one nested deeper than the limit
// both engines keep, has no children. A time stretch
// of 0 would make the remapping divide by nothing: it plays unstretched.
// Built once by the layer tree builder; held by its superlayer; main thread only.

#include <memory>

#include "Lottie/CoreAnimation/BaseCompositionLayer.h"
#include "Lottie/CoreAnimation/CustomLayoutLayer.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/Model/Layers/PreCompLayerModel.h"

namespace lottie {

class PreCompLayer final : public BaseCompositionLayer, public CustomLayoutLayer {
public:
    explicit PreCompLayer(std::shared_ptr<const PreCompLayerModel> model);

    // Builds the layer with its sublayers and the asset's layers; throws what the
    // layer tree builder throws.
    static std::shared_ptr<PreCompLayer> make(std::shared_ptr<const PreCompLayerModel> model,
                                              const LayerContext& context);

    // The child context: the given one remapped onto this layer's local timeline.
    LayerAnimationContext remappedContext(const LayerAnimationContext& context) const;
    // The stretch the remapping divides by: the model's, or 1 for a stretch of 0.
    double usableTimeStretch() const;

    void layout(const platform::graphics::Rect& parentBounds) override;
    void setupAnimations(const LayerAnimationContext& context) override;
    bool remapsTime() const override { return preCompLayer_->timeRemapping != nullptr; }

private:
    void setUpLayerHierarchy(const LayerContext& context);

    std::shared_ptr<const PreCompLayerModel> preCompLayer_;
};

}  // namespace lottie
