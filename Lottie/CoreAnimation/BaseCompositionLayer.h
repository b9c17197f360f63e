#pragma once
// The engine layer of one layer of the document: it keeps the layer model,
// holds everything it shows in an inner contents layer, takes the model's blend
// mode, and installs what every document layer animates in common, on the
// contents layer: the transform and, when it draws contents of its own, the
// opacity and the visibility between its in and out frames. The drop shadow
// goes on the layer itself, outside the transform: a shadow's angle, distance
// and softness are measured in the space of the composition the layer lies in,
// whatever the layer's own rotation, scale or mirroring. A layer nested in its
// parents' transform layers hands its shadow to the outermost of them, which
// lies in that space. The layers below it are installed under its name in the
// keypath.
//
//   BaseCompositionLayer "Name"          blend mode, matte, shadow
//     contents layer "Name (Content)"    transform, opacity, hidden;
//                                        masked by a MaskCompositionLayer
//       what the subclass draws, or the layers parented to it
//
// A layer without blend mode or drop shadow has nothing to do outside its
// transform: it is its own contents layer, which carries the transform,
// opacity, visibility and mask, and holds what the subclass draws. A blend
// mode given later (the "xor" of an inverted matte) goes on a layer around it.
//
// Built once by the layer tree builder and held by its superlayer; main thread only.

#include <memory>

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/Model/Layers/LayerModel.h"

namespace lottie {

class BaseCompositionLayer : public BaseAnimationLayer {
public:
    explicit BaseCompositionLayer(std::shared_ptr<const LayerModel> model);

    // Adds the contents layer and, for a layer with contents, masks it with the
    // model's masks. Subclasses that add layers of their own call this after
    // construction; the layer tree builder does it for every layer it makes.
    void installSublayers();

    // The contents layer: this layer itself when it has none of its own.
    bool isOwnContentsLayer() const { return !contentsLayer_; }
    BaseAnimationLayer* contentsLayer() { return contentsLayer_ ? contentsLayer_.get() : this; }
    const BaseAnimationLayer* contentsLayer() const { return contentsLayer_ ? contentsLayer_.get() : this; }
    const std::shared_ptr<const LayerModel>& baseLayerModel() const { return baseLayerModel_; }
    // Adds a layer into the contents layer, where everything this layer shows lives.
    void addContentSublayer(std::shared_ptr<platform::compositor::Layer> layer);

    virtual bool drawsOwnContents() const { return true; }
    // The document layer whose drop shadow this layer draws: its own once
    // installSublayers ran on a layer with contents, none otherwise.
    const std::shared_ptr<const LayerModel>& dropShadowModel() const { return dropShadowModel_; }
    // Hands the drop shadow of `inner`, which lies inside this layer's
    // contents, over to this layer; a layer that is its own contents layer
    // takes none.
    void takeDropShadow(BaseCompositionLayer& inner);
    void setupAnimations(const LayerAnimationContext& context) override;

protected:
    // `ownContentsLayer` false: this layer is its own contents layer.
    BaseCompositionLayer(std::shared_ptr<const LayerModel> model, bool ownContentsLayer);

    // The transform, the drop shadow this layer draws, and for a layer with
    // contents its opacity and visibility; the first error ends it.
    virtual void installOwnAnimations(const LayerAnimationContext& context);

private:
    std::shared_ptr<BaseAnimationLayer> contentsLayer_;
    std::shared_ptr<const LayerModel> baseLayerModel_;
    std::shared_ptr<const LayerModel> dropShadowModel_;
};

}  // namespace lottie
