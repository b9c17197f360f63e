// The asynchronous address loader: one callback on the main run loop, through
// the cache, and cancellation of the transfer. A session driven by hand stands
// in for the network, so each step happens exactly when the test says.

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "Lottie/Playback/Cache/DefaultAnimationCache.h"
#include "Lottie/Playback/Loading/AnimationLoadTask.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "Platform/Foundation/NotificationCenter.h"
#include "tests/Lottie/Playback/ManualURLSession.h"
#include "tests/Lottie/Playback/PlaybackTestSupport.h"

using namespace lottie;

namespace {

const std::string address = "http://127.0.0.1:9/intro.json";

using ManualSession = lottietest::ManualURLSession;

platform::foundation::Data bytes(const std::string& text) {
    return platform::foundation::Data(text.begin(), text.end());
}

class AnimationLoadTaskTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::foundation::MainRunLoop::shared().setMainThread(std::this_thread::get_id());
        drain();
    }
    static void drain() { platform::foundation::MainRunLoop::shared().drain(); }

    platform::foundation::NotificationCenter centre;
    std::shared_ptr<DefaultAnimationCache> cache = std::make_shared<DefaultAnimationCache>(centre);
    std::shared_ptr<ManualSession> session = std::make_shared<ManualSession>();
    std::vector<std::shared_ptr<const LottieAnimation>> results;
    AnimationLoadTask::Completion record = [this](std::shared_ptr<const LottieAnimation> animation) {
        EXPECT_TRUE(platform::foundation::MainRunLoop::shared().isMainThread());
        results.push_back(std::move(animation));
    };
};

TEST_F(AnimationLoadTaskTest, DeliversOnceOnTheMainRunLoopAndFillsTheCache) {
    auto task = AnimationLoadTask::loadedFrom(address, session, cache, record);
    ASSERT_EQ(session->tasks.size(), 1u);
    EXPECT_EQ(session->tasks[0]->url, address);
    EXPECT_TRUE(session->tasks[0]->resumed);
    session->tasks[0]->finish(bytes(playbacktest::document()), std::nullopt);
    EXPECT_TRUE(results.empty());
    drain();
    ASSERT_EQ(results.size(), 1u);
    ASSERT_TRUE(results[0]);
    EXPECT_EQ(results[0]->endFrame, 60);
    EXPECT_EQ(cache->animationForKey(address), results[0]);

    // Too late to cancel: nothing more happens.
    task->cancel();
    drain();
    EXPECT_EQ(results.size(), 1u);
    EXPECT_FALSE(session->tasks[0]->cancelled);
}

TEST_F(AnimationLoadTaskTest, CancellingStopsTheTransferAndDeliversNothing) {
    auto task = AnimationLoadTask::loadedFrom(address, session, cache, record);
    task->cancel();
    task->cancel();
    EXPECT_TRUE(task->isCancelled());
    EXPECT_TRUE(session->tasks[0]->cancelled);
    drain();
    EXPECT_EQ(results, std::vector<std::shared_ptr<const LottieAnimation>>{nullptr});
}

TEST_F(AnimationLoadTaskTest, FailuresDeliverNothing) {
    struct Case {
        std::string name;
        std::optional<std::string> body;
        std::optional<platform::foundation::URLError> error;
    };
    const std::vector<Case> cases = {
        {"JSON that is not an animation", std::string("[1, 2]"), std::nullopt},
        {"no body", std::nullopt, std::nullopt},
        {"connection lost", std::nullopt,
         platform::foundation::URLError{platform::foundation::URLError::Code::networkConnectionLost, "lost"}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        results.clear();
        AnimationLoadTask::loadedFrom(address, session, cache, record);
        session->tasks.back()->finish(item.body ? std::optional(bytes(*item.body)) : std::nullopt, item.error);
        drain();
        EXPECT_EQ(results, std::vector<std::shared_ptr<const LottieAnimation>>{nullptr});
    }
    EXPECT_FALSE(cache->animationForKey(address));
}

TEST_F(AnimationLoadTaskTest, ACachedAddressMakesNoRequest) {
    auto cached = playbacktest::animation();
    cache->setAnimation(cached, address);
    auto task = AnimationLoadTask::loadedFrom(address, session, cache, record);
    EXPECT_TRUE(session->tasks.empty());
    EXPECT_TRUE(results.empty());  // never from inside the call
    drain();
    EXPECT_EQ(results, std::vector<std::shared_ptr<const LottieAnimation>>{cached});
}

TEST_F(AnimationLoadTaskTest, RefusesMissingArguments) {
    EXPECT_THROW(AnimationLoadTask::loadedFrom(address, nullptr, cache, record), std::invalid_argument);
    EXPECT_THROW(AnimationLoadTask::loadedFrom(address, session, cache, nullptr), std::invalid_argument);
}

}  // namespace
