#pragma once
// The engine layer of an image layer of the document: the image the image
// provider gives for the layer's asset, as the contents of the composition
// layer's contents layer, laid out at the asset's size. Without an image (no
// asset, or none from the provider) it shows nothing. The root layer sets the
// image up again when the provider changes. Built once by the layer tree
// builder; held by its superlayer.

#include <memory>

#include "Lottie/CoreAnimation/BaseCompositionLayer.h"
#include "Lottie/CoreAnimation/CustomLayoutLayer.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Model/Layers/ImageLayerModel.h"

namespace lottie {

class ImageLayer final : public BaseCompositionLayer, public CustomLayoutLayer {
public:
    explicit ImageLayer(std::shared_ptr<const ImageLayerModel> model);

    // Builds the layer with its sublayers and its image.
    static std::shared_ptr<ImageLayer> make(std::shared_ptr<const ImageLayerModel> model, const LayerContext& context);

    void setUpImage(const LayerContext& context);
    const std::shared_ptr<const ImageAsset>& imageAsset() const { return imageAsset_; }

    void layout(const platform::graphics::Rect& parentBounds) override;

private:
    std::shared_ptr<const ImageLayerModel> imageLayer_;
    std::shared_ptr<const ImageAsset> imageAsset_;
};

}  // namespace lottie
