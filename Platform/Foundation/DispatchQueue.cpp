#include "Platform/Foundation/DispatchQueue.h"

#include "Platform/Foundation/MainRunLoop.h"

#include <cstdio>
#include <cstdlib>
#include <future>
#include <stdexcept>

namespace platform::foundation {

namespace {

// The serial queue whose item the current thread is running, if any.
thread_local const DispatchQueue* currentSerialQueue = nullptr;

}  // namespace

DispatchQueue::DispatchQueue(std::string label) : label_(std::move(label)) {
    worker_ = std::thread([this] { runWorker(); });
}

DispatchQueue::DispatchQueue(MainTag) : label_("main"), isMain_(true) {}

DispatchQueue::~DispatchQueue() {
    if (isMain_) {
        return;
    }
    if (worker_.get_id() == std::this_thread::get_id()) {
        std::fprintf(stderr, "DispatchQueue \"%s\" destroyed by its own work item; it cannot wait for itself\n",
                     label_.c_str());
        std::abort();
    }
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    workArrived_.notify_one();
    worker_.join();
}

DispatchQueue& DispatchQueue::main() {
    static DispatchQueue* const queue = new DispatchQueue(MainTag{});
    return *queue;
}

void DispatchQueue::async(std::function<void()> work) {
    if (!work) {
        throw std::invalid_argument("DispatchQueue::async: the work item is empty");
    }
    if (isMain_) {
        MainRunLoop::shared().post(std::move(work));
        return;
    }
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(std::move(work));
    }
    workArrived_.notify_one();
}

void DispatchQueue::sync(const std::function<void()>& work) {
    if (!work) {
        throw std::invalid_argument("DispatchQueue::sync: the work item is empty");
    }
    if (isCurrent()) {
        work();
        return;
    }
    // The item owns the promise: the waiting caller may return (and drop the
    // future) while set_value() is still finishing on the other thread.
    auto finished = std::make_shared<std::promise<void>>();
    auto result = finished->get_future();
    async([finished, &work] {
        try {
            work();
            finished->set_value();
        } catch (...) {
            finished->set_exception(std::current_exception());
        }
    });
    result.get();
}

bool DispatchQueue::isCurrent() const {
    if (isMain_) {
        return MainRunLoop::shared().isMainThread();
    }
    return currentSerialQueue == this;
}

void DispatchQueue::runWorker() {
    currentSerialQueue = this;
    for (;;) {
        std::function<void()> work;
        {
            std::unique_lock lock(mutex_);
            workArrived_.wait(lock, [this] { return stopping_ || !pending_.empty(); });
            // Stopping only once the queue is empty is what lets destruction finish
            // the work already queued, including work queued by that work.
            if (pending_.empty()) {
                return;
            }
            work = std::move(pending_.front());
            pending_.pop_front();
        }
        work();
    }
}

}  // namespace platform::foundation
