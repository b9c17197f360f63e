#pragma once
// The library's one cache container: a map from keys to values that remembers the
// order of use and drops the least recently used entries while it holds more than
// its count limit or more total cost than its cost limit. It empties itself when
// "LRUCacheMemoryWarningNotification" is posted on its notification centre; the
// library never posts that itself, a host does to release memory.
//
// Owned by whoever keeps the cache (the animation cache, the dotLottie package
// cache, the image cache of each rendering layer). Every operation is safe from
// any thread: one lock guards the whole state, and the notification observer holds
// the state weakly so it never keeps a dropped cache alive.
//
// Costs are never negative, and an insertion whose cost would carry the total past
// the largest 64-bit value is refused with std::overflow_error, leaving the cache as
// it was; a cache is never left with a wrong total. Values that leave the cache
// (evicted, replaced, emptied) are destroyed after the lock is released, so a value
// whose destructor uses the cache cannot deadlock it.

#include <cstdint>
#include <limits>
#include <memory>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "Platform/Foundation/NotificationCenter.h"

namespace lottie {

// The notification every live cache empties itself on.
inline constexpr const char* kLRUCacheMemoryWarningNotification = "LRUCacheMemoryWarningNotification";

template <class Key, class Value, class Hash = std::hash<Key>>
class LRUCache {
public:
    static constexpr std::int64_t kUnlimited = std::numeric_limits<std::int64_t>::max();

    explicit LRUCache(std::int64_t totalCostLimit = kUnlimited, std::int64_t countLimit = kUnlimited,
                      platform::foundation::NotificationCenter& notificationCenter =
                          platform::foundation::NotificationCenter::defaultCenter())
        : state_(std::make_shared<State>(totalCostLimit, countLimit)) {
        std::weak_ptr<State> weakState = state_;
        token_ = notificationCenter.addObserver(kLRUCacheMemoryWarningNotification,
                                                [weakState](const platform::foundation::Notification&) {
                                                    if (auto state = weakState.lock()) state->emptyCache();
                                                });
    }

    // Unregisters before the state goes, so a notification posted meanwhile finds
    // nothing to empty.
    ~LRUCache() { token_.reset(); }

    LRUCache(const LRUCache&) = delete;
    LRUCache& operator=(const LRUCache&) = delete;

    // Stores a value under a key as the most recently used entry, then evicts. No
    // value removes the key. Throws std::invalid_argument for a negative cost and
    // std::overflow_error when the total cost would overflow; the cache is unchanged.
    void setValue(std::optional<Value> value, const Key& key, std::int64_t cost = 0) {
        if (!value) {
            removeValue(key);
            return;
        }
        if (cost < 0) throw std::invalid_argument("LRUCache::setValue: a cost may not be negative");
        std::vector<Value> leaving;
        {
            std::lock_guard lock(state_->mutex);
            state_->insert(std::move(*value), key, cost, leaving);
            state_->evictOverLimit(leaving);
        }
    }

    // The value of a key; a hit becomes the most recently used entry.
    std::optional<Value> valueForKey(const Key& key) {
        std::lock_guard lock(state_->mutex);
        auto found = state_->values.find(key);
        if (found == state_->values.end()) return std::nullopt;
        Container* container = found->second.get();
        state_->unlink(container);
        state_->append(container);
        return container->value;
    }

    // Removes a key and hands back its value (nothing on a miss).
    std::optional<Value> removeValue(const Key& key) {
        std::unique_ptr<Container> removed;
        {
            std::lock_guard lock(state_->mutex);
            auto found = state_->values.find(key);
            if (found == state_->values.end()) return std::nullopt;
            removed = std::move(found->second);
            state_->values.erase(found);
            state_->unlink(removed.get());
            state_->totalCost -= removed->cost;
        }
        return std::move(removed->value);
    }

    void emptyCache() { state_->emptyCache(); }

    std::int64_t countLimit() const {
        std::lock_guard lock(state_->mutex);
        return state_->countLimit;
    }
    // Evicts at once down to the new limit.
    void setCountLimit(std::int64_t limit) {
        std::vector<Value> leaving;
        {
            std::lock_guard lock(state_->mutex);
            state_->countLimit = limit;
            state_->evictOverLimit(leaving);
        }
    }
    std::int64_t totalCostLimit() const {
        std::lock_guard lock(state_->mutex);
        return state_->totalCostLimit;
    }
    std::int64_t totalCost() const {
        std::lock_guard lock(state_->mutex);
        return state_->totalCost;
    }
    std::size_t count() const {
        std::lock_guard lock(state_->mutex);
        return state_->values.size();
    }
    // The keys from least to most recently used; for diagnostics and tests.
    std::vector<Key> keysByUse() const {
        std::lock_guard lock(state_->mutex);
        std::vector<Key> keys;
        keys.reserve(state_->values.size());
        for (const Container* c = state_->head; c; c = c->next) keys.push_back(c->key);
        return keys;
    }

private:
    struct Container {
        Container(Value v, std::int64_t c, Key k) : value(std::move(v)), cost(c), key(std::move(k)) {}
        Value value;
        std::int64_t cost;
        Key key;
        Container* prev = nullptr;
        Container* next = nullptr;
    };

    // Everything the lock guards. The map owns the containers; the list through
    // them runs from head (least recent) to tail (most recent).
    struct State {
        State(std::int64_t costLimit, std::int64_t entryLimit) : totalCostLimit(costLimit), countLimit(entryLimit) {}

        std::mutex mutex;
        std::int64_t totalCost = 0;
        std::int64_t totalCostLimit;
        std::int64_t countLimit;
        std::unordered_map<Key, std::unique_ptr<Container>, Hash> values;
        Container* head = nullptr;
        Container* tail = nullptr;

        void unlink(Container* c) {
            if (head == c) head = c->next;
            if (tail == c) tail = c->prev;
            if (c->next) c->next->prev = c->prev;
            if (c->prev) c->prev->next = c->next;
            c->next = nullptr;
            c->prev = nullptr;
        }

        void append(Container* c) {
            if (!head) head = c;
            c->prev = tail;
            if (tail) tail->next = c;
            tail = c;
        }

        void insert(Value value, const Key& key, std::int64_t cost, std::vector<Value>& leaving) {
            auto found = values.find(key);
            std::int64_t base = found == values.end() ? totalCost : totalCost - found->second->cost;
            std::int64_t newTotal = 0;
            if (__builtin_add_overflow(base, cost, &newTotal)) {
                throw std::overflow_error("LRUCache::setValue: the total cost would overflow");
            }
            if (found != values.end()) {
                Container* container = found->second.get();
                leaving.push_back(std::exchange(container->value, std::move(value)));
                container->cost = cost;
                unlink(container);
                append(container);
            } else {
                auto inserted = values.emplace(key, std::make_unique<Container>(std::move(value), cost, key));
                append(inserted.first->second.get());
            }
            totalCost = newTotal;
        }

        // Drops entries from the least recent end, one at a time, until both limits hold.
        void evictOverLimit(std::vector<Value>& leaving) {
            while (totalCost > totalCostLimit || static_cast<std::int64_t>(values.size()) > countLimit) {
                Container* oldest = head;
                if (!oldest) break;
                auto found = values.find(oldest->key);
                // The value moves out first, so a failed allocation leaves the entry whole.
                leaving.push_back(std::move(oldest->value));
                unlink(oldest);
                totalCost -= oldest->cost;
                values.erase(found);
            }
        }

        void emptyCache() {
            std::unordered_map<Key, std::unique_ptr<Container>, Hash> leaving;
            {
                std::lock_guard lock(mutex);
                leaving.swap(values);
                head = nullptr;
                tail = nullptr;
                totalCost = 0;
            }
        }
    };

    std::shared_ptr<State> state_;
    platform::foundation::ObserverToken token_;
};

}  // namespace lottie
