#include "Platform/Foundation/DispatchQueue.h"
#include "Platform/Foundation/MainRunLoop.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <mutex>
#include <numeric>
#include <stdexcept>
#include <thread>
#include <utility>
#include <vector>

namespace platform::foundation {
namespace {

TEST(MainRunLoopTest, DrainRunsWorkPostedWhileDraining) {
    MainRunLoop loop;
    std::vector<std::string> order;
    loop.post([&] {
        order.push_back("a");
        loop.post([&] {
            order.push_back("c");
            loop.post([&] { order.push_back("e"); });
        });
    });
    loop.post([&] { order.push_back("b"); });
    loop.post([&] { order.push_back("d"); });
    // One at a time, the oldest first.
    EXPECT_TRUE(loop.runOnce());
    EXPECT_EQ(order, std::vector<std::string>{"a"});
    EXPECT_EQ(loop.pendingCount(), 3u);

    const auto result = loop.drain();

    EXPECT_EQ(order, (std::vector<std::string>{"a", "b", "d", "c", "e"}));
    EXPECT_EQ(result.itemsRun, 4u);
    EXPECT_FALSE(result.reachedRoundLimit);
    EXPECT_FALSE(loop.runOnce());
}

// Each item posts the next until the chain is done (or forever). A drain that
// empties the queue on its last allowed round has not been cut short.
TEST(MainRunLoopTest, DrainStopsAtTheRoundLimitAndSaysSo) {
    constexpr std::size_t forever = 0;
    struct Case {
        std::size_t roundLimit;
        std::size_t chainLength;
        std::size_t expectedRuns;
        bool reachedRoundLimit;
    };
    const Case cases[] = {
        {0, forever, 0, true}, {5, forever, 5, true}, {2, 2, 2, false}, {3, 2, 2, false},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testing::Message() << testCase.roundLimit << " rounds, chain " << testCase.chainLength);
        MainRunLoop loop;
        std::size_t runs = 0;
        std::function<void()> next = [&] {
            ++runs;
            if (testCase.chainLength == forever || runs < testCase.chainLength) {
                loop.post(next);
            }
        };
        loop.post(next);
        const auto result = loop.drain(testCase.roundLimit);
        EXPECT_EQ(runs, testCase.expectedRuns);
        EXPECT_EQ(result.itemsRun, testCase.expectedRuns);
        EXPECT_EQ(result.reachedRoundLimit, testCase.reachedRoundLimit);
        EXPECT_EQ(loop.pendingCount(), testCase.reachedRoundLimit ? 1u : 0u);
    }
}

TEST(MainRunLoopTest, NestedDrainKeepsPostingOrder) {
    MainRunLoop loop;
    std::vector<int> order;
    loop.post([&] {
        order.push_back(1);
        loop.drain();
    });
    loop.post([&] { order.push_back(2); });
    loop.post([&] { order.push_back(3); });
    loop.drain();
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

TEST(MainRunLoopTest, ThrowingItemIsConsumedAndEmptyWorkRefused) {
    MainRunLoop loop;
    int ran = 0;
    loop.post([] { throw std::runtime_error("work failed"); });
    loop.post([&] { ++ran; });
    EXPECT_THROW(loop.drain(), std::runtime_error);
    EXPECT_EQ(loop.pendingCount(), 1u);
    EXPECT_THROW(loop.post({}), std::invalid_argument);  // empty work is refused
    loop.drain();
    EXPECT_EQ(ran, 1);
}

TEST(MainRunLoopTest, WakeUpHandlerRunsOnThePostingThreadAfterTheWorkIsQueued) {
    MainRunLoop loop;
    std::mutex mutex;
    std::vector<std::pair<std::thread::id, std::size_t>> wakeUps;
    loop.setWakeUpHandler([&] {
        std::lock_guard lock(mutex);
        wakeUps.emplace_back(std::this_thread::get_id(), loop.pendingCount());
    });
    loop.post([] {});
    std::thread::id worker;
    std::thread([&] {
        worker = std::this_thread::get_id();
        loop.post([] {});
    }).join();

    ASSERT_EQ(wakeUps.size(), 2u);
    EXPECT_EQ(wakeUps[0], std::make_pair(std::this_thread::get_id(), std::size_t{1}));
    EXPECT_EQ(wakeUps[1], std::make_pair(worker, std::size_t{2}));

    loop.setWakeUpHandler({});
    loop.post([] {});
    EXPECT_EQ(wakeUps.size(), 2u);
}

TEST(MainRunLoopTest, MainThreadIsTheCreatorUnlessSetExplicitly) {
    MainRunLoop loop;
    EXPECT_TRUE(loop.isMainThread());
    std::thread worker([&] { EXPECT_FALSE(loop.isMainThread()); });
    const std::thread::id workerId = worker.get_id();
    worker.join();
    loop.setMainThread(workerId);
    EXPECT_FALSE(loop.isMainThread());
}

// Eight threads post at once to the main queue; the main thread then runs
// everything, and each thread's items must come out in the order it posted them.
TEST(MainQueueTest, PostsFromEightThreadsKeepEachThreadsOrder) {
    auto& loop = MainRunLoop::shared();
    loop.drain();
    ASSERT_TRUE(isMainThread());

    constexpr int threadCount = 8;
    constexpr int itemsPerThread = 1000;
    std::vector<std::vector<int>> seen(threadCount);  // only touched on the main thread
    std::latch start(threadCount);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            for (int i = 0; i < itemsPerThread; ++i) {
                DispatchQueue::main().async([&seen, t, i] {
                    EXPECT_TRUE(isMainThread());
                    seen[t].push_back(i);
                });
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(loop.drain().itemsRun, static_cast<std::size_t>(threadCount * itemsPerThread));
    std::vector<int> inOrder(itemsPerThread);
    std::iota(inOrder.begin(), inOrder.end(), 0);
    for (const auto& items : seen) EXPECT_EQ(items, inOrder);
}

TEST(MainQueueTest, SyncFromAnotherThreadWaitsForTheMainLoopToRunIt) {
    auto& loop = MainRunLoop::shared();
    loop.drain();
    std::atomic<bool> returned{false};
    std::thread::id ranOn;
    std::thread caller([&] {
        DispatchQueue::main().sync([&] { ranOn = std::this_thread::get_id(); });
        returned = true;
    });
    // Drive the main loop by hand until the caller's item has been run.
    while (!returned.load()) {
        loop.runOnce();
        std::this_thread::yield();
    }
    caller.join();
    EXPECT_EQ(ranOn, std::this_thread::get_id());
    // On the main thread itself it runs inline.
    bool ran = false;
    DispatchQueue::main().sync([&] { ran = true; });
    EXPECT_TRUE(ran);
    EXPECT_EQ(loop.pendingCount(), 0u);
}

}  // namespace
}  // namespace platform::foundation
