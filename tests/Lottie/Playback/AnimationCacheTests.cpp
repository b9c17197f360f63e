#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Cache/DefaultAnimationCache.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Foundation/NotificationCenter.h"

using lottie::DefaultAnimationCache;
using lottie::LottieAnimation;
using platform::foundation::NotificationCenter;

namespace {

std::shared_ptr<const LottieAnimation> makeAnimation(int frames) {
    const std::string document =
        R"({"v":"5.7.4","fr":30,"ip":0,"op":)" + std::to_string(frames) + R"(,"w":10,"h":10,"layers":[]})";
    return LottieAnimation::fromData(document, lottie::DecodingStrategy::dictionaryBased);
}

std::string keyFor(int index) { return "animation-" + std::to_string(index); }

// Fills a cache with keys 0 ..< count, each its own animation.
std::vector<std::shared_ptr<const LottieAnimation>> fill(DefaultAnimationCache& cache, int count) {
    std::vector<std::shared_ptr<const LottieAnimation>> animations;
    for (int i = 0; i < count; ++i) {
        animations.push_back(makeAnimation(i + 1));
        cache.setAnimation(animations.back(), keyFor(i));
    }
    return animations;
}

// The default cache holds a hundred animations, drops the least recently used
// first (also when it shrinks), and empties on request and on a memory warning.
TEST(DefaultAnimationCache, KeepsTheMostRecentlyUsedUntilToldToForget) {
    NotificationCenter centre;
    DefaultAnimationCache cache(centre);
    auto animations = fill(cache, 100);
    EXPECT_EQ(cache.animationForKey(keyFor(0)), animations[0]);  // protects key 0
    animations.push_back(makeAnimation(500));
    cache.setAnimation(animations.back(), keyFor(100));
    EXPECT_EQ(cache.count(), 100u);
    EXPECT_EQ(cache.animationForKey(keyFor(0)), animations[0]);
    EXPECT_EQ(cache.animationForKey(keyFor(1)), nullptr);  // the next older key went instead
    EXPECT_EQ(cache.animationForKey(keyFor(2)), animations[2]);

    // From the least recently used: 3 ... 99, 100, 0, 2.
    cache.setCacheSize(10);
    EXPECT_EQ(cache.count(), 10u);
    for (int i = 0; i <= 100; ++i) {
        const bool kept = i == 0 || i == 2 || i >= 93;
        EXPECT_EQ(cache.animationForKey(keyFor(i)), kept ? animations[i] : nullptr) << i;
    }

    cache.dropAllAnimations();
    EXPECT_EQ(cache.count(), 0u);
    fill(cache, 5);
    centre.post(lottie::kLRUCacheMemoryWarningNotification);
    EXPECT_EQ(cache.count(), 0u);
}

}  // namespace
