#include "Lottie/MainThread/Providers/LayerImageProvider.h"

#include "Lottie/MainThread/CompositionLayers/PreCompositionLayer.h"
#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

LayerImageProvider::LayerImageProvider(std::shared_ptr<AnimationImageProvider> imageProvider, Assets assets)
    : imageProvider_(std::move(imageProvider)), imageAssets_(std::move(assets)) {}

void LayerImageProvider::addImageLayers(const std::vector<std::shared_ptr<ImageCompositionLayer>>& layers) {
    for (const auto& layer : layers) {
        if (!layer) continue;
        auto found = imageAssets_.find(layer->imageReferenceID());
        if (found != imageAssets_.end() && found->second) imageLayers_.push_back(layer);
    }
}

void LayerImageProvider::refreshImages() {
    // Each asset is asked for once, however many layers show it, so that its
    // pixels count once against the animation's budget.
    ImagePixelBudget budget;
    std::map<std::string, std::shared_ptr<const platform::graphics::Image>> images;
    std::vector<std::string> refused;
    for (const auto& layer : imageLayers_) {
        auto found = imageAssets_.find(layer->imageReferenceID());
        if (found == imageAssets_.end() || !found->second) continue;
        const ImageAsset& asset = *found->second;
        auto [image, isNew] = images.try_emplace(asset.id);
        if (isNew && imageProvider_) {
            const std::size_t refusals = budget.refusals();
            image->second = imageProvider_->imageForAssetWithinBudget(asset, budget);
            if (budget.refusals() != refusals) refused.push_back(asset.id);
        }
        layer->setImage(image->second);
        layer->setImageContentsGravity(imageProvider_ ? imageProvider_->gravityForAsset(asset)
                                                      : platform::compositor::ContentsGravity::resize);
    }
    if (!refused.empty()) reportRefused(refused);
}

void LayerImageProvider::reportRefused(const std::vector<std::string>& assetIDs) {
    LottieLogger::shared()->warn(
        [assetIDs] {
            std::string message = "The images of an animation may hold " +
                                  std::to_string(ImagePixelBudget::perAnimation) +
                                  " decoded pixels together; past that these are not drawn: ";
            for (std::size_t index = 0; index < assetIDs.size(); ++index) {
                message += (index ? ", \"" : "\"") + assetIDs[index] + "\"";
            }
            return message;
        },
        "Lottie/LayerImageProvider", __LINE__);
}

std::vector<std::shared_ptr<ImageCompositionLayer>> LayerImageProvider::collectImageLayers(
    const std::vector<std::shared_ptr<CompositionLayer>>& layers) {
    std::vector<std::shared_ptr<ImageCompositionLayer>> found;
    // Precompositions nest; an explicit stack keeps deep nesting off the call stack.
    std::vector<const std::vector<std::shared_ptr<CompositionLayer>>*> pending{&layers};
    while (!pending.empty()) {
        const auto* list = pending.back();
        pending.pop_back();
        for (const auto& layer : *list) {
            if (auto image = std::dynamic_pointer_cast<ImageCompositionLayer>(layer)) {
                found.push_back(std::move(image));
            } else if (const auto* precomp = dynamic_cast<const PreCompositionLayer*>(layer.get())) {
                pending.push_back(&precomp->animationLayers());
            }
        }
    }
    return found;
}

}  // namespace lottie
