#pragma once
// Equal values that many holders would otherwise each keep a copy of: a holder
// hands its value to the pool and gets back an equal one that another holder
// already shares, or its own, now shared. The pool holds the values weakly, so
// a value lives as long as some holder keeps it, and the holders must never
// change a value they got from the pool. Used where several views of one
// document make the same values (paths, layer transforms). Holders on any
// thread may use one pool, hence the lock; each pool is a static of its user.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <mutex>
#include <unordered_map>
#include <utility>

namespace platform::foundation {

template <class Value>
class SharingPool {
public:
    // `hash` must be the same for equal values.
    std::shared_ptr<Value> share(Value value, std::size_t hash) {
        const std::lock_guard lock(mutex_);
        auto [first, last] = values_.equal_range(hash);
        for (auto entry = first; entry != last; ++entry) {
            if (auto held = entry->second.lock(); held && *held == value) return held;
        }
        auto made = std::make_shared<Value>(std::move(value));
        values_.emplace(hash, made);
        if (values_.size() >= pruneAt_) prune();
        return made;
    }

    // How many values some holder still keeps.
    std::size_t heldCount() {
        const std::lock_guard lock(mutex_);
        prune();
        return values_.size();
    }

private:
    static constexpr std::size_t minimumPruneSize = 64;

    // Forgets the values that nobody holds any more, and looks for them again
    // once the pool has grown to twice what is left.
    void prune() {
        std::erase_if(values_, [](const auto& entry) { return entry.second.expired(); });
        pruneAt_ = std::max(minimumPruneSize, 2 * values_.size());
    }

    std::mutex mutex_;
    std::unordered_multimap<std::size_t, std::weak_ptr<Value>> values_;
    std::size_t pruneAt_ = minimumPruneSize;
};

}  // namespace platform::foundation
