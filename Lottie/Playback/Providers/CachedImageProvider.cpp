#include "Lottie/Playback/Providers/CachedImageProvider.h"

#include <stdexcept>

namespace lottie {

CachedImageProvider::CachedImageProvider(std::shared_ptr<AnimationImageProvider> imageProvider,
                                         platform::foundation::NotificationCenter& notificationCenter)
    : imageProvider_(std::move(imageProvider)),
      imageCache_(decltype(imageCache_)::kUnlimited, decltype(imageCache_)::kUnlimited, notificationCenter) {
    if (!imageProvider_) throw std::invalid_argument("CachedImageProvider: no image provider to wrap");
}

std::shared_ptr<const platform::graphics::Image> CachedImageProvider::imageForAsset(const ImageAsset& asset) const {
    const ImageCacheKey key = ImageCacheKey::forAsset(asset);
    if (auto cached = imageCache_.valueForKey(key)) return *cached;
    auto image = imageProvider_->imageForAsset(asset);
    if (image) imageCache_.setValue(image, key, 0);
    return image;
}

std::shared_ptr<const platform::graphics::Image> CachedImageProvider::imageForAssetWithinBudget(
    const ImageAsset& asset, ImagePixelBudget& budget) const {
    const ImageCacheKey key = ImageCacheKey::forAsset(asset);
    if (auto cached = imageCache_.valueForKey(key)) {
        return budget.admit((*cached)->width(), (*cached)->height()) ? *cached : nullptr;
    }
    auto image = imageProvider_->imageForAssetWithinBudget(asset, budget);
    if (image) imageCache_.setValue(image, key, 0);
    return image;
}

std::shared_ptr<AnimationImageProvider> wrappedInImageCache(std::shared_ptr<AnimationImageProvider> provider) {
    if (!provider || !provider->mayBeCached()) return provider;
    return std::make_shared<CachedImageProvider>(std::move(provider));
}

}  // namespace lottie
