// The animation layer's keypath services, marker queries and dotLottie entries,
// on the main-thread engine.

#include <gtest/gtest.h>

#include <any>
#include <string>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Lottie/Values/LottieColor.h"
#include "tests/Lottie/Playback/PlaybackTestSupport.h"

using namespace lottie;
using namespace playbacktest;

namespace {

const AnimationKeypath fillColor("Box.Fill.Color");
const LottieColor red(1, 0, 0, 1);
const LottieColor green(0, 1, 0, 1);

std::optional<LottieColor> colorAt(LottieAnimationLayer& layer, bool overridden = true) {
    std::any value = overridden ? layer.valueAtKeypath(fillColor) : layer.unoverriddenValueAtKeypath(fillColor);
    if (const auto* color = std::any_cast<LottieColor>(&value)) return *color;
    return std::nullopt;
}

TEST_F(PlaybackTest, ValueProvidersAreRememberedOnlyWithARenderingLayerAndReplayed) {
    auto layer =
        LottieAnimationLayer::makeEmpty(LottieConfiguration(RenderingEngineOption::mainThread()), log.logger());
    layer->installValueProvider(std::make_shared<ColorValueProvider>(green), fillColor);
    EXPECT_TRUE(layer->valueProviders().empty());
    EXPECT_FALSE(layer->valueAtKeypath(fillColor).has_value());
    layer->setAnimation(animation());
    EXPECT_EQ(colorAt(*layer), red);  // installed too early: lost

    layer->installValueProvider(std::make_shared<ColorValueProvider>(green), fillColor);
    layer->installValueProvider(std::make_shared<FloatValueProvider>(50.0), AnimationKeypath("Box.Fill.Opacity"));
    EXPECT_EQ(layer->valueProviders().size(), 2u);
    EXPECT_EQ(colorAt(*layer), green);
    EXPECT_EQ(colorAt(*layer, false), red);

    // A new rendering layer receives them again.
    auto before = layer->renderingLayer();
    layer->setAnimation(animation());
    ASSERT_NE(layer->renderingLayer(), before);
    EXPECT_EQ(colorAt(*layer), green);

    // A pattern takes away every provider it matches, and only those.
    layer->uninstallValueProvider(AnimationKeypath("**.Color"));
    EXPECT_EQ(layer->valueProviders().size(), 1u);
    EXPECT_EQ(layer->valueProviders().count(AnimationKeypath("Box.Fill.Opacity")), 1u);
    EXPECT_EQ(colorAt(*layer), red);
}

TEST_F(PlaybackTest, KeypathQueriesAndConversions) {
    auto layer = host(animation());
    const auto keypaths = layer->collectAllKeypaths();
    EXPECT_NE(std::find(keypaths.begin(), keypaths.end(), "Box.Fill.Color"), keypaths.end());

    // Without a keypath, into the rendering layer, wherever it has been placed.
    auto root = layer->renderingLayer();
    root->setAnchorPoint({0, 0});
    root->setPosition({30, 40});
    auto point = layer->convertPointToKeypath({50, 50}, std::nullopt);
    ASSERT_TRUE(point);
    EXPECT_EQ(*point, platform::graphics::Point(20, 10));
    const auto rect = layer->convertRectToKeypath({50, 50, 10, 10}, std::nullopt);
    EXPECT_EQ(rect.value().origin, platform::graphics::Point(20, 10));
    EXPECT_TRUE(layer->convertPointToKeypath({0, 0}, AnimationKeypath("Box")));
    EXPECT_FALSE(layer->convertPointToKeypath({0, 0}, AnimationKeypath("Nothing.Here")));
    EXPECT_FALSE(layer->convertRectToKeypath({0, 0, 1, 1}, AnimationKeypath("Nothing.Here")));
}

TEST_F(PlaybackTest, AnimatorNodesCanBeSwitchedOff) {
    auto layer = host(animation());
    const AnimationKeypath fill("Box.Fill");
    auto nodes = layer->renderingLayer()->nodesAtKeypath(fill);
    ASSERT_TRUE(nodes);
    ASSERT_FALSE(nodes->empty());
    layer->setAnimatorNodesEnabled(false, fill);
    for (const auto& node : *nodes) EXPECT_FALSE(node->isEnabled());
    layer->setAnimatorNodesEnabled(true, fill);
    for (const auto& node : *nodes) EXPECT_TRUE(node->isEnabled());
    layer->setAnimatorNodesEnabled(false, AnimationKeypath("Nothing.Here"));
}

DotLottieContents package() {
    DotLottieContents contents;
    contents.animations.push_back({animation(0, 60), {"first", LottieLoopMode::loop(), 2, nullptr}});
    contents.animations.push_back({animation(0, 30), {"second", LottieLoopMode::repeat(3), 0.5, nullptr}});
    return contents;
}

// A layer made from a package takes the named (or first) entry with its settings;
// a missing name or package gives an empty layer.
TEST_F(PlaybackTest, DotLottieEntriesBringTheirPlaybackSettings) {
    const DotLottieContents contents = package();
    const LottieConfiguration mainThread(RenderingEngineOption::mainThread());
    auto make = [&](const DotLottieContents* package, std::optional<std::string> id) {
        return LottieAnimationLayer::makeWithDotLottie(package, id, nullptr, nullptr, mainThread, log.logger());
    };
    auto second = make(&contents, "second");
    EXPECT_EQ(second->animation(), contents.animations[1].animation());
    EXPECT_EQ(second->loopMode(), LottieLoopMode::repeat(3));
    EXPECT_TRUE(second->renderingLayer());
    EXPECT_EQ(make(&contents, std::nullopt)->animation(), contents.animations[0].animation());
    EXPECT_FALSE(make(&contents, "third")->animation());
    EXPECT_FALSE(make(nullptr, std::nullopt)->renderingLayer());
}

TEST_F(PlaybackTest, LoadingDotLottieEntriesByIndexAndIdentifier) {
    const DotLottieContents contents = package();
    auto layer = host(animation(0, 90));
    const auto original = layer->animation();
    for (std::ptrdiff_t index : {std::ptrdiff_t(-1), std::ptrdiff_t(2), std::ptrdiff_t(-100)}) {
        layer->loadDotLottieAnimationAtIndex(index, contents);
        EXPECT_EQ(layer->animation(), original) << index;
    }
    layer->loadDotLottieAnimationById("missing", contents);
    EXPECT_EQ(layer->animation(), original);
    EXPECT_EQ(layer->loopMode(), LottieLoopMode::playOnce());

    layer->loadDotLottieAnimationAtIndex(1, contents);
    EXPECT_EQ(layer->animation(), contents.animations[1].animation());
    EXPECT_EQ(layer->loopMode(), LottieLoopMode::repeat(3));
    EXPECT_EQ(layer->animationSpeed(), 0.5);
    layer->loadDotLottieAnimationById("first", contents);
    EXPECT_EQ(layer->animation(), contents.animations[0].animation());
    EXPECT_EQ(layer->animationSpeed(), 2);

    // An entry applied while a request plays: the request restarts under the entry's
    // settings, then the new animation's rebuild ends it.
    CompletionLog completion;
    layer->play(completion.block());
    advance(1);
    layer->loadDotLottieAnimationAtIndex(1, contents);
    advance(10);
    EXPECT_EQ(completion.calls, std::vector<bool>{false});
}

}  // namespace

namespace {

// A rotation that never changes and counts how often the engine reads its value.
class StillRotation final : public ValueProvider<LottieVector1D> {
public:
    bool hasUpdate(AnimationFrameTime) const override { return false; }
    ValueProviderStorage<LottieVector1D> storage() override {
        return ValueProviderStorage<LottieVector1D>::closure([this](double) {
            ++reads;
            return LottieVector1D(0);
        });
    }
    int reads = 0;
};

TEST_F(PlaybackTest, PausingShowsTheFrameWithoutRecomputingWhatDidNotChange) {
    auto layer = host(animation());
    auto rotation = std::make_shared<StillRotation>();
    layer->installValueProvider(rotation, AnimationKeypath("**.Rotation"));
    advance(0.1);
    ASSERT_GT(rotation->reads, 0);  // installing forces one read
    for (double frame : {12.0, 30.0, 30.0}) {
        rotation->reads = 0;
        layer->pauseAt(LottiePlaybackMode::PausedState::frame(frame));
        advance(0.1);
        EXPECT_EQ(layer->currentFrame(), frame);
        // A forced redraw would read every provider again; a value that reports
        // no change is left as it is.
        EXPECT_EQ(rotation->reads, 0) << frame;
    }
}

}  // namespace
