// Small documents written the way an attacker would against the keyframe values
// the Core Animation engine makes itself: transforms and stars sampled each
// tenth of a frame, a polygon of 5,000 points repeated a hundred times under a
// trim in each of its keyframes, time remapping resampling long animations of
// large paths and masks, and a provider's keypath pattern matched against a
// name of 100,000 characters. Each is drawn at two frames of 512 x 512 through
// the frame tool's renderer, with the automatic engine choice and with the Core
// Animation engine asked for by name: the automatic choice falls back to the
// main-thread engine and draws, the named engine refuses with a stated reason
// and draws nothing, and what is within the limits is drawn by either.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Engine/CoreAnimationRootLayer.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/SteppingProcessorClock.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

constexpr int side = 512;

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

// An eased keyframe of a value list ("[1,2]") at `time`.
std::string keyframe(double time, const std::string& values) {
    return R"({"t":)" + number(time) + R"(,"s":)" + values +
           R"(,"i":{"x":[0.5],"y":[0.5]},"o":{"x":[0.5],"y":[0.5]}})";
}

std::string animated(const std::vector<std::string>& keyframes) {
    std::string text = R"({"a":1,"k":[)";
    for (std::size_t index = 0; index < keyframes.size(); ++index) text += (index ? "," : "") + keyframes[index];
    return text + "]}";
}

std::string constant(const std::string& value) { return R"({"a":0,"k":)" + value + "}"; }

std::string document(double endFrame, const std::string& layers, const std::string& assets = "[]") {
    return R"({"v":"5.7.0","fr":30,"ip":0,"op":)" + number(endFrame) + R"(,"w":512,"h":512,"assets":)" + assets +
           R"(,"layers":[)" + layers + "]}";
}

std::string shapeLayer(const std::string& name, const std::string& shapes, const std::string& transform = "{}",
                       const std::string& extra = "") {
    return R"({"ty":4,"nm":")" + name + R"(","ind":1,"ip":0,"op":1e16,"st":0,"ks":)" + transform + extra +
           R"(,"shapes":[)" + shapes + "]}";
}

const std::string redFill = R"({"ty":"fl","nm":"Fill 1","c":{"a":0,"k":[1,0,0,1]},"o":{"a":0,"k":100},"r":1})";
const std::string blueStroke =
    R"({"ty":"st","nm":"Stroke 1","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":8},"lc":1,"lj":1})";
const std::string centredSquare =
    R"({"ty":"rc","nm":"Square","p":{"a":0,"k":[256,256]},"s":{"a":0,"k":[200,200]},"r":{"a":0,"k":0}})";

// A star (type 1) or polygon (type 2) of `points` points round the centre.
std::string star(int type, int points, const std::string& outerRadius, const std::string& rotation) {
    return R"({"ty":"sr","nm":"Star","sy":)" + std::to_string(type) +
           R"(,"d":1,"p":{"a":0,"k":[256,256]},"or":)" + outerRadius + R"(,"ir":{"a":0,"k":100},)" +
           R"("os":{"a":0,"k":0},"is":{"a":0,"k":0},"pt":{"a":0,"k":)" + std::to_string(points) + R"(},"r":)" +
           rotation + "}";
}

// A closed path of `count` vertices on a circle of `radius` round the centre.
std::string circlePath(int count, double radius) {
    std::string vertices, tangents;
    for (int index = 0; index < count; ++index) {
        const double angle = 6.283185307179586 * index / count;
        vertices += std::string(index ? "," : "") + "[" + number(std::round(256 + radius * std::cos(angle))) + "," +
                    number(std::round(256 + radius * std::sin(angle))) + "]";
        tangents += std::string(index ? "," : "") + "[0,0]";
    }
    return R"({"c":true,"v":[)" + vertices + R"(],"i":[)" + tangents + R"(],"o":[)" + tangents + "]}";
}

std::string pathItem(const std::string& keyframes) { return R"({"ty":"sh","nm":"Path","ks":)" + keyframes + "}"; }

// A precomposition of the asset "inner" whose time is remapped by keyframes.
std::string remappedPrecomposition(double endFrame, const std::string& extra = "") {
    return R"({"ty":0,"nm":"Remapped","refId":"inner","ind":1,"ip":0,"op":)" + number(endFrame) +
           R"(,"st":0,"w":512,"h":512,"ks":{},"tm":)" + animated({keyframe(0, "[0]"), keyframe(endFrame, "[1]")}) +
           extra + "}";
}

std::string innerAsset(const std::string& layers) { return R"([{"id":"inner","layers":[)" + layers + "]}]"; }

// How many pixels of the picture are at least half opaque.
int drawnPixels(const platform::graphics::Image& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) count += (image.pixel(x, y) >> 24) > 128 ? 1 : 0;
    }
    return count;
}

bool anyContains(const std::vector<std::string>& messages, const std::string& part) {
    return std::any_of(messages.begin(), messages.end(),
                       [&part](const std::string& message) { return message.find(part) != std::string::npos; });
}

struct HostileCase {
    const char* name;
    std::string json;
    // When above 0, each reading of the processor clock moves it on by this
    // much: the keyframes' pass ends at the set-up's deadline, not at the limit.
    double clockStep = 0;
};

// A skew that animates makes the group's whole transform sampled each tenth
// of a frame over its keyframes' span: ten matrices a frame.
std::string skewedGroup(double frames) {
    return document(60, shapeLayer("Skewed", R"({"ty":"gr","nm":"Group","it":[)" + centredSquare + "," + redFill +
                                                 R"(,{"ty":"tr","nm":"Transform","p":{"a":0,"k":[0,0]},)"
                                                 R"("a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},)"
                                                 R"("o":{"a":0,"k":100},"sk":)" +
                                                 animated({keyframe(0, "[0]"), keyframe(frames, "[30]")}) +
                                                 R"(,"sa":{"a":0,"k":0}}]})"));
}

std::vector<HostileCase> overBudgetCases() {
    const std::string spin = animated({keyframe(0, "[0]"), keyframe(100000, "[360]")});
    return {
        // A million matrices.
        {"a skewed group sampled over 100,000 frames", skewedGroup(100000)},
        // 30,000 matrices, well within the limit, but each 4,096 values
        // sampled read a clock that moves on by 0.2 s.
        {"a skewed group sampled over 3,000 frames on a slow machine", skewedGroup(3000), 0.2},
        // 13,000 matrices, each read of the clock (every 4,096 samples made
        // or values mapped) moving it on by 0.1 s: some 0.4 s to sample
        // them ahead, where the document was loaded, and 0.3 s to attach them
        // in the pass, which ends at the set-up's deadline only when it
        // counts the time spent ahead.
        {"a skewed group sampled ahead and attached over 1,300 frames on a slow machine", skewedGroup(1300), 0.1},
        // Two paths of one group are drawn as one, their keyframes sampled
        // together when their times differ: while the layer tree is built.
        {"two paths of 1,000 vertices keyed at different times over 100,000 frames",
         document(60, shapeLayer("Paths", R"({"ty":"gr","nm":"Group","it":[)" +
                                              pathItem(animated(
                                                  {keyframe(0, "[" + circlePath(1000, 150) + "]"),
                                                   keyframe(100000, "[" + circlePath(1000, 160) + "]")})) +
                                              "," +
                                              pathItem(animated({keyframe(1, "[" + circlePath(1000, 100) + "]"),
                                                                 keyframe(99999, "[" + circlePath(1000, 90) + "]")})) +
                                              "," + redFill + "]}"))},
        // Radius and rotation keyed at different times: sampled, and every
        // sample a path of 10,000 vertices.
        {"a star of 5,000 points sampled over 3,000 frames",
         document(60, shapeLayer("Star",
                                 star(1, 5000, animated({keyframe(0, "[200]"), keyframe(3000, "[220]")}),
                                      animated({keyframe(1, "[0]"), keyframe(2999, "[90]")})) +
                                     "," + redFill))},
        // A hundred turns of the offset draw the path a hundred times in each
        // of 200 keyframe values of 5,000 points.
        {"a polygon of 5,000 points in 200 keyframes under a trim of 100 turns",
         [] {
             std::vector<std::string> rotations;
             for (int index = 0; index < 200; ++index) rotations.push_back(keyframe(index, "[" + number(index) + "]"));
             const std::string trim = R"({"ty":"tm","nm":"Trim","s":{"a":0,"k":0},"e":{"a":0,"k":50},"o":)" +
                                      animated({keyframe(0, "[0]"), keyframe(200, "[36000]")}) + R"(,"m":1})";
             return document(200, shapeLayer("Polygon", star(2, 5000, constant("200"), animated(rotations)) + "," +
                                                            trim + "," + blueStroke));
         }()},
        // Six layers under the remapping over 9,000 frames pass the count of
        // layers times frames, yet each frame copies a path of 1,000 vertices,
        // and the layer's mask another.
        {"time remapping resampling paths of 1,000 vertices and a mask over 9,000 frames",
         document(9000, remappedPrecomposition(9000),
                  innerAsset(shapeLayer("Inner",
                                        pathItem(animated({keyframe(0, "[" + circlePath(1000, 150) + "]"),
                                                           keyframe(100, "[" + circlePath(1000, 200) + "]")})) +
                                            "," + redFill,
                                        "{}",
                                        R"(,"hasMask":true,"masksProperties":[{"mode":"a","inv":false,"pt":)" +
                                            animated({keyframe(0, "[" + circlePath(1000, 240) + "]"),
                                                      keyframe(100, "[" + circlePath(1000, 250) + "]")}) +
                                            R"(,"o":{"a":0,"k":100},"x":{"a":0,"k":0}}])")))},
        // Each copy moves along a path of 100 curves, which the compositor
        // measures 20 steps to a curve: some 70 KB a copy, where the path
        // itself takes 6 KB.
        {"squares moving along paths of 100 curves fanned out 12 ways 3 deep",
         [] {
             std::string keyframes;
             for (int index = 0; index <= 100; ++index) {
                 keyframes += std::string(index ? "," : "") + R"({"t":)" + number(index) + R"(,"s":[)" +
                              number(156 + index % 2 * 200) +
                              R"(,256],"i":{"x":0.5,"y":0.5},"o":{"x":0.5,"y":0.5},"to":[0,80],"ti":[0,-80]})";
             }
             const std::string moving =
                 shapeLayer("Moving", centredSquare + "," + redFill, R"({"p":{"a":1,"k":[)" + keyframes + "]}}");
             std::string assets = R"([{"id":"c0","layers":[)" + moving + "]}";
             std::string layers;
             for (int level = 1; level <= 3; ++level) {
                 layers.clear();
                 for (int index = 1; index <= 12; ++index) {
                     layers += std::string(index > 1 ? "," : "") + R"({"ty":0,"nm":"P","refId":"c)" +
                               std::to_string(level - 1) + R"(","ind":)" + std::to_string(index) +
                               R"(,"w":512,"h":512,"ip":0,"op":1e16,"st":0,"ks":{}})";
                 }
                 if (level < 3) assets += R"(,{"id":"c)" + std::to_string(level) + R"(","layers":[)" + layers + "]}";
             }
             return document(100, layers, assets + "]");
         }()},
        // An end frame of 1e15 would resample without end.
        {"time remapping up to frame 1e15",
         document(1e15, remappedPrecomposition(1e15),
                  innerAsset(shapeLayer("Inner", centredSquare + "," + redFill,
                                        R"({"o":)" + animated({keyframe(0, "[100]"), keyframe(10, "[50]")}) + "}")))},
    };
}

// What drawing frames 0 and 30 (a play and a pause in between, as the viewer's
// Space key asks) left: the first and the last picture, the engine drawing the
// last and the log.
struct Drawn {
    // The first picture, drawn after the first display pass, and the last.
    std::shared_ptr<const platform::graphics::Image> first;
    std::shared_ptr<const platform::graphics::Image> image;
    std::optional<lottie::RenderingEngine> engine;
    std::vector<std::string> warnings;
    std::vector<std::string> failedAssertions;
};

Drawn drawTwoFrames(const std::shared_ptr<const lottie::LottieAnimation>& animation,
                    const lottie::RenderingEngineOption& engine,
                    const std::function<void(lottie::LottieAnimationLayer&)>& prepare = {}) {
    testsupport::RecordingLogger log;
    lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt, engine);
    if (prepare) prepare(*renderer.animationLayer());
    Drawn drawn;
    drawn.first = renderer.render(0);
    renderer.animationLayer()->play();
    renderer.settleEngine();
    drawn.image = renderer.render(30);
    drawn.engine = renderer.activeEngine();
    drawn.warnings = log.warnings;
    drawn.failedAssertions = log.failedAssertions;
    return drawn;
}

TEST(HostileSampling, TheAutomaticChoiceFallsBackAndTheNamedEngineRefuses) {
    for (const HostileCase& item : overBudgetCases()) {
        SCOPED_TRACE(item.name);
        const std::string refusal = item.clockStep > 0
                                        ? std::string("set-up passed its deadline of")
                                        : lottie::SamplingBudget::exceededMessage(lottie::SamplingBudget::defaultLimit);
        std::optional<testsupport::SteppingProcessorClock::Installation> clock;
        if (item.clockStep > 0) clock.emplace(item.clockStep);
        const auto animation = lottie::LottieAnimation::fromData(item.json, lottie::DecodingStrategy::dictionaryBased);
        ASSERT_TRUE(animation);

        const Drawn automatic = drawTwoFrames(animation, lottie::RenderingEngineOption::automatic());
        EXPECT_EQ(automatic.engine, lottie::RenderingEngine::mainThread);
        EXPECT_TRUE(anyContains(automatic.warnings, "falling back to Main Thread rendering engine"));
        // Drawn by the engine it fell back to.
        EXPECT_GT(drawnPixels(*automatic.image), 1000);

        const Drawn named = drawTwoFrames(animation, lottie::RenderingEngineOption::coreAnimation());
        // The same when the first pass's keyframes were worked out ahead on
        // another thread, as a viewer's loading thread does: charged to the
        // same budget and deadline, and said by the display pass alone.
        const Drawn ahead =
            drawTwoFrames(animation, lottie::RenderingEngineOption::coreAnimation(), [](lottie::LottieAnimationLayer& layer) {
                auto root = std::dynamic_pointer_cast<lottie::CoreAnimationRootLayer>(layer.renderingLayer());
                ASSERT_TRUE(root);
                std::thread([&root] { root->deriveAhead(); }).join();
            });
        for (const Drawn& drawn : {named, ahead}) {
            EXPECT_EQ(drawn.engine, lottie::RenderingEngine::coreAnimation);
            // Said once, with the reason, however often the animation is set up again.
            EXPECT_EQ(std::count_if(drawn.failedAssertions.begin(), drawn.failedAssertions.end(),
                                    [&refusal](const std::string& message) {
                                        return message.find(refusal) != std::string::npos;
                                    }),
                      1);
            // Refused from the first display pass on, however much of its
            // work was done ahead.
            EXPECT_EQ(drawnPixels(*drawn.first), 0);
            EXPECT_EQ(drawnPixels(*drawn.image), 0);
        }
    }
}

// A provider's pattern with two wildcards against a layer named with 100,000
// characters: matched once per property in time linear in the name, and the
// colour it gives is drawn by either engine.
TEST(HostileSampling, AProviderPatternMatchesALongNameOnEitherEngine) {
    const std::string name(100'000, 'n');
    const auto animation = lottie::LottieAnimation::fromData(
        document(60, shapeLayer(name, centredSquare + "," + redFill)), lottie::DecodingStrategy::dictionaryBased);
    ASSERT_TRUE(animation);
    for (const auto& engine :
         {lottie::RenderingEngineOption::automatic(), lottie::RenderingEngineOption::coreAnimation()}) {
        SCOPED_TRACE(engine.description());
        const Drawn drawn = drawTwoFrames(animation, engine, [](lottie::LottieAnimationLayer& layer) {
            layer.installValueProvider(std::make_shared<lottie::ColorValueProvider>(lottie::LottieColor{0, 1, 0, 1}),
                                       lottie::AnimationKeypath(std::vector<std::string>{"**", "*", "Color"}));
        });
        EXPECT_EQ(drawn.image->pixel(256, 256), 0xff00ff00u);
        EXPECT_EQ(drawn.engine, lottie::RenderingEngine::coreAnimation);
        EXPECT_TRUE(drawn.warnings.empty());
        EXPECT_TRUE(drawn.failedAssertions.empty());
    }
}

}  // namespace
