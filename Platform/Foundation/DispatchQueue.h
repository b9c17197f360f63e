#pragma once
// A queue of work items run one at a time, in the order they were queued, standing
// in for the platform's serial dispatch queues. Two kinds:
// - a serial queue made with a label: its own worker thread, owned by whoever made
//   it (the dotLottie reader keeps one for unpacking); destroying it runs every item
//   already queued (and any they queue) and then joins the worker;
// - DispatchQueue::main(): the process's main thread, whose work waits in
//   MainRunLoop::shared() until the main loop runs it.
//
// A queue that serves the whole process (a library's loaders, a program's
// decoding) is made with processWide(): it is never destroyed, since a static
// destructor would join it while its work may still use other static objects
// (the JSON parser's) already destroyed during exit. Instead the program calls
// stopProcessWideQueues() before main() returns: work not yet started is
// dropped, so quitting stays quick, and the items running then are waited for.
// A program that will not wait long for them stops the queues with a time
// limit (stopProcessWideQueuesWaitingUntil); when an item still runs then,
// the program ends without destroying its static objects (std::quick_exit).
//
// sync() on the queue the caller is already running on would wait for itself for
// ever; it is detected and the work runs at once, inline, instead. Only that direct
// case is detected: queue A waiting in sync on B while B waits in sync on A still
// deadlocks, as it does on the platform. sync() on main from another thread waits
// until the main loop runs the item.
//
// Work must not throw from async(): an exception escaping a worker's item ends the
// process. An exception thrown by sync() work reaches the caller of sync().

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
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

    // A new serial queue that lives until the process ends (never destroyed);
    // stopped with the others by stopProcessWideQueues().
    static DispatchQueue& processWide(std::string label);
    // Stops every process-wide queue (stop()). Called by main() before it
    // returns; a queue made afterwards runs its work as usual.
    static void stopProcessWideQueues();
    // The same, waiting for the items running then until `until` at most:
    // true when every worker has ended; false when an item still runs, its
    // worker left to finish it (the program must then not destroy the static
    // objects that work may use).
    static bool stopProcessWideQueuesWaitingUntil(std::chrono::steady_clock::time_point until);

    // Drops the work not yet started, waits for the item running now and joins
    // the worker. Work queued afterwards is dropped; sync() of work dropped so
    // throws std::logic_error, as nothing will run it. Calling it again does
    // nothing. Not from the queue's own work, which cannot wait for itself
    // (aborts with a message, as destruction does).
    void stop();
    // stop(), waiting for the running item until `until` at most: false when
    // it still runs then (a later stop() or the destructor joins it).
    bool stopWaitingUntil(std::chrono::steady_clock::time_point until);
    bool isStopped() const;

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
    // stop(), waiting until `until` at most when given.
    bool stopUntil(std::optional<std::chrono::steady_clock::time_point> until);
    static bool stopProcessWideQueuesUntil(std::optional<std::chrono::steady_clock::time_point> until);
    // Queues work on a serial queue; false, dropping it, once the queue is stopped.
    bool enqueue(std::function<void()>& work);
    // Aborts when called from this queue's own worker, which cannot join itself.
    void checkNotOwnWorker(const char* action) const;

    std::string label_;
    bool isMain_ = false;
    mutable std::mutex mutex_;
    std::condition_variable workArrived_;
    // Told when the worker has returned, its last item done.
    std::condition_variable workerEnded_;
    bool ended_ = false;
    std::deque<std::function<void()>> pending_;
    bool stopping_ = false;
    // Set by stop(): nothing more is queued, and what is queued is dropped.
    bool stopped_ = false;
    std::thread worker_;
    // The worker's id, kept once it starts: worker_ itself is given up to a join.
    std::thread::id workerId_;
};

}  // namespace platform::foundation
