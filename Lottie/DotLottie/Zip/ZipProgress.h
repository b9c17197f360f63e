#pragma once
// Progress and cancellation of an extraction: a total and a completed unit count,
// a cancellation flag that another thread may set, and child objects that each
// stand for a share (their pending unit count) of their parent. The caller owns
// the root; unzipping adds one child per entry.

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace lottie {

class ZipProgress {
public:
    explicit ZipProgress(std::int64_t totalUnitCount = 0);
    ZipProgress(const ZipProgress&) = delete;
    ZipProgress& operator=(const ZipProgress&) = delete;

    std::int64_t totalUnitCount() const;
    void setTotalUnitCount(std::int64_t count);
    std::int64_t completedUnitCount() const;
    void setCompletedUnitCount(std::int64_t count);

    // Cancelling a progress object cancels its children too; safe from any thread.
    void cancel();
    bool isCancelled() const;

    // `child` stands for `pendingUnitCount` units of this object; its fraction
    // completed counts towards ours.
    void addChild(const std::shared_ptr<ZipProgress>& child, std::int64_t pendingUnitCount);

    // Completed units over total units, children's shares included; 0 when the
    // total is 0.
    double fractionCompleted() const;

private:
    struct Child {
        std::shared_ptr<ZipProgress> progress;
        std::int64_t pendingUnitCount;
    };

    mutable std::mutex mutex_;
    std::int64_t totalUnitCount_ = 0;
    std::int64_t completedUnitCount_ = 0;
    std::vector<Child> children_;
    // Our own flag first, then those of every ancestor; shared so that a child
    // never reaches into a parent that is gone.
    std::vector<std::shared_ptr<std::atomic<bool>>> cancellationFlags_;
};

}  // namespace lottie
