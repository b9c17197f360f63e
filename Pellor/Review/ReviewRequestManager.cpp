#include "Pellor/Review/ReviewRequestManager.h"

#include <QCoreApplication>
#include <limits>

namespace pellor {

ReviewRequestManager::ReviewRequestManager(std::shared_ptr<QSettings> store, ReviewRequestEnvironment environment)
    : store_(std::move(store)), environment_(std::move(environment)) {
    if (!environment_.timer) environment_.timer = std::make_shared<QtReviewDelayTimer>();
}

ReviewRequestManager::~ReviewRequestManager() {
    for (auto& weak : waiting_) {
        if (auto task = weak.lock()) task->cancel();
    }
}

ReviewRequestManager& ReviewRequestManager::shared() {
    static ReviewRequestManager manager(std::make_shared<QSettings>());
    return manager;
}

std::optional<std::chrono::milliseconds> ReviewRequestManager::delay(ReviewRequestTriggerAction trigger) {
    switch (trigger) {
        case ReviewRequestTriggerAction::welcomeScreenOpen: return std::chrono::milliseconds(2000);
        case ReviewRequestTriggerAction::fileClose: return std::nullopt;
    }
    return std::nullopt;
}

std::optional<ReviewRequestInfo> ReviewRequestManager::storedRecord() const {
    const QVariant value = store_->value(QString::fromLatin1(reviewRequestInfoKey));
    if (value.typeId() != QMetaType::QString) return std::nullopt;
    return ReviewRequestInfo::fromRawValue(value.toString());
}

bool ReviewRequestManager::shouldRequestReview(ReviewRequestTriggerAction trigger) const {
    if (const auto last = storedRecord()) {
        if (last->triggerAction == trigger) return false;
        if (last->appVersion == currentVersion()) return false;
        if (now() < last->date + minimumInterval) return false;
    }
    bool isNumber = false;
    const qlonglong opened = store_->value(QString::fromLatin1(fileOpenCountKey)).toLongLong(&isNumber);
    const qlonglong count = isNumber ? opened : 0;
    switch (trigger) {
        case ReviewRequestTriggerAction::fileClose: return count > 2;
        case ReviewRequestTriggerAction::welcomeScreenOpen: return count > 0;
    }
    return false;
}

std::shared_ptr<ReviewRequestTask> ReviewRequestManager::recordReviewRequest(
    ReviewRequestTriggerAction trigger, std::optional<std::chrono::milliseconds> delay, std::function<void()> action) {
    auto task = std::make_shared<ReviewRequestTask>();
    auto finish = [this, trigger, action = std::move(action), weakTask = std::weak_ptr<ReviewRequestTask>(task)] {
        auto task = weakTask.lock();
        if (task && task->state_ != ReviewRequestTask::State::waiting) return;
        record(trigger);
        if (task) {
            task->state_ = ReviewRequestTask::State::recorded;
            task->stopTimer_ = nullptr;
        }
        if (action) action();
    };
    if (!delay) {
        finish();
        return task;
    }
    std::erase_if(waiting_, [](const std::weak_ptr<ReviewRequestTask>& waiting) { return waiting.expired(); });
    waiting_.push_back(task);
    // The timer holds the only strong reference to the wait; the caller may drop
    // its handle without calling the request off, as the window that asks does.
    task->stopTimer_ = environment_.timer->schedule(*delay, [finish, task] { finish(); });
    return task;
}

std::shared_ptr<ReviewRequestTask> ReviewRequestManager::requestReviewIfAppropriate(ReviewRequestTriggerAction trigger,
                                                                                    std::function<void()> action) {
    if (!shouldRequestReview(trigger)) return nullptr;
    return recordReviewRequest(trigger, delay(trigger), std::move(action));
}

void ReviewRequestManager::record(ReviewRequestTriggerAction trigger) {
    const auto last = storedRecord();
    std::int64_t count = 1;
    // A count read back at the largest value stays there rather than wrapping.
    if (last) count = last->reviewRequestsCount == std::numeric_limits<std::int64_t>::max()
                          ? last->reviewRequestsCount
                          : last->reviewRequestsCount + 1;
    const ReviewRequestInfo info{trigger, now(), currentVersion(), count};
    store_->setValue(QString::fromLatin1(reviewRequestInfoKey), info.rawValue());
    store_->sync();
}

ReviewDate ReviewRequestManager::now() const {
    if (environment_.now) return environment_.now();
    return std::chrono::time_point_cast<ReviewDate::duration>(std::chrono::system_clock::now());
}

QString ReviewRequestManager::currentVersion() const {
    if (environment_.currentVersion) return environment_.currentVersion();
    return QCoreApplication::applicationVersion();
}

}  // namespace pellor
