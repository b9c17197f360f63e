#pragma once
// The application's review hooks: at the welcome window's first appearance
// and at each player window's closing it asks the review-request policy
// (ReviewRequestManager) whether to ask the user for a review and, when the
// policy agrees, has the request recorded (after the policy's wait for the
// welcome window) and shows the review prompt; while an alert is open the
// prompt waits until none is, so that it never comes stacked with one. A request still waiting when the
// hooks go (with the application) is called off, so it neither records nor
// prompts after the windows are gone. Owned by the application object; main
// thread only.

#include <functional>
#include <memory>
#include <vector>

#include "Pellor/App/AlertGate.h"
#include "Pellor/App/ReviewRequestHooks.h"
#include "Pellor/Review/ReviewRequestTriggerAction.h"

namespace pellor {

class ReviewRequestManager;
class ReviewRequestTask;

class ReviewPolicyHooks : public ReviewRequestHooks {
public:
    using Prompt = std::function<void()>;

    // Over the process's policy (made on first use, not here), prompting with
    // `prompt` (the application's review prompt).
    explicit ReviewPolicyHooks(Prompt prompt);
    // Over a given policy and prompt; the policy must outlive the hooks.
    ReviewPolicyHooks(ReviewRequestManager& manager, Prompt prompt);
    ~ReviewPolicyHooks() override;

    void welcomeScreenOpened(QWidget* welcomeWindow) override;
    void fileClosed(QWidget* documentWindow) override;

    // Prompts recorded by the policy and waiting for the open alerts to close.
    std::size_t heldPrompts() const { return alertGate_.heldCount(); }

private:
    void request(ReviewRequestTriggerAction trigger);
    ReviewRequestManager& manager() const;

    ReviewRequestManager* manager_ = nullptr;
    Prompt prompt_;
    AlertGate alertGate_;
    std::vector<std::shared_ptr<ReviewRequestTask>> waiting_;
};

}  // namespace pellor
