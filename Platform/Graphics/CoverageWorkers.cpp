#include "Platform/Graphics/CoverageWorkers.h"

#include <algorithm>
#include <chrono>
#include <system_error>

namespace platform::graphics {

namespace {

// Above zero while the thread keeps its drawing to itself (SerialScope) or
// is a worker, whose jobs must not queue behind themselves.
thread_local int serialDepth = 0;

// Workers besides the drawing thread: one per further core, up to seven.
int sharedWorkerCount() {
    const unsigned cores = std::thread::hardware_concurrency();
    return static_cast<int>(std::clamp(cores, 1u, 8u)) - 1;
}

// How long a worker that ran out of jobs looks for the next before it
// sleeps: a drawing hands its shapes over one after another, microseconds
// apart, and waking a sleeping thread costs tens of them.
constexpr auto lingering = std::chrono::microseconds(50);

// A moment's pause in a loop that waits on another thread, without a call
// into the kernel.
inline void pause() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#else
    std::this_thread::yield();
#endif
}

}  // namespace

CoverageWorkers& CoverageWorkers::shared() {
    // Never destroyed: contexts destroyed as the process ends still finish
    // their drawings through it. Its threads end with the process.
    static CoverageWorkers* const workers = new CoverageWorkers(sharedWorkerCount());
    return *workers;
}

CoverageWorkers::CoverageWorkers(int threads) : threads_(std::max(0, threads)) {}

CoverageWorkers::~CoverageWorkers() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    for (std::thread& worker : workers_) worker.join();
}

CoverageWorkers::SerialScope::SerialScope() { ++serialDepth; }
CoverageWorkers::SerialScope::~SerialScope() { --serialDepth; }

std::size_t CoverageWorkers::queuedEntries() {
    std::lock_guard lock(mutex_);
    return queue_.size();
}

void CoverageWorkers::start() {
    try {
        for (int i = 0; i < threads_; ++i) workers_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // The threads started so far take the jobs; with none, drawers run them.
    }
}

bool CoverageWorkers::claim(Job& job) {
    int expected = Job::queued;
    return job.state_.compare_exchange_strong(expected, Job::running, std::memory_order_acquire);
}

void CoverageWorkers::complete(Job& job) {
    job.run();
    job.state_.store(Job::done, std::memory_order_release);
    job.state_.notify_all();
}

void CoverageWorkers::submit(const std::shared_ptr<Job>& job, bool wake) {
    // Set before the job shows as queued, which is what a worker claims it by.
    job->deadline_ = ProcessorDeadline::current();
    job->state_.store(Job::queued, std::memory_order_release);
    if (serialDepth > 0 || threads_ == 0) return;  // its drawer runs it at finish
    std::call_once(started_, [this] { start(); });
    if (workers_.empty()) return;
    bool wakeOne = false;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(job);
        queued_.fetch_add(1, std::memory_order_release);
        // Waking a thread costs the waker tens of microseconds: the drawer
        // wakes one only when none is awake, and each worker that finds
        // more jobs behind its own wakes the next.
        wakeOne = wake && sleeping_ == static_cast<int>(workers_.size());
    }
    if (wakeOne) wake_.notify_one();
}

void CoverageWorkers::dropRunEntries() {
    // The entries of jobs their drawers ran leave the queue's front: with no
    // worker awake to take them, it would only grow.
    std::lock_guard lock(mutex_);
    while (!queue_.empty() && queue_.front()->state_.load(std::memory_order_acquire) != Job::queued) {
        queue_.pop_front();
        queued_.fetch_sub(1, std::memory_order_release);
    }
}

bool CoverageWorkers::runIfWaiting(Job& job) {
    if (!claim(job)) return false;
    complete(job);
    dropRunEntries();
    return true;
}

void CoverageWorkers::finish(Job& job) {
    if (claim(job)) {
        complete(job);
        dropRunEntries();
    } else {
        // A worker has it: its drawing takes microseconds, so look a while
        // (some tens of them) before sleeping.
        for (int spin = 0; spin < 4096 && job.state_.load(std::memory_order_acquire) != Job::done; ++spin) {
            pause();
        }
        int state = job.state_.load(std::memory_order_acquire);
        while (state != Job::done) {
            job.state_.wait(state, std::memory_order_acquire);
            state = job.state_.load(std::memory_order_acquire);
        }
    }
    job.state_.store(Job::idle, std::memory_order_relaxed);
}

void CoverageWorkers::work() {
    serialDepth = 1;
    for (;;) {
        std::shared_ptr<Job> job;
        bool wakeNext = false;
        {
            std::unique_lock lock(mutex_);
            if (queue_.empty() && !stopping_) {
                lock.unlock();
                // Waiting works for no drawing.
                ProcessorDeadline::countToward(nullptr);
                const auto until = std::chrono::steady_clock::now() + lingering;
                for (int spin = 0; queued_.load(std::memory_order_acquire) == 0; ++spin) {
                    pause();
                    if (spin % 64 == 0 && std::chrono::steady_clock::now() >= until) break;
                }
                lock.lock();
                ++sleeping_;
                wake_.wait(lock, [&] { return stopping_ || !queue_.empty(); });
                --sleeping_;
            }
            if (stopping_) return;
            job = std::move(queue_.front());
            queue_.pop_front();
            queued_.fetch_sub(1, std::memory_order_release);
            wakeNext = !queue_.empty() && sleeping_ > 0;
        }
        if (wakeNext) wake_.notify_one();
        if (claim(*job)) {
            ProcessorDeadline::countToward(job->deadline_);
            complete(*job);
        }
    }
}

}  // namespace platform::graphics
