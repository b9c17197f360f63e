#include "Platform/Compositor/TransactionCompletion.h"

#include "Platform/Foundation/MainRunLoop.h"

namespace platform::compositor {

void TransactionCompletion::animationStopped() {
    if (outstanding_ > 0) {
        --outstanding_;
    }
    fireIfDone();
}

void TransactionCompletion::seal() {
    sealed_ = true;
    fireIfDone();
}

void TransactionCompletion::fireIfDone() {
    if (!sealed_ || outstanding_ > 0 || fired_) {
        return;
    }
    fired_ = true;
    if (block_) {
        foundation::MainRunLoop::shared().post(std::move(block_));
        block_ = nullptr;
    }
}

}  // namespace platform::compositor
