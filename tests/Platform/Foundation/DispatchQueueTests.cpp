#include "Platform/Foundation/DispatchQueue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <latch>
#include <memory>
#include <numeric>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace platform::foundation {
namespace {

TEST(DispatchQueueTest, DestructionFinishesQueuedWorkIncludingWorkItQueues) {
    constexpr int itemCount = 1000;
    std::latch release(1);
    std::vector<int> order;
    {
        DispatchQueue queue("test.destruction");
        // Hold the worker so that all the items are still queued at destruction.
        queue.async([&] { release.wait(); });
        for (int i = 0; i < itemCount; ++i) {
            queue.async([&, i] {
                order.push_back(i);
                if (i == itemCount - 1) {
                    queue.async([&] { order.push_back(itemCount); });
                }
            });
        }
        release.count_down();
    }
    std::vector<int> inOrder(itemCount + 1);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    EXPECT_EQ(order, inOrder);
}

TEST(DispatchQueueTest, SyncRunsOnTheQueueAfterEarlierWorkAndWaits) {
    DispatchQueue queue("test.sync");
    std::latch release(1);
    std::vector<std::string> order;
    queue.async([&] {
        release.wait();
        order.push_back("async");
    });
    std::thread caller([&] {
        queue.sync([&] {
            EXPECT_TRUE(queue.isCurrent());  // on the worker, not the caller
            order.push_back("sync");
        });
        order.push_back("returned");  // the worker is idle now
    });
    release.count_down();
    caller.join();
    EXPECT_EQ(order, (std::vector<std::string>{"async", "sync", "returned"}));
}

// Sync from the queue's own work runs inline; sync onto another queue from work is
// not mistaken for that, and runs on the other queue's worker.
TEST(DispatchQueueTest, SyncFromWorkRunsInlineOnlyOnTheSameQueue) {
    DispatchQueue outer("test.outer");
    DispatchQueue inner("test.inner");
    std::vector<int> order;
    outer.sync([&] {
        order.push_back(1);
        outer.sync([&] { order.push_back(2); });
        EXPECT_FALSE(inner.isCurrent());
        inner.sync([&] {
            EXPECT_TRUE(inner.isCurrent());
            EXPECT_FALSE(outer.isCurrent());
        });
        order.push_back(3);
    });
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_FALSE(outer.isCurrent());
}

TEST(DispatchQueueTest, SyncPassesAnExceptionToItsCallerAndTheQueueGoesOn) {
    DispatchQueue queue("test.exception");
    EXPECT_THROW(queue.sync([] { throw std::runtime_error("work failed"); }), std::runtime_error);
    bool ran = false;
    queue.sync([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_THROW(queue.async({}), std::invalid_argument);  // empty work is refused
    EXPECT_THROW(queue.sync({}), std::invalid_argument);
}

// Items from many threads run one at a time, each thread's in its order, all on
// one worker thread that is not the caller's.
TEST(DispatchQueueTest, AsyncFromManyThreadsRunsEveryItemOneAtATimeOnOneWorker) {
    constexpr int threadCount = 8;
    constexpr int itemsPerThread = 250;
    DispatchQueue queue("test.contended");
    std::atomic<int> running{0};
    std::atomic<bool> overlapped{false};
    std::vector<std::vector<int>> seen(threadCount);  // unguarded: a serial queue runs one item at a time
    std::vector<std::thread::id> workers;             // only touched by the worker until sync() returns
    std::latch start(threadCount);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            for (int i = 0; i < itemsPerThread; ++i) {
                queue.async([&, t, i] {
                    if (running.fetch_add(1) != 0) overlapped = true;
                    seen[t].push_back(i);
                    workers.push_back(std::this_thread::get_id());
                    running.fetch_sub(1);
                });
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    queue.sync([] {});  // everything queued before has run
    EXPECT_FALSE(overlapped.load());
    std::vector<int> inOrder(itemsPerThread);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    for (const auto& items : seen) EXPECT_EQ(items, inOrder);
    EXPECT_EQ(std::count(workers.begin(), workers.end(), workers[0]), threadCount * itemsPerThread);
    EXPECT_NE(workers[0], std::this_thread::get_id());
}

// Stopping a queue while an item runs: the item finishes (waited for, unless
// the stop says how long at most), the work queued behind it is dropped (and released) without running, work queued later is dropped,
// and a sync() whose work was dropped, or that comes after the stop, throws.
TEST(DispatchQueueTest, StopWaitsForTheRunningItemAndDropsTheRest) {
    DispatchQueue queue("test.stop");
    std::latch started(1);
    std::latch release(1);
    std::vector<std::string> ran;  // only the worker writes, until stop() has joined it
    queue.async([&] {
        started.count_down();
        release.wait();
        ran.push_back("running");
        queue.async([&] { ran.push_back("queued by the running item"); });
    });
    auto held = std::make_shared<int>(0);
    queue.async([&, held] { ran.push_back("queued behind"); });
    std::atomic<bool> droppedSyncThrew{false};
    std::thread waiter([&] {
        try {
            queue.sync([&] { ran.push_back("sync behind"); });
        } catch (const std::logic_error&) {
            droppedSyncThrew = true;
        }
    });
    started.wait();
    // A stop with a time limit drops the rest at once and gives up waiting
    // for the running item when the limit passes; a stop without one waits.
    EXPECT_FALSE(queue.stopWaitingUntil(std::chrono::steady_clock::now() + std::chrono::milliseconds(20)));
    // The timed stop has already marked the queue stopped: the untimed one is
    // given a moment to be waiting before the running item is let go.
    std::latch stopping(1);
    std::thread stopper([&] {
        stopping.count_down();
        queue.stop();
    });
    stopping.wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    release.count_down();
    stopper.join();
    waiter.join();
    EXPECT_EQ(ran, std::vector<std::string>{"running"});
    EXPECT_EQ(held.use_count(), 1) << "dropped work is released";
    EXPECT_TRUE(droppedSyncThrew.load());
    queue.async([&] { ran.push_back("after the stop"); });
    EXPECT_THROW(queue.sync([&] { ran.push_back("sync after the stop"); }), std::logic_error);
    queue.stop();  // a second stop does nothing
    EXPECT_EQ(ran, std::vector<std::string>{"running"});
}

// Process-wide queues run work as any serial queue does until they are stopped
// together, which is what a program does before main() returns.
TEST(DispatchQueueTest, ProcessWideQueuesStopTogether) {
    DispatchQueue& first = DispatchQueue::processWide("test.process-wide.first");
    DispatchQueue& second = DispatchQueue::processWide("test.process-wide.second");
    EXPECT_NE(&first, &second);
    EXPECT_EQ(first.label(), "test.process-wide.first");
    std::vector<int> ran;
    first.sync([&] { ran.push_back(1); });
    second.sync([&] { ran.push_back(2); });
    std::latch started(1);
    std::latch release(1);
    second.async([&] {
        started.count_down();
        release.wait();
        ran.push_back(3);
    });
    second.async([&] { ran.push_back(4); });
    // The stop comes while the third item runs, so that it is waited for and
    // the fourth, not yet started, is dropped.
    started.wait();
    std::thread stopper([] { DispatchQueue::stopProcessWideQueues(); });
    while (!second.isStopped()) std::this_thread::yield();
    release.count_down();
    stopper.join();
    EXPECT_TRUE(first.isStopped());
    EXPECT_EQ(ran, (std::vector<int>{1, 2, 3}));
    EXPECT_THROW(first.sync([] {}), std::logic_error);
}

}  // namespace
}  // namespace platform::foundation
