// The animation layer's keypath services, marker queries and dotLottie entries,
// on the main-thread engine; and value providers set, replaced and removed at
// any time, drawn by every engine choice.

#include <gtest/gtest.h>

#include <any>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Playback/ValueProviders/FloatValueProvider.h"
#include "Lottie/Playback/ValueProviders/PointValueProvider.h"
#include "Lottie/Values/LottieColor.h"
#include "Platform/Compositor/FrameThread.h"
#include "tests/Lottie/Playback/PlaybackTestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

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

// A 200 x 100 document of 60 frames whose drawn layers all show from frame 15
// to 46 and hold still. "Shape" holds the group "Box", a red square at (20, 20)
// with a black stroke at its left edge x = 12, with a transform item, and the
// group "Plain", a green square at (20, 50), without one. "Child", a magenta
// square at (20, 70), is the child of the null "Parent" and the parent of
// "Grandchild", a magenta square at (20, 90). "Cutout", a square at (130, 50),
// is the matte that shows "Backdrop", cyan from (110, 10) to (190, 90), only
// inside it. "Framed" holds the group "Ring", a square at (75, 35) with only a
// black stroke, and after it a blue fill of the layer's own that draws the
// group's square.
std::shared_ptr<const LottieAnimation> changingProvidersDocument() {
    const auto rect = [](int x, int y, int side) {
        return std::string(R"({"ty":"rc","nm":"Rect","p":{"a":0,"k":[)") + std::to_string(x) + "," +
               std::to_string(y) + R"(]},"s":{"a":0,"k":[)" + std::to_string(side) + "," + std::to_string(side) +
               R"(]},"r":{"a":0,"k":0}})";
    };
    const auto fill = [](const char* colour) {
        return std::string(R"({"ty":"fl","nm":"Fill","c":{"a":0,"k":[)") + colour + R"(]},"o":{"a":0,"k":100},"r":1})";
    };
    const auto square = [&](int x, int y, int side, const char* colour) { return rect(x, y, side) + "," + fill(colour); };
    const auto layer = [](const char* name, int index, const std::string& more, const std::string& shapes) {
        return std::string(R"({"ty":4,"nm":")") + name + R"(","ind":)" + std::to_string(index) +
               R"(,"ip":15,"op":46,"st":0,"ks":{"p":{"a":0,"k":[0,0,0]}})" + more + R"(,"shapes":[)" + shapes + "]}";
    };
    const std::string stroke =
        R"({"ty":"st","nm":"Stroke","c":{"a":0,"k":[0,0,0,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":4},"lc":2,"lj":2},)";
    const std::string transform =
        R"(,{"ty":"tr","nm":"Transform","p":{"a":0,"k":[0,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},)"
        R"("r":{"a":0,"k":0},"o":{"a":0,"k":100}})";
    // The stroke is listed first so that it lies above the fill.
    std::string box = square(20, 20, 16, "1,0,0,1");
    box.insert(box.find("{\"ty\":\"fl\""), stroke);
    const std::string json =
        R"({"v":"5.7.0","fr":10,"ip":0,"op":60,"w":200,"h":100,"layers":[)" +
        layer("Shape", 1, "",
              R"({"ty":"gr","nm":"Box","it":[)" + box + transform + R"(]},{"ty":"gr","nm":"Plain","it":[)" +
                  square(20, 50, 16, "0,1,0,1") + "]}") +
        "," + layer("Child", 2, R"(,"parent":3)", square(20, 70, 16, "1,0,1,1")) + "," +
        layer("Grandchild", 4, R"(,"parent":2)", square(20, 90, 16, "1,0,1,1")) + "," +
        layer("Cutout", 5, R"(,"td":1)", square(130, 50, 16, "1,1,1,1")) + "," +
        layer("Backdrop", 6, R"(,"tt":1)", square(150, 50, 80, "0,1,1,1")) + "," +
        layer("Framed", 7, "",
              R"({"ty":"gr","nm":"Ring","it":[)" + rect(75, 35, 10) + "," + stroke.substr(0, stroke.size() - 1) +
                  transform + "]}," + fill("0,0,1,1")) +
        "," +
        R"({"ty":3,"nm":"Parent","ind":3,"ip":0,"op":60,"st":0,"ks":{"p":{"a":0,"k":[0,0,0]}}}]})";
    return LottieAnimation::fromData(json, DecodingStrategy::dictionaryBased);
}

// Premultiplied ARGB.
constexpr std::uint32_t redPixel = 0xffff0000, blackPixel = 0xff000000, greenPixel = 0xff00ff00,
                        magentaPixel = 0xffff00ff, bluePixel = 0xff0000ff, yellowPixel = 0xffffff00,
                        cyanPixel = 0xff00ffff, clearPixel = 0, halfRedPixel = 0x80800000,
                        halfGreenPixel = 0x80008000, halfMagentaPixel = 0x80800080, halfCyanPixel = 0x80008080, halfBlackPixel = 0x80000000;

bool nearPixel(std::uint32_t actual, std::uint32_t expected) {
    for (int shift : {0, 8, 16, 24}) {
        if (std::abs(static_cast<int>((actual >> shift) & 0xff) - static_cast<int>((expected >> shift) & 0xff)) > 3) {
            return false;
        }
    }
    return true;
}

// Providers set before the first frame, after it, replaced and removed, with
// and without a frame between where every layer is hidden, on a layer, a
// parented layer, a group (with and without a transform item) and a shape
// item: each change shows on the next frame drawn, on every engine choice, and
// a removed provider leaves what the document says. Also with each frame drawn
// on a frame thread in short turns, as a view draws it, while the providers
// change on this thread.
TEST_F(PlaybackTest, ProvidersChangedAtAnyTimeShowOnTheNextFrameOnEveryEngine) {
    lottie::CoreAnimationLayer::install();
    using Make = std::function<std::shared_ptr<AnyValueProvider>()>;
    const auto point = [](double x, double y) -> Make {
        return [=] { return std::make_shared<PointValueProvider>(platform::graphics::Point(x, y)); };
    };
    const auto number = [](double value) -> Make { return [=] { return std::make_shared<FloatValueProvider>(value); }; };
    const auto colour = [](const LottieColor& value) -> Make {
        return [=] { return std::make_shared<ColorValueProvider>(value); };
    };
    struct Target {
        const char* name;
        const char* keypath;
        Make first, second;
        std::vector<std::pair<int, int>> points;
        // At each point: as the document draws it, under the first provider, under the second.
        std::vector<std::uint32_t> document, withFirst, withSecond;
    };
    const std::vector<std::pair<int, int>> boxRow = {{20, 20}, {60, 20}, {90, 20}};
    const std::vector<std::pair<int, int>> plainRow = {{20, 50}, {60, 50}, {90, 50}};
    const std::vector<std::pair<int, int>> familyRows = {{20, 70}, {60, 70}, {90, 70}, {20, 90}, {60, 90}, {90, 90}};
    const std::vector<std::pair<int, int>> cutoutRow = {{130, 50}, {150, 50}, {170, 50}};
    const std::vector<Target> targets = {
        {"layer position", "Shape.Transform.Position", point(40, 0), point(70, 0), boxRow,
         {redPixel, clearPixel, clearPixel}, {clearPixel, redPixel, clearPixel}, {clearPixel, clearPixel, redPixel}},
        {"layer opacity", "Shape.Transform.Opacity", number(0), number(50), {{20, 20}, {20, 50}},
         {redPixel, greenPixel}, {clearPixel, clearPixel}, {halfRedPixel, halfGreenPixel}},
        // The grandchild moves and fades with its parent.
        {"parented layer position", "Child.Transform.Position", point(40, 0), point(70, 0), familyRows,
         {magentaPixel, clearPixel, clearPixel, magentaPixel, clearPixel, clearPixel},
         {clearPixel, magentaPixel, clearPixel, clearPixel, magentaPixel, clearPixel},
         {clearPixel, clearPixel, magentaPixel, clearPixel, clearPixel, magentaPixel}},
        {"parented layer opacity", "Child.Transform.Opacity", number(0), number(50), {{20, 70}, {20, 90}},
         {magentaPixel, magentaPixel}, {clearPixel, magentaPixel}, {halfMagentaPixel, magentaPixel}},
        {"matte position", "Cutout.Transform.Position", point(40, 0), point(20, 0), cutoutRow,
         {cyanPixel, clearPixel, clearPixel}, {clearPixel, clearPixel, cyanPixel}, {clearPixel, cyanPixel, clearPixel}},
        {"matte opacity", "Cutout.Transform.Opacity", number(0), number(50), {{130, 50}},
         {cyanPixel}, {clearPixel}, {halfCyanPixel}},
        {"group position", "Shape.Box.Transform.Position", point(40, 0), point(70, 0), boxRow,
         {redPixel, clearPixel, clearPixel}, {clearPixel, redPixel, clearPixel}, {clearPixel, clearPixel, redPixel}},
        {"group opacity", "Shape.Box.Transform.Opacity", number(0), number(50), {{20, 20}, {20, 50}},
         {redPixel, greenPixel}, {clearPixel, greenPixel}, {halfRedPixel, greenPixel}},
        // The fill of the layer's own, drawn under the group's stroke, does not fade with the group.
        {"opacity of a group whose square a fill outside it draws", "Framed.Ring.Transform.Opacity", number(0),
         number(50), {{75, 35}, {69, 35}}, {bluePixel, blackPixel}, {bluePixel, clearPixel},
         {bluePixel, halfBlackPixel}},
        // Without a transform item, a group's transform parts are the defaults.
        {"position of a group without a transform item", "Shape.Plain.Transform.Position", point(40, 0),
         point(70, 0), plainRow, {greenPixel, clearPixel, clearPixel}, {clearPixel, greenPixel, clearPixel},
         {clearPixel, clearPixel, greenPixel}},
        {"opacity of a group without a transform item", "Shape.Plain.Transform.Opacity", number(0), number(50),
         {{20, 20}, {20, 50}}, {redPixel, greenPixel}, {redPixel, clearPixel}, {redPixel, halfGreenPixel}},
        {"fill colour", "Shape.Box.Fill.Color", colour({0, 0, 1, 1}), colour({1, 1, 0, 1}), {{20, 20}, {12, 20}},
         {redPixel, blackPixel}, {bluePixel, blackPixel}, {yellowPixel, blackPixel}},
        {"stroke colour", "Shape.Box.Stroke.Color", colour({0, 0, 1, 1}), colour({1, 1, 0, 1}), {{20, 20}, {12, 20}},
         {redPixel, blackPixel}, {redPixel, bluePixel}, {redPixel, yellowPixel}},
        {"every colour", "**.Color", colour({0, 0, 1, 1}), colour({1, 1, 0, 1}),
         {{20, 20}, {12, 20}, {20, 50}, {20, 90}, {130, 50}, {150, 50}},
         {redPixel, blackPixel, greenPixel, magentaPixel, cyanPixel, clearPixel},
         {bluePixel, bluePixel, bluePixel, bluePixel, bluePixel, clearPixel},
         {yellowPixel, yellowPixel, yellowPixel, yellowPixel, yellowPixel, clearPixel}},
    };
    // Frame 26 shows every layer, frame 52 none.
    constexpr double shown = 26, hidden = 52;
    enum class Shows { document, first, second, nothing };
    struct Step {
        enum Kind { draw, installFirst, installSecond, remove } kind;
        double frame = shown;
        Shows expected = Shows::nothing;
    };
    const std::vector<std::pair<const char*, std::vector<Step>>> sequences = {
        {"set before the first frame", {{Step::installFirst}, {Step::draw, shown, Shows::first}}},
        {"set after the first frame",
         {{Step::draw, shown, Shows::document}, {Step::installFirst}, {Step::draw, shown, Shows::first}}},
        {"set after the first frame and removed",
         {{Step::draw, shown, Shows::document}, {Step::installFirst}, {Step::draw, shown, Shows::first},
          {Step::remove}, {Step::draw, shown, Shows::document}}},
        {"replaced",
         {{Step::installFirst}, {Step::draw, shown, Shows::first}, {Step::installSecond},
          {Step::draw, shown, Shows::second}}},
        {"removed",
         {{Step::installFirst}, {Step::draw, shown, Shows::first}, {Step::remove},
          {Step::draw, shown, Shows::document}}},
        {"replaced on a hidden frame",
         {{Step::installFirst}, {Step::draw, shown, Shows::first}, {Step::draw, hidden, Shows::nothing},
          {Step::installSecond}, {Step::draw, shown, Shows::second}}},
        {"removed on a hidden frame",
         {{Step::installFirst}, {Step::draw, shown, Shows::first}, {Step::draw, hidden, Shows::nothing},
          {Step::remove}, {Step::draw, shown, Shows::document}}},
    };
    const auto animation = changingProvidersDocument();
    ASSERT_TRUE(animation);
    struct Drawing {
        RenderingEngineOption engine;
        bool inTurns;
    };
    platform::compositor::FrameThread frameThread;
    for (const auto& [engine, inTurns] :
         {Drawing{RenderingEngineOption::mainThread(), false}, Drawing{RenderingEngineOption::coreAnimation(), false},
          Drawing{RenderingEngineOption::automatic(), false}, Drawing{RenderingEngineOption::mainThread(), true},
          Drawing{RenderingEngineOption::coreAnimation(), true}}) {
        for (const Target& target : targets) {
            for (const auto& [sequence, steps] : sequences) {
                const std::string where =
                    engine.description() + (inTurns ? " in turns, " : ", ") + target.name + ", " + sequence;
                lottieframes::FrameRenderer renderer(animation, 200, 100, std::nullopt, engine);
                const auto draw = [&](double frame) {
                    if (!inTurns) return renderer.render(frame);
                    // The frame is chosen here, as a view's display link does,
                    // and drawn on the frame thread.
                    renderer.animationLayer()->pauseAt(LottiePlaybackMode::PausedState::frame(frame));
                    renderer.settleEngine();
                    std::shared_ptr<const platform::graphics::Image> image;
                    frameThread.start(renderer.animationLayer().get(), [&] { image = renderer.render(frame); });
                    while (!frameThread.runTurn(0)) {
                    }
                    return image;
                };
                const AnimationKeypath keypath(target.keypath);
                for (const Step& step : steps) {
                    switch (step.kind) {
                        case Step::installFirst:
                            renderer.animationLayer()->installValueProvider(target.first(), keypath);
                            continue;
                        case Step::installSecond:
                            renderer.animationLayer()->installValueProvider(target.second(), keypath);
                            continue;
                        case Step::remove: renderer.animationLayer()->uninstallValueProvider(keypath); continue;
                        case Step::draw: break;
                    }
                    const auto image = draw(step.frame);
                    ASSERT_TRUE(image) << where;
                    const std::vector<std::uint32_t> nothing(target.points.size(), clearPixel);
                    const std::vector<std::uint32_t>& expected = step.expected == Shows::document ? target.document
                                                                 : step.expected == Shows::first  ? target.withFirst
                                                                 : step.expected == Shows::second ? target.withSecond
                                                                                                   : nothing;
                    for (std::size_t index = 0; index < target.points.size(); ++index) {
                        const auto [x, y] = target.points[index];
                        EXPECT_PRED2(nearPixel, image->pixel(x, y), expected[index])
                            << where << ", frame " << step.frame << ", at (" << x << ", " << y << ")";
                    }
                }
                EXPECT_EQ(renderer.activeEngine(), engine.engine().value_or(RenderingEngine::coreAnimation)) << where;
            }
        }
    }
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
