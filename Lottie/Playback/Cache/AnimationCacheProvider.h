#pragma once
// Where the loaders keep decoded animations by a text key, so that loading the same
// resource again costs no decoding. The loaders take a cache as an argument; a host
// chooses which one (usually DefaultAnimationCache::sharedCache()). Implementations
// are shared by every thread that loads and must guard themselves.

#include <memory>
#include <string>

#include "Lottie/Model/LottieAnimation.h"

namespace lottie {

class AnimationCacheProvider {
public:
    virtual ~AnimationCacheProvider() = default;

    virtual std::shared_ptr<const LottieAnimation> animationForKey(const std::string& key) = 0;
    virtual void setAnimation(std::shared_ptr<const LottieAnimation> animation, const std::string& key) = 0;
    virtual void dropAllAnimations() = 0;
};

}  // namespace lottie
