#pragma once
// Threads that scan-convert drawings while the drawing thread goes on: a
// GraphicsContext hands a fill or stroke's coverage to them (a Job) and lays
// it down later, in drawing order, when it next needs its pixels. Consecutive
// drawings are then scan-converted side by side, each on a thread of its own,
// while the drawing thread walks on to the next.
//
// A job that no thread has started by the time its drawer needs it is run by
// the drawer itself (finish), so drawing never waits on a thread to wake, and
// a drawer whose thread keeps to itself (SerialScope) or finds no thread to be
// had runs every job there. One process-wide set, started at the first job.
// A worker's time counts toward the deadline (ProcessorDeadline) its job's
// drawer counted toward when it submitted it, while it runs the job.
// Thread-safe; each job belongs to the one drawer that submits and finishes it.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "Platform/Graphics/ProcessorDeadline.h"

namespace platform::graphics {

class CoverageWorkers {
public:
    // A piece of work handed over: its drawer submits it, then finishes it.

    class Job {
    public:
        virtual ~Job() = default;

    protected:
        // Runs once per submission, on a worker or on the drawer's thread;
        // must not throw.
        virtual void run() = 0;

    private:
        friend class CoverageWorkers;
        enum State : int { queued, running, done, idle };
        std::atomic<int> state_{idle};
        // What the drawer's time counted toward when it handed the job over.
        std::shared_ptr<ProcessorDeadline> deadline_;
    };

    static CoverageWorkers& shared();

    // `threads` workers besides the drawers; none runs every job on its drawer.
    explicit CoverageWorkers(int threads);
    ~CoverageWorkers();
    CoverageWorkers(const CoverageWorkers&) = delete;
    CoverageWorkers& operator=(const CoverageWorkers&) = delete;

    // Queues the job, which its drawer keeps alive; it must not be queued
    // or running already. A worker is woken for it when `wake` and none is
    // awake; a job too small to be worth a wake waits for a worker that is,
    // or for its drawer. Within a SerialScope, on a worker, or without
    // workers, the job is left to its drawer.
    void submit(const std::shared_ptr<Job>& job, bool wake = true);
    // Returns once the job has run: at once when it has, after running it
    // here when no worker has started it, else when its worker is done.
    void finish(Job& job);
    // Runs the job here when no worker has started it; false when one has,
    // or when it has run. A drawer waiting on one job runs later ones so.
    bool runIfWaiting(Job& job);
    // Whether the job has run since it was submitted.
    static bool hasRun(const Job& job) { return job.state_.load(std::memory_order_acquire) == Job::done; }
    // How many entries wait in the queue, jobs already run by their drawers
    // among them until they reach its front.
    std::size_t queuedEntries();

    // While one lives, the jobs of drawings made on the thread that made it
    // are run on that thread alone (at finish), in the same order and with
    // the same pixels: for callers that keep their drawing to one thread,
    // and for comparing drawings made both ways.
    class SerialScope {
    public:
        SerialScope();
        ~SerialScope();
        SerialScope(const SerialScope&) = delete;
        SerialScope& operator=(const SerialScope&) = delete;
    };

private:
    void start();
    void work();
    static bool claim(Job& job);
    void dropRunEntries();
    static void complete(Job& job);

    const int threads_;
    std::once_flag started_;
    std::vector<std::thread> workers_;
    std::mutex mutex_;
    std::condition_variable wake_;
    // Jobs in order of submission; a job finished by its drawer stays here
    // until a worker takes it and finds it claimed, or a drawer finishing
    // its own finds it at the front.
    std::deque<std::shared_ptr<Job>> queue_;
    std::atomic<int> queued_{0};
    int sleeping_ = 0;
    bool stopping_ = false;
};

}  // namespace platform::graphics
