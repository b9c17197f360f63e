#pragma once
// The library's package cache: the most recently used loaded packages by key,
// 100 of them unless told otherwise. Emptied by the memory-warning notification
// on the centre it was made with. Shared by the loaders on any thread; a hit
// hands every caller the same package object.

#include <cstdint>
#include <memory>
#include <string>

#include "Lottie/DotLottie/DotLottieCacheProvider.h"
#include "Lottie/Playback/Cache/LRUCache.h"

namespace lottie {

class DotLottieCache final : public DotLottieCacheProvider {
public:
    static constexpr std::int64_t kDefaultCacheSize = 100;

    explicit DotLottieCache(platform::foundation::NotificationCenter& notificationCenter =
                                platform::foundation::NotificationCenter::defaultCenter());

    // The process-wide cache, made on first use.
    static const std::shared_ptr<DotLottieCache>& shared();

    // How many packages are kept; lowering it evicts the least recently used at once.
    std::int64_t cacheSize() const { return cache_.countLimit(); }
    void setCacheSize(std::int64_t size) { cache_.setCountLimit(size); }

    // A hit counts as a use.
    std::shared_ptr<const DotLottieFile> cachedFile(const std::string& key) override;
    // No file removes the key.
    void storeFile(std::shared_ptr<const DotLottieFile> file, const std::string& key) override;
    void dropAllAnimations() override { cache_.emptyCache(); }

    std::size_t count() const { return cache_.count(); }

private:
    LRUCache<std::string, std::shared_ptr<const DotLottieFile>> cache_;
};

}  // namespace lottie
