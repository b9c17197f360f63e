#include "Platform/Compositor/FrameThread.h"

#include <time.h>

#include <algorithm>
#include <vector>

#include "Platform/Compositor/Layer.h"
#include "Platform/Foundation/MainRunLoop.h"

namespace platform::compositor {

namespace {

// The frame thread the calling thread is; none on every other thread.
thread_local FrameThread* currentThread = nullptr;

// The frame threads with a frame under way; changed and read on the main thread
// alone, while the count tells every thread cheaply whether there are any.
std::vector<FrameThread*>& busyThreads() {
    static std::vector<FrameThread*> threads;
    return threads;
}
std::atomic<int> busyCount{0};

std::atomic<std::int64_t> turnNanoseconds{0};

std::int64_t threadProcessorNanoseconds() {
    timespec time{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
    return static_cast<std::int64_t>(time.tv_sec) * 1'000'000'000 + time.tv_nsec;
}

}  // namespace

FrameThread::FrameThread() : thread_([this] { loop(); }) {}

FrameThread::~FrameThread() {
    abandon();
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

bool FrameThread::onFrameThread() { return currentThread != nullptr; }

double FrameThread::processorSeconds() {
    return static_cast<double>(turnNanoseconds.load(std::memory_order_relaxed)) / 1e9;
}

void FrameThread::start(const Layer* root, std::function<void()> work, std::function<void()> abandoned) {
    {
        const std::lock_guard lock(mutex_);
        root_ = root;
        work_ = std::move(work);
        onAbandon_ = std::move(abandoned);
        abandoned_ = false;
        busy_ = true;
    }
    busyThreads().push_back(this);
    busyCount.fetch_add(1, std::memory_order_relaxed);
}

bool FrameThread::runTurn(double sliceSeconds) {
    if (!busy_) return true;
    std::unique_lock lock(mutex_);
    sliceEnd_ = std::chrono::steady_clock::now() +
                std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                    std::chrono::duration<double>(std::max(0.0, sliceSeconds)));
    frameTurn_ = true;
    changed_.notify_all();
    changed_.wait(lock, [this] { return !frameTurn_; });
    if (busy_) return false;
    lock.unlock();
    std::erase(busyThreads(), this);
    busyCount.fetch_sub(1, std::memory_order_relaxed);
    return true;
}

void FrameThread::abandon() {
    if (!busy_) return;
    std::function<void()> handler;
    {
        const std::lock_guard lock(mutex_);
        abandoned_ = true;
        handler = std::move(onAbandon_);
    }
    while (!runTurn(1e9)) {
    }
    if (handler) handler();
}

void FrameThread::willChangeTree(const Layer& layer) {
    if (busyCount.load(std::memory_order_relaxed) == 0 || currentThread ||
        !foundation::MainRunLoop::shared().isMainThread()) {
        return;
    }
    const Layer* root = &layer;
    for (std::shared_ptr<Layer> parent = layer.parentLayer(); parent; parent = parent->parentLayer()) {
        root = parent.get();
    }
    // A copy: abandoning a frame takes its thread off the list.
    const std::vector<FrameThread*> busy = busyThreads();
    for (FrameThread* thread : busy) {
        if (thread->root_ == root) thread->abandon();
    }
}

void FrameThread::checkpoint() {
    FrameThread* self = currentThread;
    if (!self) return;
    // Set by the main thread before the turn it hands over, read in that turn.
    if (self->abandoned_) throw Abandoned{};
    if (std::chrono::steady_clock::now() < self->sliceEnd_) return;
    std::unique_lock lock(self->mutex_);
    self->yieldTurn(lock);
    self->waitForTurn(lock);
    if (self->abandoned_) throw Abandoned{};
}

void FrameThread::yieldTurn(std::unique_lock<std::mutex>&) {
    turnNanoseconds.fetch_add(threadProcessorNanoseconds() - turnStart_, std::memory_order_relaxed);
    frameTurn_ = false;
    changed_.notify_all();
}

void FrameThread::waitForTurn(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return frameTurn_ || stopping_; });
    turnStart_ = threadProcessorNanoseconds();
}

void FrameThread::loop() {
    currentThread = this;
    std::unique_lock lock(mutex_);
    for (;;) {
        waitForTurn(lock);
        if (!frameTurn_) return;
        std::function<void()> work = std::move(work_);
        work_ = nullptr;
        if (work && !abandoned_) {
            lock.unlock();
            try {
                const foundation::MainThreadStandIn standIn;
                work();
            } catch (...) {
                // Abandoned, or a failure the work did not catch: the frame ends.
            }
            // What the work held goes while the turn is still this thread's.
            work = nullptr;
            lock.lock();
        }
        busy_ = false;
        root_ = nullptr;
        yieldTurn(lock);
    }
}

}  // namespace platform::compositor
