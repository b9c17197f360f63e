#pragma once
// A review request that the policy has agreed to and is waiting to record.
// Handed back by ReviewRequestManager so that the window which asked can call
// it off (when it closes during the wait, for example): a cancelled request
// records nothing and does not run its action. Shared by the manager and the
// caller; main thread only.

#include <functional>

namespace pellor {

class ReviewRequestTask {
public:
    enum class State { waiting, recorded, cancelled };

    State state() const { return state_; }

    // Stops the wait; does nothing once the request is recorded or cancelled.
    void cancel() {
        if (state_ != State::waiting) return;
        state_ = State::cancelled;
        if (auto stop = std::move(stopTimer_)) stop();
    }

private:
    friend class ReviewRequestManager;
    State state_ = State::waiting;
    std::function<void()> stopTimer_;
};

}  // namespace pellor
