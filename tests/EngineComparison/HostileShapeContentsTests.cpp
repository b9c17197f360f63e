// Documents written the way an attacker would against what a shape layer
// holds, drawn as the frame tool draws them (frames 0 and 30 at 512 x 512) by
// the automatic engine choice and by each engine chosen by name: stars and
// groups fanned out by precompositions, groups nested hundreds of levels deep,
// a thousand paths under one fill, paths under as many trims, a layer cut by
// more masks than are drawn, and a gradient stroke far wider than its path.
// Each completes within the build limits both engines keep, draws what fits,
// and says once what a limit left out.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Image.h"
#include "tests/EngineComparison/Support/HostileDocuments.h"
#include "tests/Support/RecordingLogger.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using namespace hostiletest;
using lottie::RenderingEngineOption;

constexpr int side = 512;

std::string ellipse(int size) {
    return R"({"ty":"el","nm":"E","p":{"a":0,"k":[256,256]},"s":{"a":0,"k":[)" + std::to_string(size) + "," +
           std::to_string(size) + "]}}";
}

const std::string blueStroke =
    R"({"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":4},"lc":1,"lj":1})";
const std::string transform =
    R"({"ty":"tr","p":{"a":0,"k":[0,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"o":{"a":0,"k":100}})";

std::string group(const std::string& name, const std::string& items) {
    return R"({"ty":"gr","nm":")" + name + R"(","it":[)" + items + "," + transform + "]}";
}

// A green square in the middle inside `depth` groups, each named `name` and
// holding `extra` items after the group it nests, in a layer under `parents`
// null layers, each the parent of the next.
std::string nestedGroups(int depth, const std::string& name, const std::string& extra = "", int parents = 0) {
    std::string items = group(name, rect(256, 256, 100) + "," + greenFill);
    for (int level = 0; level < depth; ++level) items = group(name, items + extra);
    std::string layers;
    for (int index = 1; index <= parents; ++index) {
        layers += R"({"ty":3,"nm":"N","ind":)" + std::to_string(index) + R"(,"ip":0,"op":60,"st":0,"ks":{})" +
                  (index > 1 ? R"(,"parent":)" + std::to_string(index - 1) : std::string()) + "},";
    }
    const std::string parent = parents ? R"(,"parent":)" + std::to_string(parents) : "";
    return document(layers + shapeLayer(parents + 1, items, parent));
}

std::string star(int points) {
    return R"({"ty":"sr","nm":"Star","sy":1,"d":1,"p":{"a":0,"k":[256,256]},"or":{"a":0,"k":200},)"
           R"("ir":{"a":0,"k":100},"os":{"a":0,"k":0},"is":{"a":0,"k":0},"pt":{"a":0,"k":)" +
           std::to_string(points) + R"(},"r":{"a":0,"k":0}})";
}

std::string maskOver(char mode, int left, int top, int size, int opacity = 100) {
    const std::string l = std::to_string(left), t = std::to_string(top), r = std::to_string(left + size),
                      b = std::to_string(top + size);
    return R"({"mode":")" + std::string(1, mode) + R"(","pt":{"k":{"c":true,"v":[[)" + l + "," + t + "],[" + r + "," +
           t + "],[" + r + "," + b + "],[" + l + "," + b +
           R"(]],"i":[[0,0],[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0],[0,0]]}},"o":{"a":0,"k":)" +
           std::to_string(opacity) + "}}";
}

// A mask of the whole canvas at half opacity: the automatic choice draws the
// layer on the main-thread engine.
const std::string translucentMask = R"(,"hasMask":true,"masksProperties":[)" + maskOver('a', 0, 0, side, 50) + "]";

struct Case {
    const char* name;
    std::string json;
    // A distinctive part of the message of each limit reached by the engine
    // chosen by name, said once (by the automatic choice at most once as it
    // falls back and once more by the engine it falls back to).
    const char* mainThreadLimit;
    const char* coreAnimationLimit;
    std::vector<Probe> probes;
    // The Core Animation engine, chosen by name, leaves out what the probes find drawn.
    bool coreAnimationLeavesOut = false;
};

TEST(HostileShapeContents, CompleteWithinTheBuildLimitsDrawWhatFitsAndSayOnceWhatIsLeftOut) {
    const char* built = "layers once its precompositions";
    const char* tooDeep = "nest more than 560 deep";
    const char* cuts = "masks that cut what the masks before them show";
    const char* masks = "more masks than";
    const std::string manyCuts = R"(,"hasMask":true,"masksProperties":[)" + maskOver('a', 0, 0, side) + "," +
                                 listOf(65, [](int) { return maskOver('s', 0, 0, 10); }) + "," +
                                 maskOver('s', 200, 200, 100) + "]";
    const Case cases[] = {
        // Each star is built with 10,001 vertices, weighed as such.
        {"stars of 5,000 points fanned out 12 ways 3 deep", fannedOut(shapeLayer(1, star(5000) + "," + greenFill), 12, 3), built,
         built, {{256, 256, true}}},
        {"layers of a hundred groups fanned out 12 ways 3 deep",
         fannedOut(shapeLayer(1, listOf(100, [](int) { return group("G", rect(256, 256, 4) + "," + greenFill); })), 12, 3),
         built,
         built, {{256, 256, true}}},
        // Each level hands down its own transform to none of the levels below.
        {"a square in 480 nested groups", nestedGroups(480, "G"), nullptr, nullptr, {{256, 256, true}}},
        {"a square in 300 nested groups of long names", nestedGroups(300, std::string(200, 'n')), nullptr, nullptr,
         {{256, 256, true}}},
        // Each level's fill is handed down to the square, drawn below it.
        {"a square in 300 nested groups each with a fill", nestedGroups(300, "G", "," + greenFill), nullptr,
         nullptr, {{256, 256, true}}},
        // Too deep for the compositor as layers: the main-thread engine draws it.
        {"a square in 400 nested groups under 200 parents", nestedGroups(400, "G", "", 200), nullptr, tooDeep,
         {{256, 256, true}}, true},
        {"ten layers of 999 ellipses and a fill under a translucent mask",
         document(listOf(10, [](int index) {
             return shapeLayer(index, listOf(999, [](int size) { return ellipse(2 + size % 100); }) + "," + greenFill,
                               translucentMask);
         })),
         nullptr, nullptr, {{256, 256, true}}},
        {"400 ellipses under 400 trims under a translucent mask",
         document(shapeLayer(1,
                             listOf(400,
                                      [](int size) {
                                          return ellipse(2 + size) +
                                                 R"(,{"ty":"tm","nm":"T","s":{"a":0,"k":10},"e":{"a":0,"k":90},)"
                                                 R"("o":{"a":0,"k":0},"m":2})";
                                      }) +
                                 "," + blueStroke,
                             translucentMask)),
         nullptr, nullptr, {}},
        // The last mask's hole is past the cuts drawn: not drawn, and said.
        {"65 cutting masks before one that cuts a hole", document(shapeLayer(1, rect(256, 256, side) + "," + greenFill,
                                                                             manyCuts)),
         cuts, masks, {{100, 100, true}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto animation = lottie::LottieAnimation::fromData(test.json, lottie::DecodingStrategy::dictionaryBased);
        ASSERT_TRUE(animation);
        for (const auto& option :
             {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(), RenderingEngineOption::coreAnimation()}) {
            SCOPED_TRACE(option.description());
            testsupport::RecordingLogger log;
            lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt, option);
            const auto image = drawTwoFrames(renderer);
            ASSERT_TRUE(image);
            const bool onCoreAnimation = renderer.activeEngine() == lottie::RenderingEngine::coreAnimation;
            for (const Probe& probe : test.probes) {
                EXPECT_EQ(opaqueAt(*image, probe.x, probe.y), probe.drawn && !(onCoreAnimation && test.coreAnimationLeavesOut))
                    << probe.x << ", " << probe.y;
            }
            if (onCoreAnimation) {
                // Within the build limits: each unit of weight makes a few compositor layers.
                EXPECT_LE(layerCount(*renderer.animationLayer()), 8u * 30'000);
            }
            // Said by the engine that draws; the automatic choice falling back
            // says the other engine's limit once more, as its reason.
            const char* limit = onCoreAnimation ? test.coreAnimationLimit : test.mainThreadLimit;
            if (limit) {
                EXPECT_EQ(mentions(log, limit, false), 1) << limit;
            }
            if (option.isAutomatic() && !onCoreAnimation && test.coreAnimationLimit) {
                EXPECT_LE(mentions(log, test.coreAnimationLimit, true), 1);
            }
        }
    }
}

// A gradient stroke 450 pixels wide on a circle of 5: a ring of even width
// between 222.5 and 227.5 pixels from the centre, on every engine choice; the
// circle's chords, flattened as finely as the path alone needs, would show as
// wedges reaching some ten pixels in between their corners.
TEST(HostileShapeContents, AGradientStrokeFarWiderThanItsPathIsARingOfEvenWidth) {
    const std::string json = document(shapeLayer(
        1, ellipse(5) + "," +
               R"({"ty":"gs","nm":"GS","o":{"a":0,"k":100},"w":{"a":0,"k":450},"lc":1,"lj":1,"t":1,)"
               R"("s":{"a":0,"k":[-300,0]},"e":{"a":0,"k":[300,0]},"g":{"p":2,"k":{"a":0,"k":[0,1,0,0,1,0,0,1]}}})"));
    const auto animation = lottie::LottieAnimation::fromData(json, lottie::DecodingStrategy::dictionaryBased);
    ASSERT_TRUE(animation);
    for (const auto& option :
         {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(), RenderingEngineOption::coreAnimation()}) {
        SCOPED_TRACE(option.description());
        lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt, option);
        const auto image = renderer.render(0);
        ASSERT_TRUE(image);
        int ring = 0, inside = 0, outside = 0;
        for (int step = 0; step < 360; ++step) {
            const double angle = step * M_PI / 180;
            const auto at = [&](double radius) {
                return opaqueAt(*image, static_cast<int>(std::lround(256 + radius * std::cos(angle))),
                               static_cast<int>(std::lround(256 + radius * std::sin(angle))));
            };
            inside += at(219) ? 1 : 0;
            ring += at(225) ? 1 : 0;
            outside += at(231) ? 1 : 0;
        }
        EXPECT_EQ(inside, 0);
        EXPECT_EQ(ring, 360);
        EXPECT_EQ(outside, 0);
    }
}

}  // namespace
