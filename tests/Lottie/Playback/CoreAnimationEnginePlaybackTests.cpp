// The Core Animation engine's root layer played through the animation layer on
// the manual clock: what the one "animationProgress" animation presents over
// time for each kind of request, and that each request completes exactly once.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Compositor/Renderer.h"
#include "Platform/Graphics/Image.h"
#include "tests/Lottie/Playback/PlaybackTestSupport.h"

using namespace lottie;
using namespace playbacktest;

namespace {

// 100 frames at 10 frames per second and no layers: an empty tree.
std::shared_ptr<const LottieAnimation> emptyAnimation() {
    return LottieAnimation::fromData(R"({"v":"5.7.0","fr":10,"ip":0,"op":100,"w":100,"h":100,"layers":[]})",
                                     DecodingStrategy::dictionaryBased);
}

class CoreAnimationPlaybackTest : public PlaybackTest {
protected:
    void SetUp() override {
        PlaybackTest::SetUp();
        CoreAnimationLayer::install();
    }
    void TearDown() override {
        CoreAnimationLayerFactory::install(nullptr);
        PlaybackTest::TearDown();
    }

    std::shared_ptr<LottieAnimationLayer> hostEngine() {
        auto layer = host(emptyAnimation(), RenderingEngineOption::coreAnimation());
        root = std::dynamic_pointer_cast<CoreAnimationLayer>(layer->renderingLayer());
        return layer;
    }

    // The progress "animationProgress" presents now.
    double presentedProgress() const {
        const auto progress = root->presentedValue(CoreAnimationLayer::animationProgressKey,
                                                   platform::compositor::MediaClock::currentTime());
        return progress ? progress->number().value_or(-1) : -1;
    }
    // The frame shown while playing: the progress over the 100 frames, or the
    // request's last frame once the progress animation has finished and gone.
    double presentedFrame() const {
        if (!root->animation(CoreAnimationLayer::animationProgressKey)) return root->currentFrame();
        return 100 * presentedProgress();
    }

    std::shared_ptr<CoreAnimationLayer> root;
};

TEST_F(CoreAnimationPlaybackTest, RequestsPresentTheirProgressOverTimeAndCompleteOnce) {
    struct Step {
        double seconds;  // advanced before the check
        double frame;
        std::vector<bool> completions;
    };
    struct Case {
        std::string name;
        double speed;
        double from;
        double to;
        LottieLoopMode loopMode;
        std::vector<Step> steps;
    };
    const std::vector<Case> cases = {
        {"play once",
         1,
         0,
         100,
         LottieLoopMode::playOnce(),
         {{0, 0, {}}, {2.5, 25, {}}, {7.4, 99, {}}, {0.1, 100, {true}}, {5, 100, {true}}}},
        {"a range at double speed",
         2,
         20,
         60,
         LottieLoopMode::playOnce(),
         {{0, 20, {}}, {1, 40, {}}, {1, 60, {true}}, {1, 60, {true}}}},
        {"negative speed plays the range backwards",
         -1,
         20,
         60,
         LottieLoopMode::playOnce(),
         {{0, 60, {}}, {1, 50, {}}, {2.5, 25, {}}, {0.5, 20, {true}}, {3, 20, {true}}}},
        {"loop starts over at the range's start",
         1,
         20,
         60,
         LottieLoopMode::loop(),
         {{0, 20, {}}, {3, 50, {}}, {2, 30, {}}, {40, 30, {}}}},
        {"auto reverse comes back",
         1,
         20,
         60,
         LottieLoopMode::autoReverse(),
         {{3, 50, {}}, {2, 50, {}}, {3, 20, {}}, {1, 30, {}}}},
        {"repeat twice, then rest at the end",
         1,
         20,
         60,
         LottieLoopMode::repeat(2),
         {{5, 30, {}}, {3, 60, {true}}, {4, 60, {true}}}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        auto layer = hostEngine();
        ASSERT_TRUE(root);
        layer->setAnimationSpeed(item.speed);
        CompletionLog completion;
        layer->playFromFrame(item.from, item.to, item.loopMode, completion.block());
        EXPECT_TRUE(layer->isPlaying());
        // The request is applied in the next display pass, and starts there.
        advance(0);
        for (const Step& step : item.steps) {
            advance(step.seconds);
            SCOPED_TRACE("after " + std::to_string(step.seconds) + " s");
            EXPECT_NEAR(presentedFrame(), step.frame, 1e-6);
            EXPECT_EQ(completion.calls, step.completions);
        }
        // The one animation drives the whole tree.
        EXPECT_LE(root->animationKeys().size(), 1u);
    }
}

TEST_F(CoreAnimationPlaybackTest, PauseHoldsTheFrameAndSeekingWhilePausedOnlyMovesTheTimeOffset) {
    auto layer = hostEngine();
    ASSERT_TRUE(root);
    CompletionLog completion;
    layer->play(completion.block());
    advance(0);
    advance(2);
    EXPECT_NEAR(presentedFrame(), 20, 1e-6);
    layer->pause();
    advance(0);
    EXPECT_NEAR(layer->currentFrame(), 20, 1e-6);
    advance(3);
    EXPECT_NEAR(layer->currentFrame(), 20, 1e-6);
    EXPECT_FALSE(layer->isPlaying());
    EXPECT_EQ(completion.calls, std::vector<bool>{false});
    EXPECT_EQ(root->speed(), 0);
    EXPECT_NEAR(root->timeOffset(), 2, 1e-9);

    // The paused configuration stands: a seek is a time offset, with no display pass.
    const auto installed = root->animation(CoreAnimationLayer::animationProgressKey);
    ASSERT_TRUE(installed);
    layer->setCurrentFrame(45);
    EXPECT_FALSE(root->pendingAnimationConfiguration());
    EXPECT_FALSE(root->needsDisplay());
    EXPECT_NEAR(root->timeOffset(), 4.5, 1e-12);
    advance(1);
    EXPECT_EQ(root->animation(CoreAnimationLayer::animationProgressKey), installed);
    EXPECT_NEAR(layer->currentFrame(), 45, 1e-9);
    // The paused animation presents the frame too, over the whole animation and one
    // frame more, so that the end frame itself shows.
    layer->setCurrentFrame(100);
    advance(0);
    EXPECT_NEAR(presentedProgress(), 100.0 / 101, 1e-9);
    layer->setCurrentFrame(45);
    advance(0);
    EXPECT_NEAR(presentedProgress(), 45.0 / 101, 1e-9);

    // Playing again from the frame shown continues there: the frame reported
    // never goes back before it, neither before the request is applied nor on
    // the first tick after.
    CompletionLog second;
    layer->playFromFrame(std::nullopt, 100, LottieLoopMode::playOnce(), second.block());
    EXPECT_NEAR(layer->presentedFrame(), 45, 1e-6);
    advance(0);
    EXPECT_NEAR(presentedFrame(), 45, 1e-6);
    EXPECT_NEAR(layer->presentedFrame(), 45, 1e-6);
    advance(1);
    EXPECT_NEAR(presentedFrame(), 55, 1e-6);
    EXPECT_NEAR(layer->presentedFrame(), 55, 1e-6);
    advance(10);
    EXPECT_EQ(second.calls, std::vector<bool>{true});
    EXPECT_EQ(completion.calls, std::vector<bool>{false});

    // Paused between whole frames after playing, then played again: from the
    // request on, each tick reports a frame at or past the pause point, on
    // either engine.
    for (const RenderingEngineOption& engine : {RenderingEngineOption::coreAnimation(), RenderingEngineOption::mainThread()}) {
        SCOPED_TRACE(engine.description());
        auto resumed = host(emptyAnimation(), engine);
        resumed->playFromFrame(0, 100, LottieLoopMode::playOnce(), nullptr);
        advance(0);
        advance(6.528);
        resumed->pause();
        advance(0);
        const double pausedAt = resumed->currentFrame();
        EXPECT_NEAR(pausedAt, 65.28, 1e-6);
        resumed->play();
        EXPECT_GE(resumed->presentedFrame(), pausedAt - 1e-9) << "before a tick";
        for (double tick : {0.0, 1.0 / 60, 1.0 / 60}) {
            advance(tick);
            EXPECT_GE(resumed->presentedFrame(), pausedAt - 1e-9) << "after a tick of " << tick << " s";
            EXPECT_GE(resumed->currentFrame(), pausedAt - 1e-9) << "after a tick of " << tick << " s";
        }
    }
}

TEST_F(CoreAnimationPlaybackTest, TwoRequestsBeforeOneDisplayPassApplyOnlyTheSecond) {
    auto layer = hostEngine();
    ASSERT_TRUE(root);
    CompletionLog first;
    CompletionLog second;
    layer->playFromFrame(0, 50, LottieLoopMode::playOnce(), first.block());
    layer->playFromFrame(50, 100, LottieLoopMode::playOnce(), second.block());
    advance(0);
    ASSERT_TRUE(root->currentAnimationConfiguration());
    EXPECT_EQ(root->currentAnimationConfiguration()->animationContext.playFrom, 50);
    EXPECT_NEAR(presentedFrame(), 50, 1e-6);
    advance(5);
    EXPECT_EQ(second.calls, std::vector<bool>{true});
    // Once the progress animation has finished, the frame is the request's last.
    EXPECT_FALSE(root->animation(CoreAnimationLayer::animationProgressKey));
    EXPECT_EQ(root->currentFrame(), 100);
    EXPECT_FALSE(layer->isPlaying());
}

TEST_F(CoreAnimationPlaybackTest, AChangedValueProviderRebuildsTheAnimationsAndPlayingGoesOn) {
    auto layer = hostEngine();
    ASSERT_TRUE(root);
    CompletionLog completion;
    layer->playFromFrame(0, 100, LottieLoopMode::playOnce(), completion.block());
    advance(0);
    advance(2);
    const auto before = root->animation(CoreAnimationLayer::animationProgressKey);
    layer->installValueProvider(std::make_shared<FloatValueProvider>(50.0), AnimationKeypath("**.Opacity"));
    advance(0);
    // A new request from the frame shown, installed anew; the old one says nothing.
    EXPECT_NE(root->animation(CoreAnimationLayer::animationProgressKey), before);
    EXPECT_NEAR(presentedFrame(), 20, 1e-6);
    EXPECT_EQ(root->valueProviderStore()->valueProviders().size(), 1u);
    advance(3);
    EXPECT_NEAR(presentedFrame(), 50, 1e-6);
    advance(5);
    EXPECT_EQ(completion.calls, std::vector<bool>{true});

    // While paused, a removal rebuilds at the frame shown without playing.
    layer->setCurrentFrame(30);
    advance(0);
    layer->uninstallValueProvider(AnimationKeypath("**.Opacity"));
    advance(0);
    EXPECT_TRUE(root->valueProviderStore()->valueProviders().empty());
    EXPECT_FALSE(layer->isPlaying());
    EXPECT_NEAR(layer->currentFrame(), 30, 1e-9);
    EXPECT_EQ(completion.calls, std::vector<bool>{true});
}

TEST_F(CoreAnimationPlaybackTest, CollectingKeypathsRebuildsOnceWithTheRecorderInstalled) {
    auto layer = hostEngine();
    ASSERT_TRUE(root);
    layer->play();
    advance(0);
    // The empty tree has no properties to report.
    EXPECT_TRUE(root->collectAllKeypaths().empty());
    ASSERT_TRUE(root->currentAnimationConfiguration());
    EXPECT_TRUE(root->currentAnimationConfiguration()->recordHierarchyKeypath);
    EXPECT_TRUE(layer->isPlaying());
}

TEST_F(CoreAnimationPlaybackTest, TheAutomaticChoiceFallsBackFromAFrameRateOf0) {
    auto stopped = LottieAnimation::fromData(R"({"v":"5.7.0","fr":0,"ip":0,"op":100,"w":100,"h":100,"layers":[]})",
                                             DecodingStrategy::dictionaryBased);
    auto automatic = host(stopped, RenderingEngineOption::automatic());
    EXPECT_FALSE(std::dynamic_pointer_cast<CoreAnimationLayer>(automatic->renderingLayer()));
    ASSERT_EQ(log.warnings.size(), 1u);
    EXPECT_NE(log.warnings[0].find("[root layer] The animation's frame rate (0) is not a positive number of frames per second\n"),
              std::string::npos);
    // With a usable frame rate the empty tree stays on this engine.
    auto playing = host(emptyAnimation(), RenderingEngineOption::automatic());
    EXPECT_TRUE(std::dynamic_pointer_cast<CoreAnimationLayer>(playing->renderingLayer()));
    EXPECT_EQ(log.warnings.size(), 1u);
}

}  // namespace

namespace {

// A layer of the Core Animation engine's tree that counts what the library runs
// on it: setting up animations, laying out and drawing its contents.
class CountingLayer final : public BaseAnimationLayer {
public:
    void setupAnimations(const LayerAnimationContext& context) override {
        ++setups;
        BaseAnimationLayer::setupAnimations(context);
    }
    void layoutSublayers() override {
        ++layouts;
        BaseAnimationLayer::layoutSublayers();
    }
    void display() override { ++displays; }

    int setups = 0;
    int layouts = 0;
    int displays = 0;
};

// A precomposition holding a masked solid and a text layer, over two seconds.
const char* const busyDocument =
    R"({"v":"5.7.0","fr":10,"ip":0,"op":20,"w":100,"h":100,"assets":[{"id":"inner","layers":[)"
    R"({"ty":1,"nm":"Solid","ind":1,"ip":0,"op":20,"st":0,"ks":{"p":{"a":1,"k":[{"t":0,"s":[0,0],"i":{"x":1,"y":1},)"
    R"("o":{"x":0,"y":0}},{"t":20,"s":[50,50]}]}},"sc":"#ff0000","sw":40,"sh":40,"hasMask":true,"masksProperties":[)"
    R"({"mode":"s","pt":{"a":0,"k":{"c":true,"v":[[0,0],[10,0],[10,10]],"i":[[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0]]}},)"
    R"("o":{"a":0,"k":100}}]},{"ty":5,"nm":"Text","ind":2,"ip":0,"op":20,"st":0,"ks":{},"t":{"d":{"k":[{"s":)"
    R"({"t":"Hi","s":12,"f":"DejaVu Sans","j":0,"tr":0,"lh":14,"fc":[0,0,0]},"t":0}]},"a":[],"p":{},"m":{}}}]}],)"
    R"("layers":[{"ty":0,"nm":"Precomp","ind":1,"ip":0,"op":20,"st":0,"sr":1,"ks":{},"refId":"inner","w":100,"h":100}]})";

}  // namespace

// While an animation plays on this engine, advancing the clock and drawing a frame
// is the compositor's work alone: the library sets the animations up once per
// play request and lays out and draws nothing more.
TEST_F(CoreAnimationPlaybackTest, PlayingRunsNoLibraryCodePerFrame) {
    auto layer = host(LottieAnimation::fromData(busyDocument, DecodingStrategy::dictionaryBased),
                      RenderingEngineOption::coreAnimation());
    root = std::dynamic_pointer_cast<CoreAnimationLayer>(layer->renderingLayer());
    ASSERT_TRUE(root);
    auto counter = std::make_shared<CountingLayer>();
    counter->setNeedsDisplay();
    root->addSublayer(counter);
    layer->play();
    advance(0);
    EXPECT_EQ(counter->setups, 1);
    EXPECT_TRUE(layer->isPlaying());
    const int layouts = counter->layouts;
    const int displays = counter->displays;
    EXPECT_EQ(displays, 1);
    for (int frame = 0; frame < 15; ++frame) advance(0.1);
    EXPECT_TRUE(layer->isPlaying());
    EXPECT_EQ(counter->setups, 1);
    EXPECT_EQ(counter->layouts, layouts);
    EXPECT_EQ(counter->displays, displays);
    EXPECT_TRUE(log.failedAssertions.empty());
}

namespace {

// An ellipse filled with a gradient whose opacity stops fall to one half: the
// Core Animation engine masks its colour gradient with a second gradient layer.
const char* const translucentGradientDocument =
    R"({"v":"5.7.0","fr":10,"ip":0,"op":20,"w":100,"h":100,"layers":[{"ty":4,"nm":"Ball","ind":1,"ip":0,"op":20,)"
    R"("st":0,"ks":{},"shapes":[{"ty":"gr","it":[{"ty":"el","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[60,60]}},)"
    R"({"ty":"gf","o":{"a":0,"k":100},"r":1,"s":{"a":0,"k":[20,50]},"e":{"a":0,"k":[80,50]},"t":1,)"
    R"("g":{"p":2,"k":{"a":0,"k":[0,1,0,0,1,0,0,1,0,1,1,0.5]}}},{"ty":"tr"}]}]}]})";

// A square shown through an alpha track matte, a moving ellipse.
const char* const trackMatteDocument =
    R"({"v":"5.7.0","fr":10,"ip":0,"op":20,"w":100,"h":100,"layers":[)"
    R"({"ty":4,"nm":"Matte","ind":1,"td":1,"ip":0,"op":20,"st":0,"ks":{"p":{"a":1,"k":[{"t":0,"s":[0,0],)"
    R"("i":{"x":1,"y":1},"o":{"x":0,"y":0}},{"t":20,"s":[30,0]}]}},"shapes":[{"ty":"el","p":{"a":0,"k":[40,50]},)"
    R"("s":{"a":0,"k":[50,50]}},{"ty":"fl","c":{"a":0,"k":[1,1,1,1]},"o":{"a":0,"k":100},"r":1}]},)"
    R"({"ty":1,"nm":"Square","ind":2,"tt":1,"ip":0,"op":20,"st":0,"ks":{},"sc":"#0000ff","sw":100,"sh":100}]})";

}  // namespace

// A paused view, or one whose animation has played to its end, costs no frame
// on either engine: the display link draws again only when something changes,
// also when masks (a translucent gradient's on this engine, a track matte's on
// both) sit in the tree.
TEST_F(CoreAnimationPlaybackTest, APausedOrFinishedViewDrawsNoFrames) {
    struct Document {
        const char* name;
        const char* json;
    };
    const Document documents[] = {
        {"masked precomposition with text", busyDocument},
        {"translucent gradient", translucentGradientDocument},
        {"track matte", trackMatteDocument},
    };
    struct Engine {
        const char* name;
        RenderingEngineOption option;
        bool coreAnimation;
    };
    const Engine engines[] = {
        {"core animation", RenderingEngineOption::coreAnimation(), true},
        {"main thread", RenderingEngineOption::mainThread(), false},
    };
    const auto drawingTicks = [this](int ticks) {
        int drawing = 0;
        for (int tick = 0; tick < ticks; ++tick) {
            clock->advance(0.1);
            drawing += displayLink->tick() ? 1 : 0;
            drain();
        }
        return drawing;
    };
    for (const Document& document : documents) {
        for (const Engine& engine : engines) {
            const std::string name = std::string(document.name) + ", " + engine.name;
            auto layer = host(LottieAnimation::fromData(document.json, DecodingStrategy::dictionaryBased),
                              engine.option);
            ASSERT_EQ(std::dynamic_pointer_cast<CoreAnimationLayer>(layer->renderingLayer()) != nullptr,
                      engine.coreAnimation)
                << name;
            struct Case {
                const char* name;
                std::function<void()> request;
                int settleTicks;
            };
            const std::vector<Case> cases = {
                {"paused at a frame", [&] { layer->setCurrentFrame(7); }, 2},
                {"played to its end", [&] { layer->play(); }, 25},
            };
            for (const Case& item : cases) {
                item.request();
                drawingTicks(item.settleTicks);
                EXPECT_EQ(drawingTicks(20), 0) << name << ", " << item.name;
                EXPECT_FALSE(layer->isPlaying()) << name << ", " << item.name;
            }
            // Playing again wakes the link up.
            layer->play();
            EXPECT_GT(drawingTicks(5), 0) << name;
        }
    }
}

namespace {

// Frames 10 to 30 at 10 frames per second: a red box 20 units wide whose centre
// moves evenly from x 10 at frame 10 to x 90 at frame 30, so that each frame
// shows the box at a place of its own.
const char* const lateStartDocument =
    R"({"v":"5.7.0","fr":10,"ip":10,"op":30,"w":100,"h":100,"layers":[{"ty":4,"nm":"Box","ind":1,"ip":10,)"
    R"("op":30,"st":0,"ks":{"p":{"a":1,"k":[{"t":10,"s":[10,50],"i":{"x":1,"y":1},"o":{"x":0,"y":0}},)"
    R"({"t":30,"s":[90,50]}]}},"shapes":[{"ty":"rc","nm":"Rect","p":{"a":0,"k":[0,0]},"s":{"a":0,"k":[20,20]},)"
    R"("r":{"a":0,"k":0}},{"ty":"fl","nm":"Fill","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"r":1}]}]})";

// The middle of the box's pixels along the picture's middle row; -1 when none shows.
double boxCentre(const platform::graphics::Image& picture) {
    double sum = 0;
    int count = 0;
    for (int x = 0; x < picture.width(); ++x) {
        if ((picture.pixel(x, picture.height() / 2) >> 24) >= 128) {
            sum += x + 0.5;
            ++count;
        }
    }
    return count ? sum / count : -1;
}

}  // namespace

// A document whose first frame is not 0, paused on this engine, shows the frame
// the caller asked for: the pause counts its frames from the document's start.
TEST_F(CoreAnimationPlaybackTest, APauseOnADocumentThatStartsLaterShowsTheFrameAskedFor) {
    auto layer = host(LottieAnimation::fromData(lateStartDocument, DecodingStrategy::dictionaryBased),
                      RenderingEngineOption::coreAnimation());
    ASSERT_TRUE(std::dynamic_pointer_cast<CoreAnimationLayer>(layer->renderingLayer()));
    // Placed to fill the animation layer, as a view places it.
    layer->renderingLayer()->setPosition({50, 50});
    struct Case {
        const char* name;
        std::function<void()> request;
        double frame;
    };
    const std::vector<Case> cases = {
        {"the first frame", [&] { layer->setCurrentFrame(10); }, 10},
        {"a frame between keyframes", [&] { layer->setCurrentFrame(17.5); }, 17.5},
        {"the last frame", [&] { layer->setCurrentFrame(29); }, 29},
        {"paused while playing",
         [&] {
             // Playing once continues from the frame shown.
             layer->setCurrentFrame(10);
             advance(0);
             layer->play();
             advance(0);
             advance(0.6);
             layer->pause();
         },
         16},
    };
    for (const Case& item : cases) {
        item.request();
        advance(0);
        EXPECT_NEAR(layer->currentFrame(), item.frame, 1e-6) << item.name;
        const auto picture = platform::compositor::Renderer::renderImage(layer, clock->now(), 100, 100);
        ASSERT_TRUE(picture);
        EXPECT_NEAR(boxCentre(*picture), 10 + 4 * (item.frame - 10), 1) << item.name;
    }
}
