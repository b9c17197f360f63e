#include "Lottie/Playback/Cache/DocumentImageCache.h"

#include "Platform/Graphics/HashCombine.h"

namespace lottie {

std::size_t DocumentImageCache::KeyHash::operator()(const Key& key) const {
    std::size_t seed = std::hash<std::string>{}(key.source);
    platform::graphics::hashCombine(seed, std::hash<ImageCacheKey>{}(key.asset));
    return seed;
}

DocumentImageCache::DocumentImageCache(platform::foundation::NotificationCenter& notificationCenter)
    : slots_(decltype(slots_)::kUnlimited, decltype(slots_)::kUnlimited, notificationCenter) {}

DocumentImageCache& DocumentImageCache::operator=(const DocumentImageCache&) {
    slots_.emptyCache();
    return *this;
}

DocumentImageCache::Found DocumentImageCache::imageFor(const Key& key, const std::function<Decoded()>& decode) {
    std::shared_ptr<Slot> slot;
    {
        std::lock_guard guard(mutex_);
        if (auto filed = slots_.valueForKey(key)) {
            slot = *filed;
        } else {
            slot = std::make_shared<Slot>();
            slots_.setValue(slot, key, 0);
        }
    }
    std::lock_guard decoding(slot->decoding);
    if (slot->image || slot->refused) return {slot->image, false};
    Decoded decoded = decode();
    slot->image = std::move(decoded.image);
    slot->refused = !slot->image && decoded.refused;
    return {slot->image, true};
}

}  // namespace lottie
