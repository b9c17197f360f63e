#include "Lottie/Playback/Providers/CachedImageProvider.h"

#include <stdexcept>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

namespace {

// Says what the decoder of a document's image left undone, once per decoding:
// the cache decodes each image of a document once.
std::shared_ptr<const platform::graphics::Image> warnedOf(std::shared_ptr<const platform::graphics::Image> image,
                                                          const ImageAsset& asset) {
    if (image && !image->decodingWarning().empty()) {
        LottieLogger::shared()->warn(
            [&] { return "Image asset \"" + asset.id + "\": " + image->decodingWarning(); },
            "Lottie/CachedImageProvider", __LINE__);
    }
    return image;
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
    return imageCache_->imageFor(keyFor(asset), [&] { return warnedOf(imageProvider_->imageForAsset(asset), asset); }).image;
}

std::shared_ptr<const platform::graphics::Image> CachedImageProvider::imageForAssetWithinBudget(
    const ImageAsset& asset, ImagePixelBudget& budget) const {
    const DocumentImageCache::Found found = imageCache_->imageFor(
        keyFor(asset), [&] { return warnedOf(imageProvider_->imageForAssetWithinBudget(asset, budget), asset); });
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
