#pragma once
// The engine layer of one layer of the document: it keeps the layer model,
// holds everything it shows in an inner contents layer, takes the model's blend
// mode, and installs what every document layer animates in common, on the
// contents layer: the transform and, when it draws contents of its own, the
// opacity, the visibility between its in and out frames and the drop shadow.
// The layers below it are installed under its name in the keypath.
//
//   BaseCompositionLayer "Name"          blend mode, matte
//     contents layer "Name (Content)"    transform, opacity, hidden, shadow;
//                                        masked by a MaskCompositionLayer
//       what the subclass draws, or the layers parented to it
//
// Built once by the layer tree builder and held by its superlayer; main thread only.

#include <memory>

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/Model/Layers/LayerModel.h"

namespace lottie {

class BaseCompositionLayer : public BaseAnimationLayer {
public:
    explicit BaseCompositionLayer(std::shared_ptr<const LayerModel> model);
    // The presentation copy: the model and a fresh contents layer.
    BaseCompositionLayer(const BaseCompositionLayer& layer);

    // Adds the contents layer and, for a layer with contents, masks it with the
    // model's masks. Subclasses that add layers of their own call this after
    // construction; the layer tree builder does it for every layer it makes.
    void installSublayers();

    const std::shared_ptr<BaseAnimationLayer>& contentsLayer() const { return contentsLayer_; }
    const std::shared_ptr<const LayerModel>& baseLayerModel() const { return baseLayerModel_; }
    // Adds a layer into the contents layer, where everything this layer shows lives.
    void addContentSublayer(std::shared_ptr<platform::compositor::Layer> layer);

    virtual bool drawsOwnContents() const { return true; }
    void setupAnimations(const LayerAnimationContext& context) override;
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override {
        return std::make_shared<BaseCompositionLayer>(*this);
    }

protected:
    // The transform, and for a layer with contents its opacity, visibility and
    // drop shadow; the first error ends it.
    virtual void installOwnAnimations(const LayerAnimationContext& context);

private:
    std::shared_ptr<BaseAnimationLayer> contentsLayer_;
    std::shared_ptr<const LayerModel> baseLayerModel_;
};

}  // namespace lottie
