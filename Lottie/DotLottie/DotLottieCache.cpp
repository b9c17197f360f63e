#include "Lottie/DotLottie/DotLottieCache.h"

#include "Lottie/DotLottie/DotLottieFile.h"

namespace lottie {

DotLottieCache::DotLottieCache(platform::foundation::NotificationCenter& notificationCenter)
    : cache_(decltype(cache_)::kUnlimited, decltype(cache_)::kUnlimited, notificationCenter) {
    cache_.setCountLimit(kDefaultCacheSize);
}

const std::shared_ptr<DotLottieCache>& DotLottieCache::shared() {
    static const std::shared_ptr<DotLottieCache> cache = std::make_shared<DotLottieCache>();
    return cache;
}

std::shared_ptr<const DotLottieFile> DotLottieCache::cachedFile(const std::string& key) {
    return cache_.valueForKey(key).value_or(nullptr);
}

void DotLottieCache::storeFile(std::shared_ptr<const DotLottieFile> file, const std::string& key) {
    if (!file) {
        cache_.removeValue(key);
        return;
    }
    cache_.setValue(std::move(file), key, 0);
}

}  // namespace lottie
