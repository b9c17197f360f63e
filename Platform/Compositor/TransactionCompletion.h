#pragma once
// The completion block of one transaction and the animations it waits for. The
// block is posted to the main run loop once the transaction is sealed (committed,
// or its block replaced) and every animation added while it was open has stopped,
// finished or not; at once (on a later turn) when none was added. Shared by the
// transaction and by each animation record that must report to it.

#include <cstddef>
#include <functional>

namespace platform::compositor {

class TransactionCompletion {
public:
    explicit TransactionCompletion(std::function<void()> block) : block_(std::move(block)) {}

    void animationAdded() { ++outstanding_; }
    void animationStopped();
    // No more animations will be added.
    void seal();

    bool hasFired() const { return fired_; }

private:
    void fireIfDone();

    std::function<void()> block_;
    std::size_t outstanding_ = 0;
    bool sealed_ = false;
    bool fired_ = false;
};

}  // namespace platform::compositor
