#pragma once
// The lists that the Core Animation engine hands to the compositor's keyframe
// animations (mapped keyframe values, key times, timing functions), kept once
// for every animation that holds an equal list. Views of one document build
// the same lists for the same layers, and a star sampled ten times a frame
// holds thousands of paths: shared, an extra view costs its layers but no
// second copy of those values.
//
// A list is found again by its hash and compared in full, so only equal lists
// are ever shared, and a shared list never changes. The pools hold their lists
// weakly: a list lives as long as an animation holds it, and entries of lists
// gone are swept as the pool grows. Process-wide; any thread.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "Platform/Compositor/AnimatableValue.h"
#include "Platform/Compositor/TimingFunction.h"

namespace lottie {

template <class T, class Hash>
class SharedListPool {
public:
    using List = std::shared_ptr<const std::vector<T>>;

    // An equal list already held elsewhere, else `list` itself, now shared.
    // Null for an empty list.
    List shared(std::vector<T> list) {
        if (list.empty()) return nullptr;
        std::size_t key = list.size();
        for (const T& element : list) key = key * 1'000'003u ^ Hash{}(element);
        const std::lock_guard lock(mutex_);
        auto [first, last] = lists_.equal_range(key);
        for (auto entry = first; entry != last; ++entry) {
            List held = entry->second.lock();
            if (held && *held == list) return held;
        }
        sweepIfGrown();
        List made = std::make_shared<const std::vector<T>>(std::move(list));
        lists_.emplace(key, made);
        return made;
    }

    // How many lists the pool knows, gone ones not yet swept included.
    std::size_t entryCount() const {
        const std::lock_guard lock(mutex_);
        return lists_.size();
    }

private:
    // Drops the entries of lists gone once the pool has doubled since the last
    // sweep, so that sweeping stays a constant cost per list added.
    void sweepIfGrown() {
        if (lists_.size() < sweepAt_) return;
        std::erase_if(lists_, [](const auto& entry) { return entry.second.expired(); });
        sweepAt_ = std::max<std::size_t>(minimumSweepSize, 2 * lists_.size());
    }

    static constexpr std::size_t minimumSweepSize = 256;
    mutable std::mutex mutex_;
    std::unordered_multimap<std::size_t, std::weak_ptr<const std::vector<T>>> lists_;
    std::size_t sweepAt_ = minimumSweepSize;
};

struct SharedKeyframeLists {
    struct TimingFunctionHash {
        std::size_t operator()(const platform::compositor::TimingFunction& function) const;
    };
    using ValuePool = SharedListPool<platform::compositor::AnimatableValue,
                                     std::hash<platform::compositor::AnimatableValue>>;
    using KeyTimePool = SharedListPool<double, std::hash<double>>;
    using TimingFunctionPool = SharedListPool<platform::compositor::TimingFunction, TimingFunctionHash>;

    static ValuePool& values();
    static KeyTimePool& keyTimes();
    static TimingFunctionPool& timingFunctions();
};

}  // namespace lottie
