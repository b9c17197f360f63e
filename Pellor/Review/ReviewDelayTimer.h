#pragma once
// What the review policy waits on before it records a delayed request. The
// application uses QtReviewDelayTimer (a single-shot Qt timer on the main
// thread); tests give their own, which fires when the test says so.

#include <chrono>
#include <functional>

namespace pellor {

class ReviewDelayTimer {
public:
    virtual ~ReviewDelayTimer() = default;

    // Calls `fire` once, on the main thread, `delay` from now, unless the
    // returned function is called first; that function may be called at any
    // time, also after the timer has fired, and then does nothing.
    virtual std::function<void()> schedule(std::chrono::milliseconds delay, std::function<void()> fire) = 0;
};

class QtReviewDelayTimer final : public ReviewDelayTimer {
public:
    std::function<void()> schedule(std::chrono::milliseconds delay, std::function<void()> fire) override;
};

}  // namespace pellor
