#pragma once
// Remembers the images another provider gave, so that an engine asking again for an
// asset (every rebuild of an image layer) decodes nothing. Made by
// wrappedInImageCache() for each rendering layer, which owns it. The images go in
// the document's own image cache when the provider has a sharing key, so that
// every view of the document shares them, else in a cache of its own; either is
// emptied by the memory-warning notification. Images the wrapped provider doesn't
// have are asked for again next time.

#include <memory>
#include <string>

#include "Lottie/Playback/Cache/DocumentImageCache.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"

namespace lottie {

class LottieAnimation;

class CachedImageProvider final : public AnimationImageProvider {
public:
    explicit CachedImageProvider(std::shared_ptr<AnimationImageProvider> imageProvider,
                                 platform::foundation::NotificationCenter& notificationCenter =
                                     platform::foundation::NotificationCenter::defaultCenter());
    // Files the images in the document's image cache under the provider's
    // sharing key (which it must have), keeping the document alive meanwhile.
    CachedImageProvider(std::shared_ptr<AnimationImageProvider> imageProvider,
                        std::shared_ptr<const LottieAnimation> document);

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
    DocumentImageCache::Key keyFor(const ImageAsset& asset) const { return {source_, ImageCacheKey::forAsset(asset)}; }

    std::shared_ptr<AnimationImageProvider> imageProvider_;
    // Filled while answering; safe from any thread.
    std::shared_ptr<DocumentImageCache> imageCache_;
    std::string source_;
};

// The provider an engine drawing `document` is given: a cache around it when it
// may be cached (the document's when the provider has a sharing key, else a new,
// empty one), else the provider itself. Nothing stays nothing.
std::shared_ptr<AnimationImageProvider> wrappedInImageCache(std::shared_ptr<AnimationImageProvider> provider,
                                                            std::shared_ptr<const LottieAnimation> document = nullptr);

}  // namespace lottie
