#pragma once
// A queue of work items run one at a time, in the order they were queued, standing
// in for the platform's serial dispatch queues. Two kinds:
// - a serial queue made with a label: its own worker thread, owned by whoever made
//   it (the dotLottie reader keeps one for unpacking); destroying it runs every item
//   already queued (and any they queue) and then joins the worker;
// - DispatchQueue::main(): the process's main thread, whose work waits in
//   MainRunLoop::shared() until the main loop runs it.
//
// sync() on the queue the caller is already running on would wait for itself for
// ever; it is detected and the work runs at once, inline, instead. Only that direct
// case is detected: queue A waiting in sync on B while B waits in sync on A still
// deadlocks, as it does on the platform. sync() on main from another thread waits
// until the main loop runs the item.
//
// Work must not throw from async(): an exception escaping a worker's item ends the
// process. An exception thrown by sync() work reaches the caller of sync().

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace platform::foundation {

class DispatchQueue {
public:
    // A serial queue with its own worker thread.
    explicit DispatchQueue(std::string label);
    // Runs the queued work, then joins. Destroying a serial queue from its own
    // worker (an item that owns its queue) cannot join and aborts with a message.
    ~DispatchQueue();
    DispatchQueue(const DispatchQueue&) = delete;
    DispatchQueue& operator=(const DispatchQueue&) = delete;

    // The main queue. Never destroyed.
    static DispatchQueue& main();

    const std::string& label() const { return label_; }

    // Queues work and returns at once; from any thread. Throws std::invalid_argument
    // for empty work.
    void async(std::function<void()> work);

    // Runs work on the queue and waits for it (inline when already on the queue).
    void sync(const std::function<void()>& work);

    // Whether the calling thread is running this queue's work (for main: is the
    // main thread).
    bool isCurrent() const;

private:
    struct MainTag {};
    explicit DispatchQueue(MainTag);
    void runWorker();

    std::string label_;
    bool isMain_ = false;
    std::mutex mutex_;
    std::condition_variable workArrived_;
    std::deque<std::function<void()>> pending_;
    bool stopping_ = false;
    std::thread worker_;
};

}  // namespace platform::foundation
