#include "Lottie/MainThread/CompositionLayers/ImageCompositionLayer.h"

namespace lottie {

ImageCompositionLayer::ImageCompositionLayer(const ImageLayerModel& imageLayer, const ImageAsset& asset)
    : CompositionLayer(imageLayer, {asset.width, asset.height}), imageReferenceID_(imageLayer.referenceID) {
    contentsLayer()->setMasksToBounds(true);
    contentsLayer()->setContentsGravity(imageContentsGravity_);
}

void ImageCompositionLayer::setImage(std::shared_ptr<const platform::graphics::Image> image) {
    image_ = std::move(image);
    contentsLayer()->setContents(image_);
}

void ImageCompositionLayer::setImageContentsGravity(platform::compositor::ContentsGravity gravity) {
    imageContentsGravity_ = gravity;
    contentsLayer()->setContentsGravity(gravity);
}

}  // namespace lottie
