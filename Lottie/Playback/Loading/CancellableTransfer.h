#pragma once
// The transfer behind an asynchronous address load, and whether its caller has
// cancelled it. Starting runs the loader under the lock, so that a cancel() from
// another thread either finds the transfer or is seen before it could be missed;
// an answer the loader gives from inside that call (a cache hit) is sent through
// the main run loop, so that callers never hear back from inside start().
// Owned by one load task; safe from any thread.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

#include "Lottie/Playback/Loading/LottieURLSession.h"
#include "Platform/Foundation/DispatchQueue.h"

namespace lottie {

class CancellableTransfer {
public:
    // `begin` starts the transfer with the completion it is given and returns its
    // data task (none when it answered at once).
    template <class Result>
    void start(std::function<void(Result)> completion,
               const std::function<std::shared_ptr<LottieURLDataTask>(std::function<void(Result)>)>& begin) {
        auto starting = std::make_shared<std::atomic<bool>>(true);
        auto deliver = [starting, completion = std::move(completion)](Result result) {
            if (*starting) {
                platform::foundation::DispatchQueue::main().async([completion, result] { completion(result); });
            } else {
                completion(std::move(result));
            }
        };
        std::lock_guard guard(lock_);
        dataTask_ = begin(std::move(deliver));
        *starting = false;
        if (cancelled_ && dataTask_) dataTask_->cancel();
    }

    void cancel() {
        std::shared_ptr<LottieURLDataTask> running;
        {
            std::lock_guard guard(lock_);
            if (cancelled_) return;
            cancelled_ = true;
            running = dataTask_;
        }
        if (running) running->cancel();
    }

    bool isCancelled() const {
        std::lock_guard guard(lock_);
        return cancelled_;
    }

private:
    mutable std::mutex lock_;
    std::shared_ptr<LottieURLDataTask> dataTask_;
    bool cancelled_ = false;
};

}  // namespace lottie
