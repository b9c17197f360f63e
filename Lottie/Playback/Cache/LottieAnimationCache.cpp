#include "Lottie/Playback/Cache/LottieAnimationCache.h"

#include <mutex>

#include "Lottie/Playback/Cache/DefaultAnimationCache.h"

namespace lottie {

namespace {

std::mutex& slotLock() {
    static std::mutex lock;
    return lock;
}

std::shared_ptr<AnimationCacheProvider>& slot() {
    static std::shared_ptr<AnimationCacheProvider> cache = DefaultAnimationCache::sharedCache();
    return cache;
}

}  // namespace

std::shared_ptr<AnimationCacheProvider> LottieAnimationCache::shared() {
    std::lock_guard guard(slotLock());
    return slot();
}

void LottieAnimationCache::setShared(std::shared_ptr<AnimationCacheProvider> cache) {
    std::lock_guard guard(slotLock());
    slot() = std::move(cache);
}

}  // namespace lottie
