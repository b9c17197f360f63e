#pragma once
// The queue of work for the main thread, standing in for the platform's main run
// loop. Anything may post to it from any thread (through DispatchQueue::main());
// only the main thread runs the work. In the application the Qt event loop is the
// main loop: it installs a wake-up handler that schedules a drain() on its own
// thread. Tests have no event loop and call runOnce()/drain() by hand.
//
// The process-wide loop is shared(); separate instances exist only for tests.
// Work runs in the order it was posted; work posted from one thread keeps that
// thread's order. An exception thrown by a work item propagates out of runOnce()
// or drain(); the item is gone and the rest stays pending.

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace platform::foundation {

class MainRunLoop {
public:
    struct DrainResult {
        std::size_t itemsRun = 0;
        // True when drain() stopped because work kept arriving for `roundLimit`
        // rounds; the work posted last is still pending.
        bool reachedRoundLimit = false;
    };

    static constexpr std::size_t defaultRoundLimit = 1000;

    // The constructing thread becomes this loop's main thread.
    MainRunLoop();
    MainRunLoop(const MainRunLoop&) = delete;
    MainRunLoop& operator=(const MainRunLoop&) = delete;

    // The process's main loop. The thread that first calls this is the main thread
    // unless setMainThread() says otherwise; the application touches it first thing
    // in main(). Never destroyed, so work may be posted during exit.
    static MainRunLoop& shared();

    // Queues work from any thread, then calls the wake-up handler on this thread,
    // outside the lock, once per post. Throws std::invalid_argument for empty work.
    void post(std::function<void()> work);

    // Runs the oldest pending item; false when there was none. Call on the main thread.
    bool runOnce();

    // Runs rounds until nothing is pending. A round runs the items pending when it
    // starts, one at a time (so a nested drain from inside a work item keeps the
    // order); items they post wait for the next round. Stops after `roundLimit`
    // rounds so self-reposting work cannot hang the caller. Call on the main thread.
    DrainResult drain(std::size_t roundLimit = defaultRoundLimit);

    std::size_t pendingCount() const;

    // Replaces the handler told about each post (an empty function removes it). The
    // handler runs on the posting thread, so it must only schedule a drain, not run one.
    void setWakeUpHandler(std::function<void()> handler);

    bool isMainThread() const;
    std::thread::id mainThread() const;
    void setMainThread(std::thread::id thread);

private:
    mutable std::mutex mutex_;
    std::deque<std::function<void()>> pending_;
    std::shared_ptr<const std::function<void()>> wakeUpHandler_;
    std::thread::id mainThread_;
};

// Whether the calling thread is the main thread of MainRunLoop::shared(), or
// stands in for it (MainThreadStandIn).
bool isMainThread();

// While one lives, the calling thread counts as the main thread for
// isMainThread(): for a thread that works in turns with the main thread, only
// while the main thread waits for it (compositor::FrameThread), so that the
// work it does for the main thread runs as it would there.
class MainThreadStandIn {
public:
    MainThreadStandIn();
    ~MainThreadStandIn();
    MainThreadStandIn(const MainThreadStandIn&) = delete;
    MainThreadStandIn& operator=(const MainThreadStandIn&) = delete;
};

}  // namespace platform::foundation
