#include "Lottie/MainThread/Providers/LayerImageProvider.h"

#include <optional>

#include "Lottie/MainThread/CompositionLayers/PreCompositionLayer.h"
#include "Lottie/Playback/Engine/LayerBuildWeight.h"
#include "Platform/Graphics/OpeningDeadline.h"
#include "Lottie/Playback/Providers/ImageAssetRequests.h"
#include "Platform/Graphics/ProcessorDeadline.h"

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

std::optional<std::string> LayerImageProvider::refreshImages() {
    // The images are decoded under a deadline of their own (ImageAssetRequests);
    // the rest counts toward the set-up that asks (the engine's build), or,
    // for a refresh asked for on its own, toward one of its own.
    std::optional<platform::graphics::ProcessorDeadline::Scope> deadline;
    if (!platform::graphics::ProcessorDeadline::current()) {
        deadline.emplace(platform::graphics::OpeningDeadline::deadline(
            platform::graphics::OpeningDeadline::Phase::setUp, LayerBuildWeight::setUpDeadlineSeconds));
    }
    ImageAssetRequests requests(imageProvider_);
    for (const auto& layer : imageLayers_) {
        auto found = imageAssets_.find(layer->imageReferenceID());
        if (found == imageAssets_.end() || !found->second) continue;
        const ImageAsset& asset = *found->second;
        layer->setImage(requests.imageFor(asset));
        layer->setImageContentsGravity(imageProvider_ ? imageProvider_->gravityForAsset(asset)
                                                      : platform::compositor::ContentsGravity::resize);
    }
    return requests.refusalMessage();
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
