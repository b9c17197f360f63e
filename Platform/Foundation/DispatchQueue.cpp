#include "Platform/Foundation/DispatchQueue.h"

#include "Platform/Foundation/MainRunLoop.h"

#include <cstdio>
#include <cstdlib>
#include <future>
#include <stdexcept>
#include <vector>

namespace platform::foundation {

namespace {

// The serial queue whose item the current thread is running, if any.
thread_local const DispatchQueue* currentSerialQueue = nullptr;

// The queues made by processWide(); never destroyed, like the queues themselves,
// so that stopping them needs no static object that exit may have destroyed.
struct ProcessWideQueues {
    std::mutex mutex;
    std::vector<DispatchQueue*> queues;
};

ProcessWideQueues& processWideQueues() {
    static ProcessWideQueues* const queues = new ProcessWideQueues();
    return *queues;
}

}  // namespace

DispatchQueue::DispatchQueue(std::string label) : label_(std::move(label)) {
    worker_ = std::thread([this] { runWorker(); });
    workerId_ = worker_.get_id();
}

DispatchQueue::DispatchQueue(MainTag) : label_("main"), isMain_(true) {}

DispatchQueue::~DispatchQueue() {
    if (isMain_) {
        return;
    }
    checkNotOwnWorker("destroyed");
    std::thread worker;
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        worker.swap(worker_);
    }
    workArrived_.notify_one();
    if (worker.joinable()) {
        worker.join();
    }
}

void DispatchQueue::checkNotOwnWorker(const char* action) const {
    if (workerId_ == std::this_thread::get_id()) {
        std::fprintf(stderr, "DispatchQueue \"%s\" %s by its own work item; it cannot wait for itself\n",
                     label_.c_str(), action);
        std::abort();
    }
}

DispatchQueue& DispatchQueue::processWide(std::string label) {
    auto* queue = new DispatchQueue(std::move(label));
    ProcessWideQueues& all = processWideQueues();
    std::lock_guard lock(all.mutex);
    all.queues.push_back(queue);
    return *queue;
}

void DispatchQueue::stopProcessWideQueues() { stopProcessWideQueuesUntil(std::nullopt); }

bool DispatchQueue::stopProcessWideQueuesWaitingUntil(std::chrono::steady_clock::time_point until) {
    return stopProcessWideQueuesUntil(until);
}

bool DispatchQueue::stopProcessWideQueuesUntil(std::optional<std::chrono::steady_clock::time_point> until) {
    std::vector<DispatchQueue*> queues;
    {
        ProcessWideQueues& all = processWideQueues();
        std::lock_guard lock(all.mutex);
        queues = all.queues;
    }
    bool ended = true;
    for (DispatchQueue* queue : queues) {
        ended = queue->stopUntil(until) && ended;
    }
    return ended;
}

void DispatchQueue::stop() { stopUntil(std::nullopt); }

bool DispatchQueue::stopWaitingUntil(std::chrono::steady_clock::time_point until) { return stopUntil(until); }

bool DispatchQueue::stopUntil(std::optional<std::chrono::steady_clock::time_point> until) {
    if (isMain_) {
        throw std::logic_error("DispatchQueue::stop: the main queue is not stopped");
    }
    checkNotOwnWorker("stopped");
    std::deque<std::function<void()>> dropped;
    {
        std::lock_guard lock(mutex_);
        stopped_ = true;
        stopping_ = true;
        dropped.swap(pending_);
    }
    workArrived_.notify_one();
    // Dropped outside the lock: what the items hold may queue work as it goes.
    dropped.clear();
    // Taken under the lock once the worker has ended, so that of two stops only one joins.
    std::thread worker;
    {
        std::unique_lock lock(mutex_);
        const auto hasEnded = [this] { return ended_; };
        if (!until) {
            workerEnded_.wait(lock, hasEnded);
        } else if (!workerEnded_.wait_until(lock, *until, hasEnded)) {
            return false;
        }
        worker.swap(worker_);
    }
    if (worker.joinable()) {
        worker.join();
    }
    return true;
}

bool DispatchQueue::isStopped() const {
    std::lock_guard lock(mutex_);
    return stopped_;
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
    enqueue(work);
}

bool DispatchQueue::enqueue(std::function<void()>& work) {
    {
        std::lock_guard lock(mutex_);
        if (stopped_) {
            return false;  // dropped, as the work a stop found queued was
        }
        pending_.push_back(std::move(work));
    }
    workArrived_.notify_one();
    return true;
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
    // future) while set_value() is still finishing on the other thread. It is
    // the only owner, so that an item dropped by a stop breaks the promise.
    auto finished = std::make_shared<std::promise<void>>();
    auto result = finished->get_future();
    std::function<void()> item = [finished = std::move(finished), &work] {
        try {
            work();
            finished->set_value();
        } catch (...) {
            finished->set_exception(std::current_exception());
        }
    };
    const std::string stopped = "DispatchQueue::sync: the queue \"" + label_ + "\" was stopped before the work ran";
    if (isMain_) {
        MainRunLoop::shared().post(std::move(item));
    } else if (!enqueue(item)) {
        throw std::logic_error(stopped);
    }
    try {
        result.get();
    } catch (const std::future_error&) {
        // The item was dropped by a stop before it ran.
        throw std::logic_error(stopped);
    }
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
                ended_ = true;
                workerEnded_.notify_all();
                return;
            }
            work = std::move(pending_.front());
            pending_.pop_front();
        }
        work();
    }
}

}  // namespace platform::foundation
