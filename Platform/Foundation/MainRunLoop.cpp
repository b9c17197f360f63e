#include "Platform/Foundation/MainRunLoop.h"

#include <stdexcept>

namespace platform::foundation {

MainRunLoop::MainRunLoop() : mainThread_(std::this_thread::get_id()) {}

MainRunLoop& MainRunLoop::shared() {
    static MainRunLoop* const loop = new MainRunLoop();
    return *loop;
}

void MainRunLoop::post(std::function<void()> work) {
    if (!work) {
        throw std::invalid_argument("MainRunLoop::post: the work item is empty");
    }
    std::shared_ptr<const std::function<void()>> handler;
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(work));
        handler = wakeUpHandler_;
    }
    if (handler) {
        (*handler)();
    }
}

bool MainRunLoop::runOnce() {
    std::function<void()> work;
    {
        std::lock_guard lock(mutex_);
        if (pending_.empty()) {
            return false;
        }
        work = std::move(pending_.front());
        pending_.pop_front();
    }
    work();
    return true;
}

MainRunLoop::DrainResult MainRunLoop::drain(std::size_t roundLimit) {
    DrainResult result;
    for (std::size_t round = 0; round < roundLimit; ++round) {
        const std::size_t roundSize = pendingCount();
        if (roundSize == 0) {
            return result;
        }
        for (std::size_t i = 0; i < roundSize && runOnce(); ++i) {
            ++result.itemsRun;
        }
    }
    result.reachedRoundLimit = pendingCount() > 0;
    return result;
}

std::size_t MainRunLoop::pendingCount() const {
    std::lock_guard lock(mutex_);
    return pending_.size();
}

void MainRunLoop::setWakeUpHandler(std::function<void()> handler) {
    auto shared = handler ? std::make_shared<const std::function<void()>>(std::move(handler)) : nullptr;
    std::lock_guard lock(mutex_);
    wakeUpHandler_ = std::move(shared);
}

bool MainRunLoop::isMainThread() const {
    return std::this_thread::get_id() == mainThread();
}

std::thread::id MainRunLoop::mainThread() const {
    std::lock_guard lock(mutex_);
    return mainThread_;
}

void MainRunLoop::setMainThread(std::thread::id thread) {
    std::lock_guard lock(mutex_);
    mainThread_ = thread;
}

namespace {

thread_local int standIns = 0;

}  // namespace

bool isMainThread() {
    return standIns > 0 || MainRunLoop::shared().isMainThread();
}

MainThreadStandIn::MainThreadStandIn() { ++standIns; }

MainThreadStandIn::~MainThreadStandIn() { --standIns; }

}  // namespace platform::foundation
