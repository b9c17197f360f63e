#pragma once
// The lists that the Core Animation engine hands to the compositor's keyframe
// animations (mapped keyframe values, key times, timing functions) and the
// paths they move along (with their measuring tables), kept once
// for every animation that holds an equal list. Views of one document build
// the same lists for the same layers, and a star sampled ten times a frame
// holds thousands of paths: shared, an extra view costs its layers but no
// second copy of those values.
//
// An item is found again by its hash and compared in full, so only equal items
// are ever shared, and a shared item never changes. The pools hold their items
// weakly: an item lives as long as an animation holds it, and entries of items
// gone are swept as the pool grows. Process-wide; any thread.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "Platform/Compositor/AnimatableValue.h"
#include "Platform/Graphics/HashCombine.h"
#include "Platform/Compositor/KeyframeAnimation.h"
#include "Platform/Compositor/TimingFunction.h"

namespace lottie {

template <class Item, class Hash>
class SharedPool {
public:
    using Shared = std::shared_ptr<const Item>;

    // An equal item already held elsewhere, else `item` itself, now shared.
    // Null for an empty list.
    Shared shared(Item item) {
        if constexpr (requires { item.empty(); }) {
            if (item.empty()) return nullptr;
        }
        const std::size_t key = Hash{}(item);
        const std::lock_guard lock(mutex_);
        std::size_t compared = 0;
        if (Shared held = find(key, [&item](const Item& other) { return other == item; }, compared)) return held;
        if (compared == maximumComparedPerHash) return std::make_shared<const Item>(std::move(item));
        sweepIfGrown();
        Shared made = std::make_shared<const Item>(std::move(item));
        items_.emplace(key, made);
        return made;
    }

    // An item of hash `key` held elsewhere for which `matches` holds, else the
    // item `make` makes, shared as above: for items that cost more to make
    // than what they are found by (a path's measuring table, found by the
    // path), made only when none is held.
    template <class Matches, class Make>
    Shared sharedOrMade(std::size_t key, const Matches& matches, const Make& make) {
        {
            const std::lock_guard lock(mutex_);
            std::size_t compared = 0;
            if (Shared held = find(key, matches, compared)) return held;
        }
        return shared(make());
    }

    // How many items the pool knows, gone ones not yet swept included.
    std::size_t entryCount() const {
        const std::lock_guard lock(mutex_);
        return items_.size();
    }

private:
    // Under the lock: a held item of hash `key` for which `matches` holds.
    // Only a few items of one hash are compared (`compared` counts them), so
    // that lists made to collide cost a bounded comparison each; past those,
    // a list is kept unshared.
    template <class Matches>
    Shared find(std::size_t key, const Matches& matches, std::size_t& compared) const {
        auto [first, last] = items_.equal_range(key);
        for (auto entry = first; entry != last && compared < maximumComparedPerHash; ++entry) {
            Shared held = entry->second.lock();
            if (!held) continue;
            if (matches(*held)) return held;
            ++compared;
        }
        return nullptr;
    }

    // Drops the entries of items gone once the pool has doubled since the last
    // sweep, so that sweeping stays a constant cost per item added.
    void sweepIfGrown() {
        if (items_.size() < sweepAt_) return;
        std::erase_if(items_, [](const auto& entry) { return entry.second.expired(); });
        sweepAt_ = std::max<std::size_t>(minimumSweepSize, 2 * items_.size());
    }

    static constexpr std::size_t minimumSweepSize = 256;
    static constexpr std::size_t maximumComparedPerHash = 8;
    mutable std::mutex mutex_;
    std::unordered_multimap<std::size_t, std::weak_ptr<const Item>> items_;
    std::size_t sweepAt_ = minimumSweepSize;
};

// A list's hash from its elements' hashes, in order.
template <class T, class ElementHash>
struct ListHash {
    std::size_t operator()(const std::vector<T>& list) const {
        std::size_t key = list.size();
        for (const T& element : list) platform::graphics::hashCombine(key, ElementHash{}(element));
        return key;
    }
};

struct SharedKeyframeLists {
    struct TimingFunctionHash {
        std::size_t operator()(const platform::compositor::TimingFunction& function) const;
    };
    struct PreparedPathHash {
        std::size_t operator()(const platform::compositor::KeyframeAnimation::PreparedPath& path) const {
            return path.hash();
        }
    };
    template <class T, class ElementHash>
    using ListPool = SharedPool<std::vector<T>, ListHash<T, ElementHash>>;
    using ValuePool =
        ListPool<platform::compositor::AnimatableValue, std::hash<platform::compositor::AnimatableValue>>;
    using KeyTimePool = ListPool<double, std::hash<double>>;
    using TimingFunctionPool = ListPool<platform::compositor::TimingFunction, TimingFunctionHash>;
    using MotionPathPool = SharedPool<platform::compositor::KeyframeAnimation::PreparedPath, PreparedPathHash>;

    static ValuePool& values();
    static KeyTimePool& keyTimes();
    static TimingFunctionPool& timingFunctions();
    static MotionPathPool& motionPaths();
};

}  // namespace lottie
