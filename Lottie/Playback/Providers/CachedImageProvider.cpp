#include "Lottie/Playback/Providers/CachedImageProvider.h"

#include <limits>
#include <stdexcept>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

namespace {

// Says what the decoder of a document's image left undone, or why a bound of
// its own refused the image, once per decoding: the cache decodes each image
// of a document once, and files a refusal.
DocumentImageCache::Decoded warnedOf(std::shared_ptr<const platform::graphics::Image> image, const std::string& refusal,
                                     const ImageAsset& asset) {
    if (image && !image->decodingWarning().empty()) {
        LottieLogger::shared()->warn(
            [&] { return "Image asset \"" + asset.id + "\": " + image->decodingWarning(); },
            "Lottie/CachedImageProvider", __LINE__);
    }
    if (!image && !refusal.empty()) {
        LottieLogger::shared()->warn([&] { return "Image asset \"" + asset.id + "\" is left out: " + refusal; },
                                     "Lottie/CachedImageProvider", __LINE__);
        return {nullptr, true};
    }
    return {std::move(image), false};
}

// The image of the asset from `provider` within `budget`, the colour
// conversions built for it taking from `conversions` meanwhile.
DocumentImageCache::Decoded decodedWithin(const AnimationImageProvider& provider, const ImageAsset& asset,
                                          ImagePixelBudget& budget,
                                          platform::graphics::ColorConversionAllowance& conversions) {
    auto* const before = budget.colorConversions();
    budget.setColorConversions(&conversions);
    budget.decodingRefusal()->clear();
    auto image = provider.imageForAssetWithinBudget(asset, budget);
    budget.setColorConversions(before);
    const std::string refusal = std::move(*budget.decodingRefusal());
    budget.decodingRefusal()->clear();
    return warnedOf(std::move(image), refusal, asset);
}

}  // namespace

CachedImageProvider::CachedImageProvider(std::shared_ptr<AnimationImageProvider> imageProvider,
                                         platform::foundation::NotificationCenter& notificationCenter)
    : imageProvider_(std::move(imageProvider)), imageCache_(std::make_shared<DocumentImageCache>(notificationCenter)) {
    if (!imageProvider_) throw std::invalid_argument("CachedImageProvider: no image provider to wrap");
}

CachedImageProvider::CachedImageProvider(std::shared_ptr<AnimationImageProvider> imageProvider,
                                         std::shared_ptr<const LottieAnimation> document)
    : imageProvider_(std::move(imageProvider)) {
    if (!imageProvider_) throw std::invalid_argument("CachedImageProvider: no image provider to wrap");
    std::optional<std::string> source = imageProvider_->sharingKey();
    if (!document || !source) throw std::invalid_argument("CachedImageProvider: nothing to share images through");
    source_ = std::move(*source);
    // Shares the document's ownership: the cache lives as long as the document.
    imageCache_ = std::shared_ptr<DocumentImageCache>(document, &document->decodedImages());
}

std::shared_ptr<const platform::graphics::Image> CachedImageProvider::imageForAsset(const ImageAsset& asset) const {
    // No pixel budget, but the document's colour conversions still count: the
    // wrapped provider is asked within a budget that no image can pass.
    return imageCache_
        ->imageFor(keyFor(asset),
                   [&] {
                       ImagePixelBudget unbounded(std::numeric_limits<std::uint64_t>::max());
                       return decodedWithin(*imageProvider_, asset, unbounded, imageCache_->colorConversions());
                   })
        .image;
}

std::shared_ptr<const platform::graphics::Image> CachedImageProvider::imageForAssetWithinBudget(
    const ImageAsset& asset, ImagePixelBudget& budget) const {
    const DocumentImageCache::Found found = imageCache_->imageFor(keyFor(asset), [&] {
        return decodedWithin(*imageProvider_, asset, budget, imageCache_->colorConversions());
    });
    if (found.decodedNow || !found.image) return found.image;
    return budget.admit(found.image->width(), found.image->height()) ? found.image : nullptr;
}

std::shared_ptr<AnimationImageProvider> wrappedInImageCache(std::shared_ptr<AnimationImageProvider> provider,
                                                            std::shared_ptr<const LottieAnimation> document) {
    if (!provider || !provider->mayBeCached()) return provider;
    if (document && provider->sharingKey()) {
        return std::make_shared<CachedImageProvider>(std::move(provider), std::move(document));
    }
    return std::make_shared<CachedImageProvider>(std::move(provider));
}

}  // namespace lottie
