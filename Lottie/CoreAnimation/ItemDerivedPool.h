#pragma once
// What the Core Animation engine works out from a few shape items of a
// document and nothing else (the paths a trim cuts, paths merged into one
// item), made once for every view of that document. Each view's layer tree
// asks for it by the items it comes from; the first asks `make` for it, the
// later ones get the same object while any layer still holds it.
//
// A result is found by the identities of its items, held weakly: once an item
// is freed its entries never match again, even for a new item that the
// allocator puts at the same address. A tag (a name the result carries)
// must match as well. The pool holds its results weakly too, and sweeps the
// entries of those gone as it grows.
//
// Every view is charged what the result cost when it was made: a view that
// finds it made charges its sampling budget as a view making it would, so
// that the limit refuses a document at the same point however many views
// show it. Without a budget to measure the cost by, nothing is shared.
//
// Process-wide; any thread (a result is made outside the lock, so two views
// may make one at once, and the second to finish takes the first's).

#include <algorithm>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"
#include "Platform/Graphics/HashCombine.h"

namespace lottie {

template <class Value>
class ItemDerivedPool {
public:
    using Items = std::vector<std::shared_ptr<const ShapeItem>>;

    // The result for `items` and `tag`, made by `make` (returning
    // std::optional<Value>, charging `account` as it goes) unless another
    // layer holds it. Null where `make` returns none; the pointer then still
    // keeps that answer for other views, so they do not work it out again.
    template <class Make>
    std::shared_ptr<const Value> shared(const Items& items, const std::string& tag, const SamplingAccount& account,
                                        const Make& make) {
        if (!account.budget || !account.reporter) return view(std::make_shared<const Made>(make(), 0.0));
        const std::size_t key = keyOf(items, tag);
        if (auto held = find(key, items, tag)) {
            if (held->cost > 0) account.charge(1, held->cost);
            return view(std::move(held));
        }
        const double before = account.budget->spent();
        std::optional<Value> value = make();
        auto made = std::make_shared<const Made>(std::move(value), account.budget->spent() - before);
        return view(insert(key, items, tag, std::move(made)));
    }

    // How many results the pool knows, gone ones not yet swept included.
    std::size_t entryCount() const {
        const std::lock_guard lock(mutex_);
        return entries_.size();
    }

private:
    struct Made {
        Made(std::optional<Value> value, double cost) : value(std::move(value)), cost(cost) {}
        std::optional<Value> value;
        // What making it charged to the budget.
        double cost;
    };
    struct Entry {
        std::vector<std::weak_ptr<const ShapeItem>> items;
        std::string tag;
        std::weak_ptr<const Made> made;

        // Whether the entry is for these very items (all of them still alive,
        // so their addresses are theirs alone) and tag.
        bool matches(const Items& wanted, const std::string& wantedTag) const {
            if (items.size() != wanted.size() || tag != wantedTag) return false;
            for (std::size_t index = 0; index < items.size(); ++index) {
                if (items[index].lock() != wanted[index]) return false;
            }
            return true;
        }
    };

    // The value inside `made`, kept alive by it; null (still holding `made`) for none.
    static std::shared_ptr<const Value> view(std::shared_ptr<const Made> made) {
        const Value* value = made->value ? &*made->value : nullptr;
        return std::shared_ptr<const Value>(std::move(made), value);
    }

    static std::size_t keyOf(const Items& items, const std::string& tag) {
        std::size_t key = std::hash<std::string>{}(tag);
        for (const auto& item : items) platform::graphics::hashCombine(key, std::hash<const ShapeItem*>{}(item.get()));
        return key;
    }

    std::shared_ptr<const Made> findLocked(std::size_t key, const Items& items, const std::string& tag) const {
        auto [first, last] = entries_.equal_range(key);
        for (auto entry = first; entry != last; ++entry) {
            if (!entry->second.matches(items, tag)) continue;
            if (auto held = entry->second.made.lock()) return held;
        }
        return nullptr;
    }

    std::shared_ptr<const Made> find(std::size_t key, const Items& items, const std::string& tag) const {
        const std::lock_guard lock(mutex_);
        return findLocked(key, items, tag);
    }

    // `made`, now held for the items, or what another thread put there meanwhile.
    std::shared_ptr<const Made> insert(std::size_t key, const Items& items, const std::string& tag,
                                       std::shared_ptr<const Made> made) {
        const std::lock_guard lock(mutex_);
        if (auto held = findLocked(key, items, tag)) return held;
        sweepIfGrown();
        entries_.emplace(key, Entry{{items.begin(), items.end()}, tag, made});
        return made;
    }

    // Drops the entries of results or items gone once the pool has doubled
    // since the last sweep, so that sweeping stays a constant cost per result.
    void sweepIfGrown() {
        if (entries_.size() < sweepAt_) return;
        std::erase_if(entries_, [](const auto& entry) {
            return entry.second.made.expired() ||
                   std::ranges::any_of(entry.second.items, [](const auto& item) { return item.expired(); });
        });
        sweepAt_ = std::max<std::size_t>(minimumSweepSize, 2 * entries_.size());
    }

    static constexpr std::size_t minimumSweepSize = 64;
    mutable std::mutex mutex_;
    std::unordered_multimap<std::size_t, Entry> entries_;
    std::size_t sweepAt_ = minimumSweepSize;
};

}  // namespace lottie
