#pragma once
// A process-wide slot where a host may keep the one animation cache it passes to
// the loaders. The library itself never reads it. Starts as the shared default
// cache; safe to read and replace from any thread.

#include <memory>

#include "Lottie/Playback/Cache/AnimationCacheProvider.h"

namespace lottie {

class LottieAnimationCache {
public:
    LottieAnimationCache() = delete;

    static std::shared_ptr<AnimationCacheProvider> shared();
    static void setShared(std::shared_ptr<AnimationCacheProvider> cache);
};

}  // namespace lottie
