#include "Platform/Foundation/DispatchQueue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <latch>
#include <numeric>
#include <stdexcept>
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

}  // namespace
}  // namespace platform::foundation
