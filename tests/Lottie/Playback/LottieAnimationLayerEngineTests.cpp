// Construction of the animation layer's rendering layer: the engine choice, the
// automatic fallback to the main-thread engine, and play requests handed to the
// Core Animation engine (through a stand-in of its root layer).

#include <gtest/gtest.h>

#include <cfloat>
#include <string>
#include <thread>
#include <vector>

#include "Lottie/MainThread/MainThreadAnimationLayer.h"
#include "Lottie/Playback/Engine/PreparedRenderingLayer.h"
#include "Lottie/Playback/Providers/DefaultTextProvider.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "tests/Lottie/Playback/PlaybackTestSupport.h"

using namespace lottie;
using namespace playbacktest;

namespace {

const std::string fallbackTail =
    "This animation may have additional compatibility issues, but animation setup was cancelled early to avoid "
    "wasted work.\n\nAutomatically falling back to Main Thread rendering engine. This fallback comes with some "
    "additional performance\noverhead, which can be reduced by manually specifying that this animation should always "
    "use the Main Thread engine.\n";

bool isMainThreadLayer(const LottieAnimationLayer& layer) {
    return std::dynamic_pointer_cast<MainThreadAnimationLayer>(layer.renderingLayer()) != nullptr;
}

TEST_F(PlaybackTest, AutomaticFallsBackAtOnceWhileTheCoreAnimationEngineIsMissing) {
    auto layer = host(animation(10, 110), RenderingEngineOption::automatic());
    EXPECT_TRUE(isMainThreadLayer(*layer));
    EXPECT_EQ(layer->activeEngine(), RenderingEngine::mainThread);
    // The playhead stands at the first frame, not at frame 0.
    EXPECT_EQ(layer->currentFrame(), 10);
    EXPECT_EQ(layer->currentPlaybackMode(), LottiePlaybackMode::paused(LottiePausedState::frame(10)));
    EXPECT_FALSE(layer->animationContext());
    ASSERT_EQ(log.warnings.size(), 1u);
    EXPECT_EQ(log.warnings[0],
              "Encountered Core Animation compatibility issue while setting up animation:\n"
              "[Rendering engine] The Core Animation rendering engine is not available in this build\n" +
                  fallbackTail);
    EXPECT_EQ(log.files[0], "Lottie/LottieAnimationLayer");
    EXPECT_TRUE(log.assertionFailures.empty());
    EXPECT_EQ(layer->bounds().size.width, 100);
    EXPECT_EQ(layer->sublayers().size(), 1u);
}

TEST_F(PlaybackTest, AnimationAndConfigurationChangesRebuild) {
    auto layer =
        LottieAnimationLayer::makeEmpty(LottieConfiguration(RenderingEngineOption::mainThread()), log.logger());
    std::vector<std::string> loaded;
    std::vector<std::string> engines;
    layer->setAnimationLayerDidLoad(
        [&](LottieAnimationLayer&, const RenderingEngineOption& option) { engines.push_back(option.description()); });
    layer->setAnimationLoaded([&](LottieAnimationLayer&, const auto&) { loaded.push_back("loaded"); });
    EXPECT_TRUE(loaded.empty());                                    // nothing to report yet
    EXPECT_EQ(layer->activeEngine(), RenderingEngine::mainThread);  // asked for, even before it exists

    layer->setAnimation(animation());
    EXPECT_EQ(loaded.size(), 1u);
    EXPECT_EQ(engines, std::vector<std::string>{"Main Thread"});
    auto first = layer->renderingLayer();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->lottieAnimationLayer(), layer);

    // Another decoding strategy is no reason to rebuild; another engine text is.
    LottieConfiguration configuration = layer->configuration();
    configuration.decodingStrategy = DecodingStrategy::legacyCodable;
    layer->setConfiguration(configuration);
    EXPECT_EQ(layer->renderingLayer(), first);
    configuration.renderingEngine = RenderingEngineOption::automatic();
    layer->setConfiguration(configuration);
    EXPECT_NE(layer->renderingLayer(), first);
    EXPECT_EQ(engines, (std::vector<std::string>{"Main Thread", "Main Thread"}));  // the fallback's own build

    // A late animationLoaded hears about the animation at once; none is never reported.
    int late = 0;
    layer->setAnimationLoaded([&](LottieAnimationLayer&, const auto&) { ++late; });
    EXPECT_EQ(late, 1);
    CompletionLog completion;
    layer->play(completion.block());
    layer->setAnimation(nullptr);
    EXPECT_FALSE(layer->renderingLayer());
    EXPECT_TRUE(layer->sublayers().empty());
    EXPECT_EQ(late, 1);
    drain();
    EXPECT_EQ(completion.calls, std::vector<bool>{false});

    // A presentation copy carries the animation but never builds.
    layer->setAnimation(animation());
    auto copy = std::dynamic_pointer_cast<LottieAnimationLayer>(layer->makePresentationCopy());
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->animation(), layer->animation());
    EXPECT_FALSE(copy->renderingLayer());
    EXPECT_TRUE(copy->sublayers().empty());
}

TEST_F(PlaybackTest, AutomaticFallsBackWhenSetUpFails) {
    {
        FakeCoreAnimationEngine engine(FakeCoreAnimationEngine::Behaviour::compatibilityIssue);
        auto layer = host(animation(10, 110), RenderingEngineOption::automatic());
        EXPECT_TRUE(isMainThreadLayer(*layer));
        EXPECT_EQ(layer->currentFrame(), 10);
        ASSERT_EQ(log.warnings.size(), 1u);
        EXPECT_NE(log.warnings[0].find("\n[Layer \"Box\"] Unsupported feature\n"), std::string::npos);
    }
    {
        FakeCoreAnimationEngine engine(FakeCoreAnimationEngine::Behaviour::unexpectedError);
        auto layer = host(animation(), RenderingEngineOption::automatic());
        EXPECT_TRUE(isMainThreadLayer(*layer));
        EXPECT_EQ(log.warnings.size(), 1u);  // no warning for this one
        EXPECT_EQ(log.assertionFailures, std::vector<std::string>{"Encountered unexpected error set-up failed"});

        // The explicit engine shows nothing instead, and nothing plays.
        auto explicitLayer = host(animation(), RenderingEngineOption::coreAnimation());
        EXPECT_FALSE(explicitLayer->renderingLayer());
        EXPECT_EQ(explicitLayer->activeEngine(), RenderingEngine::coreAnimation);
        EXPECT_EQ(log.assertionFailures.size(), 2u);
        CompletionLog completion;
        explicitLayer->play(completion.block());
        advance(10);
        EXPECT_FALSE(explicitLayer->isPlaying());
        EXPECT_TRUE(completion.calls.empty());
    }
}

// A rendering layer built ahead on another thread is what the layer shows
// when it was built for what the layer holds, and the layer says what a build
// of its own would have said; built for anything else, it is left and the
// layer builds its own.
TEST_F(PlaybackTest, ARenderingLayerBuiltAheadIsAdoptedOnlyWhenItSuits) {
    using Behaviour = FakeCoreAnimationEngine::Behaviour;
    struct Case {
        const char* name;
        RenderingEngineOption engine;
        Behaviour behaviour;
        // Something the layer holds is not what the rendering layer was built for.
        bool otherProviders = false;
        // The engine of the rendering layer shown, and what was said.
        bool mainThreadShown = false;
        std::size_t warnings = 0;
        std::size_t assertionFailures = 0;
    };
    const Case cases[] = {
        {"main-thread engine", RenderingEngineOption::mainThread(), Behaviour::build, false, true},
        {"Core Animation engine", RenderingEngineOption::coreAnimation(), Behaviour::build},
        {"automatic option", RenderingEngineOption::automatic(), Behaviour::build},
        {"automatic option meeting an issue", RenderingEngineOption::automatic(), Behaviour::compatibilityIssue,
         false, true, 1},
        {"automatic option meeting a failure", RenderingEngineOption::automatic(), Behaviour::unexpectedError, false,
         true, 0, 1},
        {"Core Animation engine meeting a failure", RenderingEngineOption::coreAnimation(),
         Behaviour::unexpectedError, false, false, 0, 1},
        {"built for other providers", RenderingEngineOption::mainThread(), Behaviour::build, true, true},
        {"automatic option built for other providers", RenderingEngineOption::automatic(), Behaviour::build, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeCoreAnimationEngine engine(c.behaviour);
        LogRecorder said;
        auto layer = LottieAnimationLayer::makeEmpty(LottieConfiguration(c.engine), said.logger());
        const auto shown = animation();
        PreparedRenderingLayer::Request request = layer->renderingLayerRequest(shown);
        if (c.otherProviders) request.textProvider = std::make_shared<DefaultTextProvider>();
        std::shared_ptr<PreparedRenderingLayer> prepared;
        std::thread([&] { prepared = PreparedRenderingLayer::prepare(request); }).join();
        ASSERT_TRUE(prepared);
        // Every build the engine is asked for, those that fail included.
        const std::size_t builtAhead = engine.trackerModes.size();
        const std::size_t saidAhead = said.warnings.size() + said.assertionFailures.size();

        layer->setAnimation(shown, prepared);
        EXPECT_EQ(isMainThreadLayer(*layer), c.mainThreadShown);
        EXPECT_EQ(said.warnings.size(), c.warnings);
        EXPECT_EQ(said.assertionFailures.size(), c.assertionFailures);
        EXPECT_EQ(saidAhead, 0u) << "what the build met is said by the layer that shows it";
        if (c.otherProviders) {
            // Built again here: the Core Animation engine once more, or a
            // main-thread layer other than the one built ahead.
            if (c.mainThreadShown) {
                EXPECT_TRUE(prepared->takeMainThreadLayer()) << "the layer built ahead is left";
            } else {
                EXPECT_EQ(engine.trackerModes.size(), builtAhead + 1);
            }
        } else {
            EXPECT_EQ(engine.trackerModes.size(), builtAhead) << "nothing is built on the main thread";
            if (!c.mainThreadShown && c.assertionFailures == 0) {
                EXPECT_EQ(layer->renderingLayer(), engine.built.back());
            }
            EXPECT_FALSE(prepared->takeMainThreadLayer()) << "the layer built ahead is taken";
        }
        if (c.behaviour == Behaviour::build && !c.otherProviders) {
            EXPECT_EQ(layer->renderingLayer()->lottieAnimationLayer(), layer);
        }
    }
}

TEST_F(PlaybackTest, ExplicitCoreAnimationReportsIssuesAndKeepsRendering) {
    FakeCoreAnimationEngine engine(FakeCoreAnimationEngine::Behaviour::compatibilityIssue);
    auto layer = host(animation(), RenderingEngineOption::coreAnimation());
    ASSERT_EQ(engine.built.size(), 1u);
    EXPECT_EQ(engine.trackerModes, std::vector<CompatibilityTracker::Mode>{CompatibilityTracker::Mode::track});
    engine.built[0]->didSetUpAnimation()({});
    EXPECT_TRUE(log.failedAssertions.empty());
    engine.built[0]->didSetUpAnimation()({{"first", "A"}, {"second", "B"}});
    ASSERT_EQ(log.failedAssertions.size(), 1u);
    EXPECT_EQ(log.failedAssertions[0],
              "Encountered Core Animation compatibility issues while setting up animation:\n[A] first\n[B] second\n\n"
              "This animation cannot be rendered correctly by the Core Animation engine.\nTo resolve this issue, you "
              "can use `RenderingEngineOption.automatic`, which automatically falls back\nto the Main Thread "
              "rendering engine when necessary, or just use `RenderingEngineOption.mainThread`.\n");
    EXPECT_EQ(layer->renderingLayer(), engine.built[0]);
}

// Automatic keeps a Core Animation layer that sets up; a compatibility report that
// comes later falls back and resumes the request with its completion.
TEST_F(PlaybackTest, ALaterFallbackResumesTheRequestWithItsCompletion) {
    FakeCoreAnimationEngine engine;
    auto layer = host(animation(), RenderingEngineOption::automatic());
    ASSERT_EQ(engine.built.size(), 1u);
    EXPECT_EQ(engine.trackerModes, std::vector<CompatibilityTracker::Mode>{CompatibilityTracker::Mode::abort});
    EXPECT_EQ(layer->activeEngine(), RenderingEngine::coreAnimation);
    EXPECT_EQ(layer->backgroundBehavior(), LottieBackgroundBehavior::continuePlaying);
    engine.built[0]->didSetUpAnimation()({});  // no issue: nothing changes
    EXPECT_EQ(layer->renderingLayer(), engine.built[0]);
    std::vector<std::string> engines;
    layer->setAnimationLayerDidLoad(
        [&](LottieAnimationLayer&, const RenderingEngineOption& option) { engines.push_back(option.description()); });
    layer->setAnimation(animation());  // rebuilds on a new fake layer
    ASSERT_EQ(engine.built.size(), 2u);
    auto fake = engine.built[1];

    CompletionLog completion;
    layer->play(completion.block());
    ASSERT_EQ(fake->configurations.size(), 1u);
    auto oldDelegate = fake->configurations[0].animationConfiguration.animationContext.closure;
    fake->applyPending();
    fake->setCurrentFrame(25);  // what the engine shows when it reports

    fake->didSetUpAnimation()({{"Unsupported", "Layer"}});
    EXPECT_TRUE(isMainThreadLayer(*layer));
    EXPECT_EQ(engines, (std::vector<std::string>{"Automatic", "Main Thread"}));
    EXPECT_EQ(log.warnings.size(), 1u);
    oldDelegate->animationDidStop(nullptr, false);  // muted: says nothing
    advance(0);
    EXPECT_NEAR(layer->presentedFrame(), 25, 1e-6);
    EXPECT_TRUE(layer->isPlaying());
    advance(3.5);
    EXPECT_EQ(completion.calls, std::vector<bool>{true});

    // A report that arrives after the layer is gone does nothing.
    auto orphan = engine.built[0];
    layer.reset();
    displayLink.reset();
    orphan->didSetUpAnimation()({{"Unsupported", "Layer"}});
    EXPECT_EQ(log.warnings.size(), 1u);
}

TEST_F(PlaybackTest, CoreAnimationRequestsBecomePendingConfigurations) {
    using Timing = CoreAnimationRootLayer::MediaTimingConfiguration;
    struct Case {
        std::string name;
        double speed;
        LottieLoopMode loopMode;
        double shown;
        double expectedFrom;
        double expectedTo;
        Timing timing;
    };
    const std::vector<Case> cases = {
        {"forwards", 1, LottieLoopMode::playOnce(), 0, 10, 50, {false, 1, 1, 0}},
        {"backwards at double speed", -2, LottieLoopMode::playOnce(), 0, 50, 10, {false, 1, 2, 0}},
        {"play once continues from the frame shown", 1, LottieLoopMode::playOnce(), 29.6, 29.6, 50, {false, 1, 1, 0}},
        {"loop keeps the range and offsets time", 1, LottieLoopMode::loop(), 29.6, 10, 50, {false, FLT_MAX, 1, 1.96}},
        {"backwards loop", -1, LottieLoopMode::autoReverse(), 29.6, 50, 10, {true, FLT_MAX, 1, (50 - 29.6) / 10}},
        {"repeat", 1, LottieLoopMode::repeatBackwards(2.5), 0, 10, 50, {true, 2.5, 1, 0}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        FakeCoreAnimationEngine engine;
        auto layer = host(animation(), RenderingEngineOption::coreAnimation());
        auto fake = engine.built.at(0);
        layer->setCurrentFrame(item.shown);
        layer->setAnimationSpeed(item.speed);
        layer->playFromFrame(10, 50, item.loopMode);
        ASSERT_EQ(fake->configurations.size(), 1u);
        const auto& configuration = fake->configurations[0].animationConfiguration;
        EXPECT_TRUE(fake->configurations[0].playbackState.isPlaying());
        EXPECT_NEAR(configuration.animationContext.playFrom, item.expectedFrom, 1e-9);
        EXPECT_EQ(configuration.animationContext.playTo, item.expectedTo);
        EXPECT_EQ(configuration.timingConfiguration.autoreverses, item.timing.autoreverses);
        EXPECT_EQ(configuration.timingConfiguration.repeatCount, item.timing.repeatCount);
        EXPECT_EQ(configuration.timingConfiguration.speed, item.timing.speed);
        EXPECT_NEAR(configuration.timingConfiguration.timeOffset, item.timing.timeOffset, 1e-9);
        EXPECT_TRUE(fake->needsDisplay());
        EXPECT_TRUE(layer->isPlaying());
    }
}

TEST_F(PlaybackTest, CoreAnimationCompletesRequestsOnce) {
    FakeCoreAnimationEngine engine;
    auto layer = host(animation(), RenderingEngineOption::coreAnimation());
    auto fake = engine.built.at(0);

    // Nothing to play from the frame shown to itself: done at once.
    layer->setCurrentFrame(30);
    CompletionLog immediate;
    layer->playFromFrame(std::nullopt, 30, std::nullopt, immediate.block());
    EXPECT_EQ(immediate.calls, std::vector<bool>{true});
    EXPECT_TRUE(fake->configurations.empty());

    // A replaced request hears false when the next configuration is applied.
    CompletionLog first;
    CompletionLog second;
    layer->play(first.block());
    fake->applyPending();
    layer->play(second.block());
    EXPECT_TRUE(first.calls.empty());
    fake->applyPending();
    EXPECT_EQ(first.calls, std::vector<bool>{false});
    fake->finishApplied();
    EXPECT_EQ(second.calls, std::vector<bool>{true});
    EXPECT_FALSE(layer->isPlaying());

    // The layer's own answer wins over an animation found under the key.
    layer->play();
    fake->setCurrentFrame(10);  // pauses, as the engine does
    fake->addAnimation(platform::compositor::BasicAnimation::make("opacity"), "animationProgress");
    EXPECT_FALSE(layer->isPlaying());
}

}  // namespace
