// The Qt side of frame driving: the main run loop drains on the Qt event loop,
// and a view ticks and paints once per display frame while it plays, and not
// at all once it is paused or finished, when it gives back what its frames
// kept for the next.
#include <QCoreApplication>
#include <QScreen>
#include <atomic>
#include <thread>

#include "Lottie/Views/QtMainRunLoopBridge.h"
#include "Lottie/Views/ViewDisplayLink.h"
#include "Platform/Compositor/ContentCache.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using viewstest::PaintCounter;
using viewstest::ViewsTest;

TEST_F(ViewsTest, MainRunLoopWorkRunsOnTheQtEventLoopOnePassForManyPosts) {
    ASSERT_NE(lottie::QtMainRunLoopBridge::install(), nullptr);
    EXPECT_EQ(lottie::QtMainRunLoopBridge::install(), lottie::QtMainRunLoopBridge::install());
    int drains = 0;
    QObject listener;
    QObject::connect(lottie::QtMainRunLoopBridge::install(), &lottie::QtMainRunLoopBridge::drained, &listener,
                     [&drains] { ++drains; });
    std::vector<int> ran;
    auto& loop = platform::foundation::MainRunLoop::shared();
    loop.post([&] { ran.push_back(1); });
    std::thread worker([&] { loop.post([&] { ran.push_back(2); }); });
    worker.join();
    EXPECT_TRUE(ran.empty()) << "posting must not run the work";
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(ran, (std::vector<int>{1, 2}));
    EXPECT_EQ(drains, 1);
    EXPECT_EQ(loop.pendingCount(), 0u);
}

TEST_F(ViewsTest, PlayingViewTicksAndPaintsOncePerFrameAndStopsWhenPausedOrFinished) {
    auto view = makeView(viewstest::animation());
    view->show();
    PaintCounter paints(view.get());
    settle();
    // Settled at rest: the first frame is drawn, then the link has nothing to do.
    while (frame(*view)) {
    }
    EXPECT_FALSE(view->displayLink().isRunning());
    const int restingPaints = paints.count;

    view->play();
    EXPECT_TRUE(view->displayLink().isRunning());
    for (int i = 0; i < 5; ++i) {
        const int before = paints.count;
        EXPECT_TRUE(frame(*view)) << i;
        EXPECT_EQ(paints.count, before + 1) << "one paint per drawn frame, frame " << i;
    }
    EXPECT_GT(paints.count, restingPaints);

    struct Case {
        const char* name;
        std::function<void(lottie::LottieAnimationView&)> halt;
    };
    const Case cases[] = {
        {"paused", [](auto& v) { v.pause(); }},
        {"stopped", [](auto& v) { v.stop(); }},
        {"finished", [this](auto& v) { frame(v, 2.0); }},
    };
    for (const Case& c : cases) {
        view->play();
        frame(*view);
        c.halt(*view);
        // The frame that shows the change, then nothing more.
        while (frame(*view)) {
        }
        const long ticks = view->displayLink().framesDrawn();
        const int painted = paints.count;
        for (int i = 0; i < 10; ++i) frame(*view, 0.5);
        EXPECT_FALSE(view->isPlaying()) << c.name;
        EXPECT_FALSE(view->displayLink().isRunning()) << c.name;
        EXPECT_EQ(view->displayLink().framesDrawn(), ticks) << c.name;
        EXPECT_EQ(paints.count, painted) << c.name;
    }
}

// While a view plays, the picture of its layer that holds still is kept from
// frame to frame; once its link stops (it is paused or finished) or it leaves
// its window, it keeps nothing for a next frame.
TEST_F(ViewsTest, AViewGivesBackWhatItsFramesKeptWhenItStopsOrLeavesItsWindow) {
    struct Case {
        const char* name;
        std::function<void(lottie::LottieAnimationView&)> halt;
    };
    const Case cases[] = {
        {"paused", [](auto& v) { v.pause(); }},
        {"finished", [this](auto& v) { frame(v, 2.0); }},
        {"out of its window", [](auto& v) { v.hide(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto view = makeView(viewstest::animation(160, 120));
        view->resize(160, 120);
        view->show();
        settle();
        view->play();
        for (int i = 0; i < 4; ++i) frame(*view);
        EXPECT_GT(platform::compositor::ContentCache::pixelsInUse(), 0);
        EXPECT_TRUE(view->displayLink().isRunning());
        c.halt(*view);
        while (frame(*view)) {
        }
        EXPECT_FALSE(view->displayLink().isRunning());
        EXPECT_EQ(platform::compositor::ContentCache::pixelsInUse(), 0);
        EXPECT_EQ(lottie::ViewDisplayLink::runningCount(), 0);
    }
}

TEST_F(ViewsTest, LinkTicksAtTheRefreshRateOfTheViewsScreen) {
    auto view = makeView(viewstest::animation());
    view->show();
    settle();
    const double rate = view->screen()->refreshRate();
    const int expected = rate >= 1 ? static_cast<int>(std::lround(1000.0 / rate)) : 17;
    EXPECT_EQ(view->displayLink().intervalMilliseconds(), expected);
}

}  // namespace
