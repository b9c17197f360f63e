#include "Platform/Foundation/NotificationCenter.h"

#include <gtest/gtest.h>

#include <atomic>
#include <latch>
#include <stdexcept>
#include <thread>
#include <vector>

namespace platform::foundation {
namespace {

TEST(NotificationCenterTest, DeliversOnlyToObserversOfThePostedNameInRegistrationOrder) {
    NotificationCenter centre;
    std::vector<std::string> calls;
    auto first = centre.addObserver("warning", [&](const Notification& n) { calls.push_back("first " + n.name); });
    auto other = centre.addObserver("other", [&](const Notification& n) { calls.push_back("other " + n.name); });
    auto second = centre.addObserver("warning", [&](const Notification& n) { calls.push_back("second " + n.name); });

    centre.post("warnin");
    // Centres are independent: another centre's post of the same name reaches nobody here.
    NotificationCenter().post("warning");
    centre.post("warning");

    EXPECT_EQ(calls, (std::vector<std::string>{"first warning", "second warning"}));
    EXPECT_THROW((void)centre.addObserver("x", {}), std::invalid_argument);  // an empty block
}

// Every way of ending a registration, each applied twice (or after the centre is
// gone), must stop delivery and never fail.
TEST(NotificationCenterTest, EveryWayOfRemovingStopsDeliveryAndIsHarmlessTwice) {
    struct Case {
        const char* label;
        void (*remove)(NotificationCenter&, ObserverToken&);
    };
    const Case cases[] = {
        {"removeObserver twice",
         [](NotificationCenter& c, ObserverToken& t) {
             c.removeObserver(t);
             c.removeObserver(t);
         }},
        {"token destroyed after a move",
         [](NotificationCenter& c, ObserverToken& t) {
             { ObserverToken moved = std::move(t); }
             c.removeObserver(t);
         }},
    };
    for (const auto& testCase : cases) {
        SCOPED_TRACE(testCase.label);
        NotificationCenter centre;
        int calls = 0;
        auto token = centre.addObserver("n", [&](const Notification&) { ++calls; });
        auto keeper = centre.addObserver("n", [](const Notification&) {});
        centre.post("n");
        testCase.remove(centre, token);
        EXPECT_FALSE(token.isRegistered());
        EXPECT_EQ(centre.observerCount(), 1u);
        centre.post("n");
        EXPECT_EQ(calls, 1);
    }
}

TEST(NotificationCenterTest, TokenMayOutliveItsCentre) {
    ObserverToken token;
    { token = NotificationCenter().addObserver("n", [](const Notification&) {}); }
    token.reset();  // must not touch the destroyed centre
    EXPECT_FALSE(token.isRegistered());
}

// During a post, a block may remove itself and others (a removed one that has not
// had its turn is skipped), add observers (called from the next post on) and post.
TEST(NotificationCenterTest, BlocksMayChangeRegistrationsAndPostDuringAPost) {
    NotificationCenter centre;
    std::vector<std::string> calls;
    ObserverToken self;
    ObserverToken later;
    std::vector<ObserverToken> added;
    self = centre.addObserver("n", [&](const Notification&) {
        calls.push_back("self");
        self.reset();
        later.reset();
        auto block = [&](const Notification&) { calls.push_back("added"); };
        added.push_back(centre.addObserver("n", block));
        centre.post("inner");
        calls.push_back("self ends");
    });
    later = centre.addObserver("n", [&](const Notification&) { calls.push_back("later"); });
    auto inner = centre.addObserver("inner", [&](const Notification&) { calls.push_back("inner"); });
    centre.post("n");
    centre.post("n");
    EXPECT_EQ(calls, (std::vector<std::string>{"self", "inner", "self ends", "added"}));
    EXPECT_EQ(centre.observerCount(), 2u);
}

TEST(NotificationCenterTest, ExceptionFromABlockReachesThePosterAndLeavesTheCentreUsable) {
    NotificationCenter centre;
    int after = 0;
    auto thrower = centre.addObserver("n", [](const Notification&) { throw std::runtime_error("observer failed"); });
    auto next = centre.addObserver("n", [&](const Notification&) { ++after; });
    EXPECT_THROW(centre.post("n"), std::runtime_error);
    EXPECT_EQ(after, 0);
    thrower.reset();  // would hang if the failed call were still counted as running
    centre.post("n");
    EXPECT_EQ(after, 1);
}

TEST(NotificationCenterTest, PostsFromManyThreadsAreAllDelivered) {
    NotificationCenter centre;
    constexpr int threadCount = 8;
    constexpr int postsPerThread = 500;
    std::atomic<int> alpha{0};
    std::atomic<int> beta{0};
    auto a = centre.addObserver("alpha", [&](const Notification& n) {
        EXPECT_EQ(n.name, "alpha");
        ++alpha;
    });
    auto b = centre.addObserver("beta", [&](const Notification&) { ++beta; });

    std::latch start(threadCount);
    std::vector<std::thread> threads;
    for (int t = 0; t < threadCount; ++t) {
        threads.emplace_back([&, t] {
            start.arrive_and_wait();
            for (int i = 0; i < postsPerThread; ++i) {
                // Registrations come and go while others post.
                auto transient = centre.addObserver("gamma", [](const Notification&) {});
                centre.post(t % 2 == 0 ? "alpha" : "beta");
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    EXPECT_EQ(alpha.load(), threadCount / 2 * postsPerThread);
    EXPECT_EQ(beta.load(), threadCount / 2 * postsPerThread);
    EXPECT_EQ(centre.observerCount(), 2u);
}

// removeObserver from outside any block waits for a call running on another thread,
// so the caller may destroy what the block uses as soon as it returns.
TEST(NotificationCenterTest, RemovalWaitsForACallRunningOnAnotherThread) {
    NotificationCenter centre;
    std::latch entered(1);
    std::latch release(1);
    std::latch removing(1);
    std::atomic<bool> removalReturned{false};
    std::atomic<bool> sawReturnedRemoval{false};
    auto token = centre.addObserver("n", [&](const Notification&) {
        entered.count_down();
        release.wait();
        sawReturnedRemoval = removalReturned.load();
    });

    std::thread poster([&] { centre.post("n"); });
    entered.wait();
    std::thread remover([&] {
        removing.count_down();
        centre.removeObserver(token);
        removalReturned = true;
    });
    removing.wait();
    release.count_down();
    remover.join();
    poster.join();

    EXPECT_FALSE(sawReturnedRemoval.load());
    EXPECT_TRUE(removalReturned.load());
    centre.post("n");  // the block would wait on a spent latch and record again
    EXPECT_EQ(centre.observerCount(), 0u);
}

// Two blocks on two threads each removing the other must not deadlock.
TEST(NotificationCenterTest, BlocksRemovingEachOtherFromTwoThreadsDoNotDeadlock) {
    NotificationCenter centre;
    std::latch bothInside(2);
    ObserverToken first;
    ObserverToken second;
    first = centre.addObserver("first", [&](const Notification&) {
        bothInside.arrive_and_wait();
        second.reset();
    });
    second = centre.addObserver("second", [&](const Notification&) {
        bothInside.arrive_and_wait();
        first.reset();
    });
    std::thread a([&] { centre.post("first"); });
    std::thread b([&] { centre.post("second"); });
    a.join();
    b.join();
    EXPECT_EQ(centre.observerCount(), 0u);
}

}  // namespace
}  // namespace platform::foundation
