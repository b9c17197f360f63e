#pragma once
// The library's animation cache: the most recently used decoded animations by key,
// 100 of them unless told otherwise. Emptied by the memory-warning notification on
// the centre it was made with. Shared by the loaders on any thread.

#include <cstdint>
#include <memory>
#include <string>

#include "Lottie/Playback/Cache/AnimationCacheProvider.h"
#include "Lottie/Playback/Cache/LRUCache.h"

namespace lottie {

class DefaultAnimationCache final : public AnimationCacheProvider {
public:
    static constexpr std::int64_t kDefaultCacheSize = 100;

    explicit DefaultAnimationCache(platform::foundation::NotificationCenter& notificationCenter =
                                       platform::foundation::NotificationCenter::defaultCenter());

    // The process-wide cache, made on first use.
    static const std::shared_ptr<DefaultAnimationCache>& sharedCache();

    // How many animations are kept; lowering it evicts the least recently used at once.
    std::int64_t cacheSize() const { return cache_.countLimit(); }
    void setCacheSize(std::int64_t size) { cache_.setCountLimit(size); }

    // A hit counts as a use.
    std::shared_ptr<const LottieAnimation> animationForKey(const std::string& key) override;
    void setAnimation(std::shared_ptr<const LottieAnimation> animation, const std::string& key) override;
    void dropAllAnimations() override { cache_.emptyCache(); }

    std::size_t count() const { return cache_.count(); }

private:
    LRUCache<std::string, std::shared_ptr<const LottieAnimation>> cache_;
};

}  // namespace lottie
