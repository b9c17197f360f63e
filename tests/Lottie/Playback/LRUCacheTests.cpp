#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Cache/DefaultAnimationCache.h"
#include "Lottie/Playback/Cache/LRUCache.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Foundation/NotificationCenter.h"

using lottie::DefaultAnimationCache;
using lottie::LottieAnimation;
using lottie::LRUCache;
using platform::foundation::NotificationCenter;

namespace {

using IntCache = LRUCache<int, int>;
constexpr std::int64_t kMax = IntCache::kUnlimited;

// Runs a scripted use of a cache: "+k" stores k * 10 under k, "+k:c" does so at
// cost c, "?k" reads k, "-k" removes k and "#n" sets the count limit to n.
void run(IntCache& cache, const std::string& script) {
    std::istringstream steps(script);
    std::string step;
    while (steps >> step) {
        const int key = std::stoi(step.substr(1));
        const auto colon = step.find(':');
        const std::int64_t cost = colon == std::string::npos ? 0 : std::stoll(step.substr(colon + 1));
        switch (step[0]) {
            case '+': cache.setValue(key * 10, key, cost); break;
            case '?': cache.valueForKey(key); break;
            case '-': cache.removeValue(key); break;
            case '#': cache.setCountLimit(key); break;
            default: ADD_FAILURE() << "unknown step " << step;
        }
    }
}

TEST(LRUCache, EvictsFromTheLeastRecentlyUsedEnd) {
    struct Case {
        const char* name;
        std::int64_t costLimit;
        std::int64_t countLimit;
        const char* script;
        std::vector<int> keysByUse;
        std::int64_t totalCost;
    };
    const std::vector<Case> cases = {
        {"count limit drops the oldest", kMax, 3, "+1 +2 +3 +4", {2, 3, 4}, 0},
        {"a read protects a key", kMax, 3, "+1 +2 +3 ?1 +4", {3, 1, 4}, 0},
        {"cost limit drops until the total fits", 10, kMax, "+1:4 +2:4 +3:4", {2, 3}, 8},
        {"one costly entry pushes out several", 10, kMax, "+1:3 +2:3 +3:3 +4:9", {4}, 9},
        {"an entry over the cost limit evicts itself", 10, kMax, "+1:2 +2:11", {}, 0},
        {"replacing a key moves it and replaces its cost", 10, kMax, "+1:6 +2:3 +1:1", {2, 1}, 4},
        {"removal subtracts its cost", kMax, kMax, "+1:6 +2:3 -1", {2}, 3},
        {"count limit 0 keeps nothing", kMax, 0, "+1 +2", {}, 0},
        {"lowering the count limit evicts at once", kMax, kMax, "+1 +2 +3 ?1 #2", {3, 1}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NotificationCenter centre;
        IntCache cache(c.costLimit, c.countLimit, centre);
        run(cache, c.script);
        EXPECT_EQ(cache.keysByUse(), c.keysByUse);
        EXPECT_EQ(cache.count(), c.keysByUse.size());
        EXPECT_EQ(cache.totalCost(), c.totalCost);
        for (int key : c.keysByUse) EXPECT_EQ(cache.valueForKey(key), key * 10);
    }
}

TEST(LRUCache, RemovalsHandBackTheValue) {
    NotificationCenter centre;
    LRUCache<std::string, std::string> cache(kMax, kMax, centre);
    cache.setValue(std::string("first"), "a");
    EXPECT_EQ(cache.removeValue("a"), "first");
    EXPECT_EQ(cache.removeValue("a"), std::nullopt);
    cache.setValue(std::string("kept"), "b");
    cache.setValue(std::nullopt, "b");  // no value removes the key
    EXPECT_EQ(cache.count(), 0u);
}

TEST(LRUCache, RefusesCostsThatWouldCorruptTheTotal) {
    NotificationCenter centre;
    IntCache cache(kMax, kMax, centre);
    cache.setValue(1, 1, kMax - 5);
    EXPECT_THROW(cache.setValue(2, 2, 6), std::overflow_error);
    EXPECT_THROW(cache.setValue(3, 3, -1), std::invalid_argument);
    EXPECT_EQ(cache.keysByUse(), std::vector<int>{1});
    EXPECT_EQ(cache.totalCost(), kMax - 5);
    // Replacing the costly entry itself is fine: its old cost no longer counts.
    cache.setValue(4, 1, kMax);
    EXPECT_EQ(cache.totalCost(), kMax);
    EXPECT_EQ(cache.valueForKey(1), 4);
}

TEST(LRUCache, EmptiesOnTheMemoryWarningOfItsOwnCentreOnly) {
    NotificationCenter own;
    NotificationCenter other;
    IntCache cache(kMax, kMax, own);
    cache.setValue(1, 1, 5);
    cache.setValue(2, 2, 7);
    other.post(lottie::kLRUCacheMemoryWarningNotification);
    own.post("SomeOtherNotification");
    EXPECT_EQ(cache.count(), 2u);
    own.post(lottie::kLRUCacheMemoryWarningNotification);
    EXPECT_EQ(cache.count(), 0u);
    cache.setValue(3, 3, 4);
    EXPECT_EQ(cache.totalCost(), 4);  // the emptied costs no longer count

    // A cache that is gone no longer listens.
    { IntCache gone(kMax, kMax, other); }
    EXPECT_EQ(other.observerCount(), 0u);
    other.post(lottie::kLRUCacheMemoryWarningNotification);
}

// A value whose destruction reads the cache that held it: destruction must not
// happen under the cache's lock.
struct ReadsCacheWhenDestroyed {
    LRUCache<int, std::shared_ptr<ReadsCacheWhenDestroyed>>* cache = nullptr;
    int* reads = nullptr;
    ~ReadsCacheWhenDestroyed() {
        if (cache) {
            cache->count();
            ++*reads;
        }
    }
};

TEST(LRUCache, DestroysLeavingValuesOutsideItsLock) {
    NotificationCenter centre;
    LRUCache<int, std::shared_ptr<ReadsCacheWhenDestroyed>> cache(kMax, 1, centre);
    int reads = 0;
    auto make = [&] {
        auto value = std::make_shared<ReadsCacheWhenDestroyed>();
        value->cache = &cache;
        value->reads = &reads;
        return value;
    };
    cache.setValue(make(), 1);
    cache.setValue(make(), 2);  // evicts 1
    cache.setValue(make(), 2);  // replaces 2
    cache.setCountLimit(0);     // evicts the rest
    cache.setValue(make(), 3);  // evicts itself
    cache.setCountLimit(5);
    cache.setValue(make(), 4);
    centre.post(lottie::kLRUCacheMemoryWarningNotification);
    cache.setValue(make(), 5);
    cache.removeValue(5);
    EXPECT_EQ(reads, 6);  // every value made, each destroyed once
}

// Many threads share one cache while memory warnings arrive; afterwards the cache
// must still be consistent. Bounded by a fixed amount of work, not by time.
TEST(LRUCache, StaysConsistentUnderConcurrentUse) {
    NotificationCenter centre;
    constexpr std::int64_t kCountLimit = 40;
    LRUCache<int, std::string> cache(kMax, kCountLimit, centre);
    constexpr int kThreads = 8;
    constexpr int kOperations = 20000;
    std::atomic<int> wrongValues{0};
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            std::mt19937 random(static_cast<unsigned>(t) * 7919u + 1u);
            std::uniform_int_distribution<int> keys(0, 99);
            std::uniform_int_distribution<int> actions(0, 99);
            for (int i = 0; i < kOperations; ++i) {
                const int key = keys(random);
                const int action = actions(random);
                if (action < 45) {
                    cache.setValue(std::to_string(key), key, 1);
                } else if (action < 85) {
                    if (auto value = cache.valueForKey(key); value && *value != std::to_string(key)) ++wrongValues;
                } else if (action < 95) {
                    cache.removeValue(key);
                } else if (action < 98) {
                    cache.setCountLimit(kCountLimit - (key % 5));
                } else if (t % 2 == 0) {
                    centre.post(lottie::kLRUCacheMemoryWarningNotification);
                } else {
                    cache.emptyCache();
                }
            }
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(wrongValues.load(), 0);
    const std::vector<int> keys = cache.keysByUse();
    EXPECT_EQ(keys.size(), cache.count());
    EXPECT_LE(static_cast<std::int64_t>(keys.size()), cache.countLimit());
    EXPECT_EQ(std::set<int>(keys.begin(), keys.end()).size(), keys.size());
    EXPECT_EQ(cache.totalCost(), static_cast<std::int64_t>(keys.size()));  // every cost was 1
    for (int key : keys) EXPECT_EQ(cache.valueForKey(key), std::to_string(key));
}

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

    // Shrinking drops from the least recently used end: 3 ... 99 go first.
    cache.setCacheSize(3);
    EXPECT_EQ(cache.animationForKey(keyFor(99)), nullptr);
    EXPECT_EQ(cache.animationForKey(keyFor(2)), animations[2]);

    cache.dropAllAnimations();
    EXPECT_EQ(cache.count(), 0u);
    fill(cache, 5);
    centre.post(lottie::kLRUCacheMemoryWarningNotification);
    EXPECT_EQ(cache.count(), 0u);
}

}  // namespace
