#include "Lottie/CoreAnimation/ImageLayer.h"

#include "Lottie/Model/Assets/AssetLibrary.h"

namespace lottie {

ImageLayer::ImageLayer(std::shared_ptr<const ImageLayerModel> model)
    : BaseCompositionLayer(model), imageLayer_(std::move(model)) {}

std::shared_ptr<ImageLayer> ImageLayer::make(std::shared_ptr<const ImageLayerModel> model,
                                             const LayerContext& context) {
    auto layer = std::make_shared<ImageLayer>(std::move(model));
    layer->installSublayers();
    layer->setUpImage(context);
    return layer;
}

void ImageLayer::setUpImage(const LayerContext& context) {
    const auto& library = context.animation ? context.animation->assetLibrary : nullptr;
    if (library && context.imageProvider) {
        const auto found = library->imageAssets.find(imageLayer_->referenceID);
        if (found != library->imageAssets.end() && found->second) {
            const ImageAsset& asset = *found->second;
            if (auto image = context.imageRequests ? context.imageRequests->imageFor(asset)
                                                   : context.imageProvider->imageForAsset(asset)) {
                imageAsset_ = found->second;
                contentsLayer()->setContents(std::move(image));
                contentsLayer()->setContentsGravity(context.imageProvider->gravityForAsset(*found->second));
                // The asset's size reaches this layer through its superlayer's layout.
                setNeedsLayout();
                if (auto parent = superlayer()) parent->setNeedsLayout();
                return;
            }
        }
    }
    imageAsset_.reset();
    contentsLayer()->setContents(nullptr);
}

void ImageLayer::layout(const platform::graphics::Rect& parentBounds) {
    setAnchorPoint({0, 0});
    if (imageAsset_) {
        setBounds({parentBounds.origin, {imageAsset_->width, imageAsset_->height}});
    } else {
        setBounds(parentBounds);
    }
}

}  // namespace lottie
