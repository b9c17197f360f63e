// Moving into and out of a window: the background routine of each background
// behaviour, the foreground routine, waiting to play, and the pixel density of
// the window's screen.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include "Lottie/Views/ViewDisplayLink.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using lottie::LottieBackgroundBehavior;
using viewstest::ViewsTest;

struct Behaviour {
    LottieBackgroundBehavior behaviour;
    bool playingInBackground;
    std::optional<double> frameInBackground;  // none: where it was
    bool playingAgainInWindow;
    std::vector<bool> completions;            // reported by the time the view is back
};

TEST_F(ViewsTest, LeavingAndEnteringTheWindowRunsTheBackgroundBehaviour) {
    const Behaviour cases[] = {
        {LottieBackgroundBehavior::stop, false, 5, false, {false}},
        {LottieBackgroundBehavior::pause, false, std::nullopt, false, {false}},
        {LottieBackgroundBehavior::pauseAndRestore, false, std::nullopt, true, {}},
        {LottieBackgroundBehavior::forceFinish, false, 25, false, {false}},
        {LottieBackgroundBehavior::continuePlaying, true, std::nullopt, true, {}},
    };
    for (const Behaviour& c : cases) {
        const std::string label = "behaviour " + std::to_string(static_cast<int>(c.behaviour));
        QWidget window;
        auto* view = makeView(viewstest::animation()).release();
        view->setParent(&window);
        window.show();
        settle();
        ASSERT_TRUE(view->isInWindow()) << label;
        view->setBackgroundBehavior(c.behaviour);
        std::vector<bool> completions;
        view->playFromFrame(5, 25, lottie::LottieLoopMode::playOnce(),
                            [&completions](bool finished) { completions.push_back(finished); });
        frame(*view, 0.2);
        const double before = view->realtimeAnimationFrame();
        ASSERT_GT(before, 5) << label;

        window.close();
        settle();
        EXPECT_FALSE(view->isInWindow()) << label;
        EXPECT_EQ(view->isPlaying(), c.playingInBackground) << label;
        if (!c.playingInBackground) {
            EXPECT_NEAR(view->currentFrame(), c.frameInBackground.value_or(before), 1e-6) << label;
        }

        window.show();
        settle();
        EXPECT_TRUE(view->isInWindow()) << label;
        EXPECT_EQ(view->isPlaying(), c.playingAgainInWindow) << label;
        EXPECT_EQ(completions, c.completions) << label;
        if (c.playingAgainInWindow) {
            frame(*view, 2);
            EXPECT_EQ(completions, std::vector<bool>{true}) << label << ": the request still reports once";
        }
    }
}

TEST_F(ViewsTest, ReparentingOutOfTheWindowCountsAsLeavingIt) {
    QWidget window;
    auto view = makeView(viewstest::animation());
    view->setParent(&window);
    window.show();
    settle();
    view->setBackgroundBehavior(LottieBackgroundBehavior::pause);
    view->play();
    view->setParent(nullptr);
    settle();
    EXPECT_FALSE(view->isInWindow());
    EXPECT_FALSE(view->isPlaying());
}

TEST_F(ViewsTest, PlayRequestOutsideAWindowWaitsUntilTheViewEntersOne) {
    auto view = makeView(viewstest::animation());
    EXPECT_FALSE(view->isWaitingToPlay());
    view->play();
    EXPECT_TRUE(view->isWaitingToPlay());
    view->show();
    settle();
    EXPECT_FALSE(view->isWaitingToPlay());
    EXPECT_TRUE(view->isPlaying());
    // In a window a request does not wait; a request that ended is not waited for.
    view->play();
    EXPECT_FALSE(view->isWaitingToPlay());
    view->hide();
    settle();
    view->play();
    view->stop();
    EXPECT_FALSE(view->isWaitingToPlay());
}

TEST_F(ViewsTest, DisplayScaleFollowsTheWindowToAScreenOfAnotherDensity) {
    QScreen* const single = viewstest::screenOfRatio(1);
    QScreen* const twice = viewstest::screenOfRatio(2);
    if (!single || !twice) {
        GTEST_SKIP() << "needs the two-screen offscreen platform that the test program sets up";
    }
    auto view = makeView(viewstest::animation(100, 50));
    view->setScreen(single);
    view->show();
    settle();
    EXPECT_DOUBLE_EQ(view->lottieAnimationLayer()->screenScale(), 1);
    view->windowHandle()->setScreen(twice);
    settle();
    EXPECT_DOUBLE_EQ(view->devicePixelRatioF(), 2);
    EXPECT_DOUBLE_EQ(view->lottieAnimationLayer()->screenScale(), 2);
    EXPECT_DOUBLE_EQ(view->lottieAnimationLayer()->renderingLayer()->renderScale(), 2);
    // Painted at the new density, the picture is the frame tool's at twice the pixels.
    const QPixmap pixmap = view->grab();
    EXPECT_DOUBLE_EQ(pixmap.devicePixelRatio(), 2);
    lottieframes::FrameRenderer twiceTheSize(view->animation(), 200, 100, viewstest::backgroundOf(*view));
    const auto expected = twiceTheSize.render(view->currentFrame());
    EXPECT_LT(viewstest::rmse(*viewstest::imageOf(pixmap.toImage()), *expected), 0.002);
    view->windowHandle()->setScreen(single);
    settle();
    EXPECT_DOUBLE_EQ(view->lottieAnimationLayer()->screenScale(), 1);
}

}  // namespace
