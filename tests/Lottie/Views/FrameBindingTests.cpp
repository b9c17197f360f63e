// Frame and progress bindings: while bound, every display frame of the hosted
// view writes what it shows to the binding, one main-run-loop pass later; with
// no binding the host adds no ticks of its own.
#include <string>
#include <vector>

#include "Lottie/Views/LottieViewHost.h"
#include "Lottie/Views/ViewDisplayLink.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::Binding;
using lottie::LottieAnimation;
using lottie::LottieView;
using lottie::LottieViewHost;
using viewstest::ViewsTest;

// What a binding was given, in order.
struct Recorder {
    std::vector<double> values;
    Binding<double> binding() {
        return {[this] { return values.empty() ? 0.0 : values.back(); }, [this](double v) { values.push_back(v); }};
    }
};

// The test document with its own start and end frames.
std::shared_ptr<const LottieAnimation> animationFrom(int start, int end) {
    std::string text = viewstest::document();
    const std::string frames = R"("fr":30,"ip":0,"op":30)";
    text.replace(text.find(frames), frames.size(),
                 R"("fr":30,"ip":)" + std::to_string(start) + R"(,"op":)" + std::to_string(end));
    return LottieAnimation::fromData(text, lottie::DecodingStrategy::dictionaryBased);
}

TEST_F(ViewsTest, ProgressOfAFrameIsClampedAndZeroWithoutALength) {
    const auto tenToThirty = animationFrom(10, 30);
    const auto empty = animationFrom(10, 10);
    struct Case {
        const LottieAnimation* animation;
        double frame, progress;
    };
    const Case cases[] = {
        {nullptr, 15, 0},           {empty.get(), 10, 0},       {empty.get(), 40, 0},
        {tenToThirty.get(), 5, 0},  {tenToThirty.get(), 10, 0}, {tenToThirty.get(), 15, 0.25},
        {tenToThirty.get(), 30, 1}, {tenToThirty.get(), 31, 1},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(LottieView::progressOfFrame(c.animation, c.frame), c.progress)
            << (c.animation ? c.animation->endFrame : -1) << " at " << c.frame;
    }
}

TEST_F(ViewsTest, FrameBindingReceivesThePresentedFrameOncePerTickUntilRemoved) {
    Recorder frames;
    const LottieView playing = LottieView(viewstest::animation()).playingLoop();
    LottieViewHost host;
    host.resize(200, 100);
    host.apply(playing.bindCurrentFrame(frames.binding()));
    host.show();
    settle();
    auto& view = *host.animationView();
    const auto& layer = *view.lottieAnimationLayer();
    frames.values.clear();
    for (std::size_t tick = 1; tick <= 5; ++tick) {
        frame(view);
        ASSERT_EQ(frames.values.size(), tick) << "one write per tick";
        EXPECT_EQ(frames.values.back(), layer.presentedFrame()) << tick;
        if (tick > 1) {
            EXPECT_GT(frames.values[tick - 1], frames.values[tick - 2]) << tick;
        }
    }

    // Removed: the view plays on, but nothing is written any more.
    host.apply(playing.bindCurrentFrame(std::nullopt));
    settle();
    const std::size_t written = frames.values.size();
    for (int tick = 0; tick < 5; ++tick) frame(view);
    EXPECT_TRUE(view.isPlaying());
    EXPECT_EQ(frames.values.size(), written);
}

TEST_F(ViewsTest, PausedViewTicksOnlyWhileBound) {
    Recorder frames;
    Recorder progress;
    const LottieView paused = LottieView(viewstest::animation()).pausedAtProgress(0.5);
    LottieViewHost host;
    host.resize(200, 100);
    host.apply(paused);
    host.show();
    settle();
    auto& view = *host.animationView();
    while (frame(view)) {
    }
    EXPECT_FALSE(view.displayLink().isRunning()) << "a paused view with no binding schedules no ticks";

    host.apply(paused.bindCurrentFrame(frames.binding()).bindCurrentProgress(progress.binding()));
    EXPECT_TRUE(view.displayLink().isRunning());
    settle();
    frames.values.clear();
    progress.values.clear();
    for (int tick = 0; tick < 3; ++tick) EXPECT_FALSE(frame(view)) << "nothing to draw, yet the link ticks";
    EXPECT_EQ(frames.values, (std::vector<double>{15, 15, 15}));
    EXPECT_EQ(progress.values, (std::vector<double>{0.5, 0.5, 0.5}));

    host.apply(paused);
    frame(view);
    EXPECT_FALSE(view.displayLink().isRunning());
    EXPECT_EQ(frames.values.size(), 3u);

    // With nothing loaded yet, a progress binding still hears 0 on every tick.
    Recorder waiting;
    LottieViewHost loading;
    loading.apply(LottieView::loadAnimation([](auto) {}).bindCurrentProgress(waiting.binding()));
    loading.show();
    settle();
    waiting.values.clear();
    for (int tick = 0; tick < 3; ++tick) frame(*loading.animationView());
    EXPECT_EQ(waiting.values, (std::vector<double>{0, 0, 0}));
}

}  // namespace
