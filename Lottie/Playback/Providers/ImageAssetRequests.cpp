#include "Lottie/Playback/Providers/ImageAssetRequests.h"

#include "Platform/Graphics/OpeningDeadline.h"

namespace lottie {

ImageAssetRequests::ImageAssetRequests(std::shared_ptr<AnimationImageProvider> provider)
    : provider_(std::move(provider)),
      decoding_(platform::graphics::OpeningDeadline::deadline(platform::graphics::OpeningDeadline::Phase::images,
                                                             ImagePixelBudget::decodingDeadlineSeconds)) {}

std::shared_ptr<const platform::graphics::Image> ImageAssetRequests::imageFor(const ImageAsset& asset) {
    auto [image, isNew] = images_.try_emplace(asset.id);
    if (isNew && provider_) {
        // Counted apart from the set-up under way, which counts again afterwards.
        const platform::graphics::ProcessorDeadline::Scope decoding(decoding_);
        const std::size_t refusals = budget_.refusals();
        image->second = provider_->imageForAssetWithinBudget(asset, budget_);
        if (budget_.refusals() != refusals) refused_.push_back(asset.id);
    }
    return image->second;
}

std::optional<std::string> ImageAssetRequests::refusalMessage() const {
    if (refused_.empty()) return std::nullopt;
    std::string message = "The images of an animation may hold " + std::to_string(ImagePixelBudget::perAnimation) +
                          " decoded pixels together; past that these are not drawn: ";
    for (std::size_t index = 0; index < refused_.size(); ++index) {
        message += (index ? ", \"" : "\"") + refused_[index] + "\"";
    }
    return message;
}

}  // namespace lottie
