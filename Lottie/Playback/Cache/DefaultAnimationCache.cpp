#include "Lottie/Playback/Cache/DefaultAnimationCache.h"

namespace lottie {

DefaultAnimationCache::DefaultAnimationCache(platform::foundation::NotificationCenter& notificationCenter)
    : cache_(decltype(cache_)::kUnlimited, decltype(cache_)::kUnlimited, notificationCenter) {
    cache_.setCountLimit(kDefaultCacheSize);
}

const std::shared_ptr<DefaultAnimationCache>& DefaultAnimationCache::sharedCache() {
    static const std::shared_ptr<DefaultAnimationCache> cache = std::make_shared<DefaultAnimationCache>();
    return cache;
}

std::shared_ptr<const LottieAnimation> DefaultAnimationCache::animationForKey(const std::string& key) {
    return cache_.valueForKey(key).value_or(nullptr);
}

void DefaultAnimationCache::setAnimation(std::shared_ptr<const LottieAnimation> animation, const std::string& key) {
    // A missing animation removes the key, as the cache does for a missing value.
    if (!animation) {
        cache_.removeValue(key);
        return;
    }
    cache_.setValue(std::move(animation), key, 0);
}

}  // namespace lottie
