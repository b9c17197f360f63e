// A playback that ran to its end rests there: played once forwards to the end
// or backwards to the start, at any speed, the view keeps showing that frame,
// every layer that lasts until it included, through the widget and through the
// declarative view, on both engines; it shows what the frame tool draws of it.
#include <QImage>
#include <functional>
#include <string>
#include <vector>

#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Views/LottieViewHost.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using lottie::LottieAnimation;
using lottie::LottieLoopMode;
using lottie::RenderingEngineOption;
using viewstest::ViewsTest;

// 100 x 50, frames 0 to 30 at 30 per second: a blue background for the whole
// animation and a red square that moves across it. Where `squareIn` and
// `squareOut` are inside the animation, the square shows only between them,
// so that neither end of the animation shows it.
std::shared_ptr<const LottieAnimation> document(int squareIn, int squareOut) {
    std::string text = viewstest::document();
    const std::string square = R"("nm":"Square","sr":1,"ip":0,"op":30)";
    text.replace(text.find(square), square.size(),
                 R"("nm":"Square","sr":1,"ip":)" + std::to_string(squareIn) + R"(,"op":)" + std::to_string(squareOut));
    return LottieAnimation::fromData(text, lottie::DecodingStrategy::dictionaryBased);
}

struct Engine {
    const char* name;
    RenderingEngineOption option;
};

const Engine kEngines[] = {{"main thread", RenderingEngineOption::mainThread()},
                           {"core animation", RenderingEngineOption::coreAnimation()}};

// How the view is asked to play once: from progress to progress at a speed.
struct Playback {
    const char* name;
    double fromProgress, toProgress, speed;
    double restingFrame;
};

const Playback kPlaybacks[] = {
    {"forwards at 1x", 0, 1, 1, 30},
    {"forwards at 0.25x", 0, 1, 0.25, 30},
    {"forwards at 2x", 0, 1, 2, 30},
    {"backwards by range at 1x", 1, 0, 1, 0},
    {"backwards by range at 1.5x", 1, 0, 1.5, 0},
    {"backwards by speed at -0.5x", 0, 1, -0.5, 0},
};

struct Document {
    const char* name;
    int squareIn, squareOut;
};

// The square to the end and from the start; or only in the middle.
const Document kDocuments[] = {{"layers to both ends", 0, 30}, {"layers that end early and start late", 8, 22}};

// Every document, engine and way of playing once, each under its trace.
void forEachCase(const std::function<void(const std::shared_ptr<const LottieAnimation>&, const Engine&,
                                          const Playback&)>& run) {
    for (const Document& d : kDocuments) {
        const auto animation = document(d.squareIn, d.squareOut);
        for (const Engine& engine : kEngines) {
            for (const Playback& p : kPlaybacks) {
                SCOPED_TRACE(testing::Message() << d.name << ", " << engine.name << ", " << p.name);
                run(animation, engine, p);
            }
        }
    }
}

// Ticks the view's display frames until it has stopped playing, and a few
// more; then it must have finished once and show the frame it ended on as
// the frame tool draws it, paused there, on the same engine.
void expectRestingOnTheEnd(lottie::LottieAnimationView& view, const std::function<void()>& tick,
                           const std::vector<bool>& completions, const std::shared_ptr<const LottieAnimation>& animation,
                           const Engine& engine, const Playback& p) {
    for (int ticks = 0; ticks < 600 && view.isPlaying(); ++ticks) tick();
    for (int ticks = 0; ticks < 5; ++ticks) tick();
    ASSERT_EQ(completions, std::vector<bool>{true}) << "it ran to its end";
    EXPECT_DOUBLE_EQ(view.realtimeAnimationFrame(), p.restingFrame);
    const auto shown = viewstest::imageOf(view.grab().toImage());
    lottieframes::FrameRenderer tool(animation, view.width(), view.height(), viewstest::backgroundOf(view),
                                     engine.option);
    EXPECT_LT(viewstest::rmse(*shown, *tool.render(p.restingFrame)), 0.002) << "the frame it ended on";
}

TEST_F(ViewsTest, AViewThatPlayedOnceToItsEndRestsOnThatFrameOnBothEngines) {
    forEachCase([this](const auto& animation, const Engine& engine, const Playback& p) {
        lottie::LottieAnimationView view(animation, nullptr, nullptr, nullptr, lottie::LottieConfiguration(engine.option));
        view.resize(100, 50);
        view.show();
        settle();
        std::vector<bool> completions;
        view.setAnimationSpeed(p.speed);
        view.playFromProgress(p.fromProgress, p.toProgress, LottieLoopMode::playOnce(),
                              [&completions](bool finished) { completions.push_back(finished); });
        expectRestingOnTheEnd(view, [this, &view] { frame(view); }, completions, animation, engine, p);
    });
}

TEST_F(ViewsTest, TheDeclarativeViewThatPlayedOnceToItsEndRestsOnThatFrameOnBothEngines) {
    forEachCase([this](const auto& animation, const Engine& engine, const Playback& p) {
        std::vector<bool> completions;
        lottie::LottieViewHost host;
        host.resize(100, 50);
        host.apply(lottie::LottieView(animation)
                       .configuration(lottie::LottieConfiguration(engine.option))
                       .playing(lottie::LottiePlayingMode::fromProgress(p.fromProgress, p.toProgress,
                                                                        LottieLoopMode::playOnce()))
                       .animationSpeed(p.speed)
                       .onAnimationCompletion([&completions](bool finished) { completions.push_back(finished); }));
        host.show();
        settle();
        lottie::LottieAnimationView& view = *host.animationView();
        expectRestingOnTheEnd(view, [this, &view] { frame(view); }, completions, animation, engine, p);
    });
}

}  // namespace
