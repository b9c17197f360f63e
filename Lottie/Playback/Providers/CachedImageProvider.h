#pragma once
// Remembers the images another provider gave, so that an engine asking again for an
// asset (every rebuild of an image layer) decodes nothing. Made by
// wrappedInImageCache() for each rendering layer, which owns it; emptied by the
// memory-warning notification. Images the wrapped provider doesn't have are asked
// for again next time.

#include <memory>

#include "Lottie/Playback/Cache/LRUCache.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/ImageCacheKey.h"

namespace lottie {

class CachedImageProvider final : public AnimationImageProvider {
public:
    explicit CachedImageProvider(std::shared_ptr<AnimationImageProvider> imageProvider,
                                 platform::foundation::NotificationCenter& notificationCenter =
                                     platform::foundation::NotificationCenter::defaultCenter());

    // Already a cache: wrapping it again would only add a second one.
    bool mayBeCached() const override { return false; }
    std::shared_ptr<const platform::graphics::Image> imageForAsset(const ImageAsset& asset) const override;
    // A remembered image counts against the budget as a decoded one would.
    std::shared_ptr<const platform::graphics::Image> imageForAssetWithinBudget(const ImageAsset& asset,
                                                                               ImagePixelBudget& budget) const override;
    platform::compositor::ContentsGravity gravityForAsset(const ImageAsset& asset) const override {
        return imageProvider_->gravityForAsset(asset);
    }

    const std::shared_ptr<AnimationImageProvider>& imageProvider() const { return imageProvider_; }

private:
    std::shared_ptr<AnimationImageProvider> imageProvider_;
    // Filled while answering; guarded by its own lock.
    mutable LRUCache<ImageCacheKey, std::shared_ptr<const platform::graphics::Image>> imageCache_;
};

// The provider an engine is given: a new, empty cache around it when it may be
// cached, else the provider itself. Nothing stays nothing.
std::shared_ptr<AnimationImageProvider> wrappedInImageCache(std::shared_ptr<AnimationImageProvider> provider);

}  // namespace lottie
