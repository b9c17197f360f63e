#pragma once
// A thread on which a frame of one layer tree is worked out in turns with the
// main thread, so that a frame however long never holds the main thread's
// event loop: the main thread hands the thread a turn (runTurn) and waits; the
// frame's work runs until a checkpoint (checkpoint(), between the layers of
// the display pass and of the renderer) finds the turn past its slice, or
// until it ends, and the turn comes back. Only one of the two threads runs at
// any moment, so the work uses what the main thread uses as it would there,
// and counts as the main thread (foundation::MainThreadStandIn).
//
// Between turns the main thread leaves the tree alone: before it changes a
// layer of a tree whose frame is under way (Layer calls willChangeTree), that
// frame is abandoned first: at its checkpoint the work throws Abandoned, which
// unwinds it without reading the tree again, and the abandon handler runs.
// The thread keeps its per-thread storage (fonts, scan-conversion buffers)
// from one frame to the next.
//
// Owned by whoever draws frames on it (lottie::FrameTurns); its thread ends
// with it. Main thread only, but checkpoint() and onFrameThread(), which any
// thread may call.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace platform::compositor {

class Layer;

class FrameThread {
public:
    // Thrown at a checkpoint of a frame that was abandoned.
    struct Abandoned {};

    FrameThread();
    ~FrameThread();
    FrameThread(const FrameThread&) = delete;
    FrameThread& operator=(const FrameThread&) = delete;

    // Hands the thread `work`, which works out a frame of the tree under
    // `root`; it starts at the next turn. The thread must be idle. `abandoned`
    // runs on the main thread when the frame is abandoned, once its work ended.
    void start(const Layer* root, std::function<void()> work, std::function<void()> abandoned = {});
    // One turn of at most about `sliceSeconds`: the work runs until a checkpoint
    // past it or its end. True once the work has ended (also before, and idle).
    bool runTurn(double sliceSeconds);
    // Ends the frame now: its work unwinds from the checkpoint it waits at (or
    // never starts), and the abandon handler runs.
    void abandon();

    // In a frame's work: hands the turn back when it has run past its slice,
    // and throws Abandoned once the frame is abandoned. Nothing elsewhere.
    static void checkpoint();
    static bool onFrameThread();
    // The processor time the frame threads have worked in their turns, all together.
    static double processorSeconds();
    // Called by a layer of the main thread before it changes: abandons the
    // frames under way of the tree it belongs to.
    static void willChangeTree(const Layer& layer);

private:
    void loop();
    void yieldTurn(std::unique_lock<std::mutex>& lock);
    void waitForTurn(std::unique_lock<std::mutex>& lock);

    std::mutex mutex_;
    std::condition_variable changed_;
    // Whose turn it is: the main thread's, or this thread's.
    bool frameTurn_ = false;
    bool stopping_ = false;
    bool abandoned_ = false;
    bool busy_ = false;
    std::chrono::steady_clock::time_point sliceEnd_;
    const Layer* root_ = nullptr;
    std::function<void()> work_;
    std::function<void()> onAbandon_;
    // Processor time of this thread when its turn began.
    std::int64_t turnStart_ = 0;
    std::thread thread_;
};

}  // namespace platform::compositor
