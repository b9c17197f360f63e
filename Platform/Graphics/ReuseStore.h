#pragma once
// Objects let go by one user (a context that ended) and kept for the next,
// so that what a frame makes and frees each time is made once: bounded by
// how many are kept, by the bytes any one holds and by the bytes of all.
// Thread-safe; each store is process-wide, owned by the one kind of object
// it keeps (ClipCoverageBuffers, SpareCoverageDrawings).

#include <cstddef>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace platform::graphics {

template <typename T>
class ReuseStore {
public:
    ReuseStore(std::size_t mostKept, std::size_t largestBytes, std::size_t mostBytes)
        : mostKept_(mostKept), largestBytes_(largestBytes), mostBytes_(mostBytes) {}

    // One kept for reuse, or null when none is.
    std::shared_ptr<T> take() {
        std::lock_guard lock(mutex_);
        if (kept_.empty()) return nullptr;
        auto [item, bytes] = std::move(kept_.back());
        kept_.pop_back();
        bytes_ -= bytes;
        return item;
    }

    // Keeps it, holding `bytes`, unless something else still holds it, it
    // holds more than any one may, or the store is at its bounds.
    void give(std::shared_ptr<T> item, std::size_t bytes) {
        if (!item || item.use_count() != 1 || bytes > largestBytes_) return;
        std::lock_guard lock(mutex_);
        if (kept_.size() >= mostKept_ || bytes_ + bytes > mostBytes_) return;
        bytes_ += bytes;
        kept_.emplace_back(std::move(item), bytes);
    }

    // Lets go of everything kept.
    void clear() {
        std::vector<std::pair<std::shared_ptr<T>, std::size_t>> released;
        {
            std::lock_guard lock(mutex_);
            released.swap(kept_);
            bytes_ = 0;
        }
    }

    std::size_t keptCount() {
        std::lock_guard lock(mutex_);
        return kept_.size();
    }

private:
    const std::size_t mostKept_, largestBytes_, mostBytes_;
    std::mutex mutex_;
    std::vector<std::pair<std::shared_ptr<T>, std::size_t>> kept_;
    std::size_t bytes_ = 0;
};

}  // namespace platform::graphics
