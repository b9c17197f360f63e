#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "Platform/Graphics/CoverageWorkers.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "tests/Support/SteppingProcessorClock.h"

namespace platform::graphics {
namespace {

// A job that counts its runs and says which thread ran it last.
class CountingJob final : public CoverageWorkers::Job {
public:
    std::atomic<int> runs{0};
    std::thread::id ranOn;

protected:
    void run() override {
        ranOn = std::this_thread::get_id();
        runs.fetch_add(1);
    }
};

std::vector<std::shared_ptr<CountingJob>> countingJobs(int count) {
    std::vector<std::shared_ptr<CountingJob>> jobs;
    for (int i = 0; i < count; ++i) jobs.push_back(std::make_shared<CountingJob>());
    return jobs;
}

// A job that says which deadline its thread counts toward, and counts a
// reading's worth of work toward it.
class DeadlineJob final : public CoverageWorkers::Job {
public:
    std::shared_ptr<ProcessorDeadline> counted;
    std::thread::id ranOn;

protected:
    void run() override {
        counted = ProcessorDeadline::current();
        ranOn = std::this_thread::get_id();
        ProcessorDeadline::checkCurrent(ProcessorDeadline::unitsPerReading);
    }
};

TEST(CoverageWorkersTest, AWorkerCountsTowardTheDeadlineItsJobWasHandedOverUnder) {
    // Each reading moves the reading thread's time on by a second. The
    // drawer reads when it starts and stops counting; the worker when it
    // takes the job, when the job checks and when it stops (before the next
    // job, handed over under no deadline, or before it waits).
    const testsupport::SteppingProcessorClock::Installation clock(1);
    const auto deadline = std::make_shared<ProcessorDeadline>(100);
    const auto job = std::make_shared<DeadlineJob>(), after = std::make_shared<DeadlineJob>();
    CoverageWorkers workers(1);
    {
        const ProcessorDeadline::Scope counting(deadline);
        workers.submit(job, true);
        // Left to the worker: finishing it now would run it here.
        while (!CoverageWorkers::hasRun(*job)) std::this_thread::yield();
        workers.finish(*job);
    }
    workers.submit(after, true);
    while (!CoverageWorkers::hasRun(*after)) std::this_thread::yield();
    workers.finish(*after);
    EXPECT_NE(job->ranOn, std::this_thread::get_id());
    EXPECT_EQ(job->counted, deadline);
    EXPECT_EQ(after->counted, nullptr);
    EXPECT_DOUBLE_EQ(deadline->spent(), 1 + 2);
}

TEST(CoverageWorkersTest, EveryJobRunsOnceWhoeverTakesIt) {
    // Jobs woken for and jobs left to whoever is awake, finished in order,
    // then the same jobs submitted again: each submission runs exactly once
    // and has run by the time finish returns.
    for (int threads : {0, 1, 3}) {
        SCOPED_TRACE(threads);
        CoverageWorkers workers(threads);
        const std::vector<std::shared_ptr<CountingJob>> jobs = countingJobs(300);
        for (int round = 1; round <= 2; ++round) {
            for (std::size_t i = 0; i < jobs.size(); ++i) workers.submit(jobs[i], i % 7 == 0);
            for (auto& job : jobs) {
                workers.finish(*job);
                EXPECT_EQ(job->runs.load(), round);
            }
        }
    }
}

TEST(CoverageWorkersTest, JobsRunAheadByTheirDrawerRunOnce) {
    // A drawer waiting on one job runs later ones no worker has taken: each
    // submission still runs exactly once, whoever got to it first, and
    // finishing a job run ahead neither runs it again nor waits.
    for (int threads : {0, 1, 3}) {
        SCOPED_TRACE(threads);
        CoverageWorkers workers(threads);
        const std::vector<std::shared_ptr<CountingJob>> jobs = countingJobs(300);
        for (int round = 1; round <= 2; ++round) {
            for (std::size_t i = 0; i < jobs.size(); ++i) workers.submit(jobs[i], i % 11 == 0);
            for (std::size_t i = 0; i < jobs.size(); ++i) {
                for (std::size_t ahead = i + 1; ahead < std::min(jobs.size(), i + 4); ++ahead) {
                    const bool ran = workers.runIfWaiting(*jobs[ahead]);
                    EXPECT_FALSE(ran && workers.runIfWaiting(*jobs[ahead]));
                    if (ran) {
                        EXPECT_TRUE(CoverageWorkers::hasRun(*jobs[ahead]));
                    }
                }
                workers.finish(*jobs[i]);
                EXPECT_EQ(jobs[i]->runs.load(), round);
            }
        }
    }
    // Without workers nothing else can take a job: running it ahead is the
    // one run, and only the first asking runs it.
    CoverageWorkers none(0);
    auto job = std::make_shared<CountingJob>();
    none.submit(job, true);
    EXPECT_FALSE(CoverageWorkers::hasRun(*job));
    EXPECT_TRUE(none.runIfWaiting(*job));
    EXPECT_FALSE(none.runIfWaiting(*job));
    none.finish(*job);
    EXPECT_EQ(job->runs.load(), 1);
}

TEST(CoverageWorkersTest, JobsItsDrawerRanDoNotPileUpInTheQueue) {
    // Nothing is woken for these, so no worker takes the queue's entries:
    // the drawer's own finishing must clear them, or the queue grows with
    // every drawing of a document too small to wake a thread for.
    CoverageWorkers workers(2);
    auto job = std::make_shared<CountingJob>();
    for (int i = 0; i < 1000; ++i) {
        workers.submit(job, false);
        workers.finish(*job);
    }
    EXPECT_EQ(job->runs.load(), 1000);
    EXPECT_EQ(workers.queuedEntries(), 0u);
}

TEST(CoverageWorkersTest, ASerialScopeKeepsJobsOnItsThread) {
    CoverageWorkers workers(3);
    std::vector<std::shared_ptr<CountingJob>> jobs;
    {
        CoverageWorkers::SerialScope serial;
        for (int i = 0; i < 50; ++i) {
            jobs.push_back(std::make_shared<CountingJob>());
            workers.submit(jobs.back(), true);
        }
        EXPECT_EQ(workers.queuedEntries(), 0u);
        for (auto& job : jobs) workers.finish(*job);
    }
    for (auto& job : jobs) {
        EXPECT_EQ(job->runs.load(), 1);
        EXPECT_EQ(job->ranOn, std::this_thread::get_id());
    }
}

TEST(CoverageWorkersTest, DrawersOnSeveralThreadsShareTheWorkers) {
    CoverageWorkers workers(2);
    constexpr int drawers = 4, perDrawer = 200;
    std::vector<std::vector<std::shared_ptr<CountingJob>>> jobs(drawers);
    std::vector<std::thread> threads;
    for (int d = 0; d < drawers; ++d) {
        for (int i = 0; i < perDrawer; ++i) jobs[d].push_back(std::make_shared<CountingJob>());
        threads.emplace_back([&, d] {
            for (auto& job : jobs[d]) workers.submit(job, true);
            for (auto& job : jobs[d]) workers.finish(*job);
        });
    }
    for (auto& thread : threads) thread.join();
    for (const auto& own : jobs) {
        for (const auto& job : own) EXPECT_EQ(job->runs.load(), 1);
    }
}

}  // namespace
}  // namespace platform::graphics
