#pragma once
// An image layer: the picture of one image asset as its contents layer's
// contents, clipped to the asset's size and placed by the provider's gravity.
// The picture arrives from the root layer's LayerImageProvider, which asks the
// image provider for it. Made through CompositionLayer::make(); owned like any
// composition layer. Main thread only.

#include <memory>
#include <string>

#include "Lottie/MainThread/CompositionLayers/CompositionLayer.h"
#include "Lottie/Model/Assets/ImageAsset.h"
#include "Lottie/Model/Layers/ImageLayerModel.h"
#include "Platform/Graphics/Image.h"

namespace lottie {

class ImageCompositionLayer final : public CompositionLayer {
public:
    ImageCompositionLayer(const ImageLayerModel& imageLayer, const ImageAsset& asset);

    const std::string& imageReferenceID() const { return imageReferenceID_; }
    const std::shared_ptr<const platform::graphics::Image>& image() const { return image_; }
    // Shows the image, or nothing.
    void setImage(std::shared_ptr<const platform::graphics::Image> image);
    platform::compositor::ContentsGravity imageContentsGravity() const { return imageContentsGravity_; }
    void setImageContentsGravity(platform::compositor::ContentsGravity gravity);

private:
    std::string imageReferenceID_;
    std::shared_ptr<const platform::graphics::Image> image_;
    platform::compositor::ContentsGravity imageContentsGravity_ = platform::compositor::ContentsGravity::resize;
};

}  // namespace lottie
