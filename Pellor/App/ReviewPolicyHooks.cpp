#include "Pellor/App/ReviewPolicyHooks.h"

#include "Pellor/Review/ReviewRequestManager.h"

namespace pellor {

ReviewPolicyHooks::ReviewPolicyHooks(Prompt prompt) : prompt_(std::move(prompt)) {}

ReviewPolicyHooks::ReviewPolicyHooks(ReviewRequestManager& manager, Prompt prompt)
    : manager_(&manager), prompt_(std::move(prompt)) {}

ReviewPolicyHooks::~ReviewPolicyHooks() {
    for (const auto& task : waiting_) task->cancel();
}

void ReviewPolicyHooks::welcomeScreenOpened(QWidget*) { request(ReviewRequestTriggerAction::welcomeScreenOpen); }

void ReviewPolicyHooks::fileClosed(QWidget*) { request(ReviewRequestTriggerAction::fileClose); }

void ReviewPolicyHooks::request(ReviewRequestTriggerAction trigger) {
    // Finished requests need no calling off; keep only those still waiting.
    std::erase_if(waiting_, [](const auto& task) { return task->state() != ReviewRequestTask::State::waiting; });
    // The policy records the request at its own time; only the prompt waits for the alerts.
    auto task = manager().requestReviewIfAppropriate(trigger, [this] { alertGate_.whenNoAlertIsOpen(prompt_); });
    if (task && task->state() == ReviewRequestTask::State::waiting) waiting_.push_back(std::move(task));
}

ReviewRequestManager& ReviewPolicyHooks::manager() const {
    return manager_ ? *manager_ : ReviewRequestManager::shared();
}

}  // namespace pellor
