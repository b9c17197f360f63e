#include "Lottie/DotLottie/Zip/ZipProgress.h"

#include <algorithm>

namespace lottie {

ZipProgress::ZipProgress(std::int64_t totalUnitCount)
    : totalUnitCount_(totalUnitCount), cancellationFlags_{std::make_shared<std::atomic<bool>>(false)}
{
}

std::int64_t ZipProgress::totalUnitCount() const
{
    std::lock_guard lock(mutex_);
    return totalUnitCount_;
}

void ZipProgress::setTotalUnitCount(std::int64_t count)
{
    std::lock_guard lock(mutex_);
    totalUnitCount_ = count;
}

std::int64_t ZipProgress::completedUnitCount() const
{
    std::lock_guard lock(mutex_);
    return completedUnitCount_;
}

void ZipProgress::setCompletedUnitCount(std::int64_t count)
{
    std::lock_guard lock(mutex_);
    completedUnitCount_ = count;
}

void ZipProgress::cancel()
{
    std::lock_guard lock(mutex_);
    cancellationFlags_.front()->store(true);
}

bool ZipProgress::isCancelled() const
{
    std::lock_guard lock(mutex_);
    return std::any_of(cancellationFlags_.begin(), cancellationFlags_.end(),
                       [](const auto& flag) { return flag->load(); });
}

void ZipProgress::addChild(const std::shared_ptr<ZipProgress>& child, std::int64_t pendingUnitCount)
{
    if (!child || child.get() == this) {
        return;
    }
    std::vector<std::shared_ptr<std::atomic<bool>>> inherited;
    {
        std::lock_guard lock(mutex_);
        children_.push_back({child, pendingUnitCount});
        inherited = cancellationFlags_;
    }
    std::lock_guard childLock(child->mutex_);
    child->cancellationFlags_.insert(child->cancellationFlags_.end(), inherited.begin(), inherited.end());
}

double ZipProgress::fractionCompleted() const
{
    std::lock_guard lock(mutex_);
    if (totalUnitCount_ <= 0) {
        return 0.0;
    }
    double completed = static_cast<double>(completedUnitCount_);
    for (const Child& child : children_) {
        completed += static_cast<double>(child.pendingUnitCount) * std::min(1.0, child.progress->fractionCompleted());
    }
    return std::min(1.0, completed / static_cast<double>(totalUnitCount_));
}

}  // namespace lottie
