// Documents written the way an attacker would, against the automatic engine
// choice and the Core Animation engine chosen by name, drawn as the frame tool
// draws them (frames 0 and 30 at 512 x 512): precompositions thousands deep,
// precompositions and repeaters that multiply, long parent chains, thousands
// of masks on one layer, a heavy layer among light ones over a nearly full
// build, a set-up that runs out of memory and a frame that spends its work. Each completes without a crash, draws what fits (or falls
// back to the main-thread engine, which keeps the same limits), keeps the
// layer tree it builds within the build limits, and says once what a limit
// left out. Past their deadlines in processor time, read from a clock the
// test steps, a set-up and a frame end where they are and say so once.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Compositor/LayerTreeWalk.h"
#include "Platform/Compositor/PathTrimmer.h"
#include "Platform/Graphics/CoverageWorkers.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "Platform/Graphics/WorkBudget.h"
#include "tests/EngineComparison/Support/HostileDocuments.h"
#include "tests/Platform/Graphics/ProfiledImageFiles.h"
#include "tests/Support/Base64Encoder.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/SteppingProcessorClock.h"
#include "tests/Support/TestSupport.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using namespace hostiletest;
using lottie::RenderingEngine;
using lottie::RenderingEngineOption;

constexpr int side = 512;

// A green square of `size` centred on (x, y).
std::string square(int index, int x, int y, int size, const std::string& extra = "") {
    return shapeLayer(index, rect(x, y, size) + "," + greenFill, extra);
}

std::string textLayer(int index, const std::string& text) {
    return R"({"ty":5,"nm":"T","ind":)" + std::to_string(index) +
           R"(,"ip":0,"op":60,"st":0,"ks":{"p":{"a":0,"k":[10,40]}},"t":{"d":{"k":[{"s":{"t":")" + text +
           R"(","s":20,"f":"DejaVu Sans","j":0,"tr":0,"lh":24,"fc":[0,0,0]},"t":0}]},"a":[],"p":{},"m":{}}})";
}

// Precompositions `levels` deep over a square in the middle.
std::string nestedPrecompositions(int levels) {
    std::string assets;
    for (int level = 0; level < levels; ++level) {
        assets += R"({"id":"p)" + std::to_string(level) + R"(","layers":[)" +
                  (level + 1 < levels ? precomposition("p" + std::to_string(level + 1), 1) : square(1, 256, 256, 100)) +
                  "]},";
    }
    assets.pop_back();
    return document(precomposition("p0", 1), "[" + assets + "]");
}

// Precompositions `levels` deep, each level holding two null layers that
// are each other's parent.
std::string nestedParentCycles(int levels) {
    const std::string cycle = R"({"ty":3,"nm":"A","ind":2,"parent":3,"ip":0,"op":60,"st":0,"ks":{}},)"
                              R"({"ty":3,"nm":"B","ind":3,"parent":2,"ip":0,"op":60,"st":0,"ks":{}})";
    std::string assets;
    for (int level = 0; level < levels; ++level) {
        assets += R"({"id":"p)" + std::to_string(level) + R"(","layers":[)" +
                  (level + 1 < levels ? precomposition("p" + std::to_string(level + 1), 1) + "," : std::string()) +
                  cycle + "]},";
    }
    assets.pop_back();
    return document(precomposition("p0", 1), "[" + assets + "]");
}

// A square in the middle under `count` null layers, each the parent of the next.
std::string parentChain(int count) {
    const std::string nulls = listOf(count, [](int index) {
        return R"({"ty":3,"nm":"N","ind":)" + std::to_string(index) + R"(,"ip":0,"op":60,"st":0,"ks":{})" +
               (index > 1 ? R"(,"parent":)" + std::to_string(index - 1) : std::string()) + "}";
    });
    return document(nulls + "," + square(count + 1, 256, 256, 100, R"(,"parent":)" + std::to_string(count)));
}

// A square over the canvas, masked by `count` masks, mode(index) each; the
// cutting ones cut 20-unit holes along y 100, ten different ones.
std::string masked(int count, const std::function<char(int)>& mode) {
    const auto path = [](int left, int top, int size) {
        const std::string l = std::to_string(left), t = std::to_string(top), r = std::to_string(left + size),
                          b = std::to_string(top + size);
        return R"({"k":{"c":true,"v":[[)" + l + "," + t + "],[" + r + "," + t + "],[" + r + "," + b + "],[" + l + "," +
               b + R"(]],"i":[[0,0],[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0],[0,0]]}})";
    };
    const std::string masks = listOf(count, [&](int index) {
        const char which = mode(index);
        return R"({"mode":")" + std::string(1, which) + R"(","pt":)" +
               (which == 'a' ? path(0, 0, side) : path(20 + 40 * (index % 10), 100, 20)) + R"(,"o":{"a":0,"k":100}})";
    });
    return document(square(1, 256, 256, side, R"(,"hasMask":true,"masksProperties":[)" + masks + "]"));
}

// A shape layer with a 4-unit square repeated `inner` times 5 units apart,
// all of it `outer` times 5 units lower each time, from (2, 2).
std::string nestedRepeaters(int outer, int inner) {
    const auto repeater = [](int copies, int dx, int dy) {
        return R"({"ty":"rp","nm":"R","c":{"a":0,"k":)" + std::to_string(copies) +
               R"(},"o":{"a":0,"k":0},"m":1,"tr":{"ty":"tr","p":{"a":0,"k":[)" + std::to_string(dx) + "," +
               std::to_string(dy) +
               R"(]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"so":{"a":0,"k":100},"eo":{"a":0,"k":100}}})";
    };
    const std::string group = R"({"ty":"gr","nm":"G","it":[)" + rect(2, 2, 4) + "," + greenFill + "," +
                              repeater(inner, 5, 0) + R"(,{"ty":"tr","p":{"a":0,"k":[0,0]}}]})";
    return document(shapeLayer(1, group + "," + repeater(outer, 0, 5)));
}

struct Case {
    const char* name;
    std::string json;
    // What the automatic choice ends up on.
    RenderingEngine automaticEngine;
    // A distinctive part of the message of the limit reached, said once by
    // each engine; none when no limit is reached.
    const char* limit;
    // Pixels of frame 30, on the automatic choice and on each engine.
    std::vector<Probe> automaticProbes;
    std::vector<Probe> coreAnimationProbes;
};

// A green square of 40 centred on (x, y) with a closed path of 3,200 vertices
// inside it: it weighs 101 layers.
std::string heavySquare(int index, int x, int y) {
    std::string vertices, tangents;
    for (int vertex = 0; vertex < 3'200; ++vertex) {
        const double angle = vertex * 2 * 3.141592653589793 / 3'200;
        vertices += (vertex ? ",[" : "[") + std::to_string(x + 10 * std::cos(angle)) + "," +
                    std::to_string(y + 10 * std::sin(angle)) + "]";
        tangents += vertex ? ",[0,0]" : "[0,0]";
    }
    const std::string path = R"({"ty":"sh","nm":"H","ks":{"a":0,"k":{"c":true,"v":[)" + vertices + R"(],"i":[)" +
                             tangents + R"(],"o":[)" + tangents + "]}}}";
    return shapeLayer(index, rect(x, y, 40) + "," + path + "," + greenFill);
}

// `count` precompositions of 200 null layers each, from layer index `first`:
// 201 layers of weight each.
std::string nullFiller(int first, int count) {
    return listOf(count, [&](int index) { return precomposition("nulls", first + index - 1); });
}

std::string nullFillerAsset() {
    return R"([{"id":"nulls","layers":[)" + listOf(200, [](int index) {
               return R"({"ty":3,"nm":"N","ind":)" + std::to_string(index) + R"(,"ip":0,"op":60,"st":0,"ks":{}})";
           }) +
           "]}]";
}

// A rounded star of 2,500 points (5,000 curves) stroked under a trim whose
// offset turns 100 times over 100,000 frames: too many frames to cut on the
// Core Animation engine's samples, so the compositor cuts the star drawn 100
// times over (half a million curves) every frame.
std::string starUnderALongTrim() {
    const auto moving = [](const char* to) {
        return std::string(R"({"a":1,"k":[{"t":0,"s":[0],"i":{"x":[0.5],"y":[0.5]},"o":{"x":[0.5],"y":[0.5]}},)") +
               R"({"t":100000,"s":[)" + to + "]}]}";
    };
    return shapeLayer(1, R"({"ty":"sr","sy":1,"d":1,"pt":{"a":0,"k":2500},"p":{"a":0,"k":[256,256]},"r":{"a":0,"k":0},)"
                         R"("ir":{"a":0,"k":100},"is":{"a":0,"k":50},"or":{"a":0,"k":200},"os":{"a":0,"k":50}},)"
                         R"({"ty":"tm","s":)" + moving("50") + R"(,"e":)" + moving("100") + R"(,"o":)" +
                             moving("36000") + R"(,"m":1},)"
                         R"({"ty":"st","c":{"a":0,"k":[0,1,0,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":2},"lc":2,"lj":2})");
}

TEST(HostileDocumentEngines, CompleteWithinTheBuildLimitsDrawWhatFitsAndSayOnceWhatIsLeftOut) {
    const std::string built = "layers once its precompositions";
    std::vector<Case> cases = {
        // Shown as nothing past 100 levels, by both engines.
        {"precompositions 6,000 deep", nestedPrecompositions(6000), RenderingEngine::mainThread,
         "nest more than 100 levels", {{256, 256, false}}, {{256, 256, false}}},
        {"precompositions 99 deep", nestedPrecompositions(99), RenderingEngine::coreAnimation, nullptr,
         {{256, 256, true}}, {{256, 256, true}}},
        // The same issue met again on every level is said once.
        {"precompositions 300 deep, each holding a cycle of parents", nestedParentCycles(300),
         RenderingEngine::mainThread, "form a cycle through the layer with index 3", {}, {}},
        // 12^5 copies of a text and a square, the text laid out per copy.
        {"precompositions fanned out 12 ways 5 deep", fannedOut(textLayer(1, "Hello") + "," + square(2, 256, 256, 100), 12, 5),
         RenderingEngine::mainThread, built.c_str(), {{256, 256, true}}, {{256, 256, true}}},
        // One transform layer per ancestor, shared; too deep for the
        // compositor past some 280 parents, where the main-thread engine
        // still draws it.
        {"a square under 250 parents", parentChain(250), RenderingEngine::coreAnimation, nullptr,
         {{256, 256, true}}, {{256, 256, true}}},
        {"a square under 300 parents", parentChain(300), RenderingEngine::mainThread, "nest more than 560 deep",
         {{256, 256, true}}, {{256, 256, false}}},
        {"a square under 4,000 parents", parentChain(4000), RenderingEngine::mainThread, "nest more than 560 deep",
         {{256, 256, true}}, {{256, 256, false}}},
        // Holes of the subtracting masks along y 100; the rest shows. Each
        // nested mask takes one of the frame's surfaces: past 16, the
        // main-thread engine draws them, all on one surface.
        {"25,000 subtracting masks", masked(25'000, [](int index) { return index == 1 ? 'a' : 's'; }),
         RenderingEngine::mainThread, "more masks than", {{30, 110, false}, {256, 300, true}},
         {{30, 110, false}, {256, 300, true}}},
        {"10,000 masks switching between adding and cutting", masked(10'000, [](int index) { return index % 2 ? 'a' : 's'; }),
         RenderingEngine::mainThread, "more masks than", {}, {{256, 300, true}}},
        // Each copy of the outer repeater builds the inner one anew.
        {"repeaters 300 x 300", nestedRepeaters(300, 300), RenderingEngine::mainThread, built.c_str(),
         {{2, 2, true}, {4, 2, false}}, {{2, 2, true}, {4, 2, false}}},
        {"repeaters 1,000 x 1,000", nestedRepeaters(1000, 1000), RenderingEngine::mainThread, built.c_str(),
         {{2, 2, true}, {4, 2, false}}, {{2, 2, true}, {4, 2, false}}},
        // The renderer's cut of the frame's work is said by this engine too.
        // 149 x 201 of the 30,000 spent on nulls: a heavy square does not fit,
        // a light one after it still does, on either side of the heavy one
        // and whichever end each engine starts building from.
        {"a light square above a heavy one, over a full build",
         document(square(1, 400, 100, 40) + "," + heavySquare(2, 100, 400) + "," + nullFiller(3, 149),
                  nullFillerAsset()),
         RenderingEngine::mainThread, built.c_str(), {{400, 100, true}, {100, 400, true}},
         {{400, 100, true}, {100, 400, false}}},
        {"a light square below a heavy one, over a full build",
         document(nullFiller(1, 149) + "," + heavySquare(150, 100, 400) + "," + square(151, 400, 100, 40),
                  nullFillerAsset()),
         RenderingEngine::mainThread, built.c_str(), {{400, 100, true}, {100, 400, false}},
         {{400, 100, true}, {100, 400, true}}},
        {"blended full squares fanned out 12 ways 2 deep", fannedOut(square(1, 256, 256, side), 12, 2, R"(,"bm":12)"),
         RenderingEngine::coreAnimation, "drawing work", {{256, 256, true}}, {{256, 256, true}}},
        // The compositor's cut of the path takes its work from the frame's.
        {"a rounded star of 2,500 points under a trim turning over 100,000 frames", document(starUnderALongTrim()),
         RenderingEngine::coreAnimation, "drawing work", {}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto animation = lottie::LottieAnimation::fromData(test.json, lottie::DecodingStrategy::dictionaryBased);
        ASSERT_TRUE(animation);
        for (const auto& option : {RenderingEngineOption::automatic(), RenderingEngineOption::coreAnimation()}) {
            SCOPED_TRACE(option.description());
            testsupport::RecordingLogger log;
            lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt, option);
            const auto image = drawTwoFrames(renderer);
            ASSERT_TRUE(image);
            const bool automatic = option.isAutomatic();
            if (automatic) {
                EXPECT_EQ(renderer.activeEngine(), test.automaticEngine);
            }
            if (!automatic || test.automaticEngine == RenderingEngine::coreAnimation) {
                // Within the build limits: the weight counts every layer made
                // once, each making a few compositor layers.
                EXPECT_LE(layerCount(*renderer.animationLayer()), 8u * 30'000);
            }
            for (const Probe& probe : automatic ? test.automaticProbes : test.coreAnimationProbes) {
                EXPECT_EQ(opaqueAt(*image, probe.x, probe.y), probe.drawn) << probe.x << ", " << probe.y;
            }
            if (test.limit && automatic && test.automaticEngine == RenderingEngine::mainThread) {
                // Said once when falling back, and at most once more by the
                // main-thread engine where it keeps the same limit.
                EXPECT_EQ(mentions(log, test.limit, true), 1) << test.limit;
                EXPECT_LE(mentions(log, test.limit, false), 1) << test.limit;
            } else if (test.limit) {
                EXPECT_EQ(mentions(log, test.limit, false), 1) << test.limit;
            }
        }
    }
}

// A blue colour provider that, once armed, runs out of memory the next time
// the engine asks for its value, as a set-up of a huge tree would.
class ExhaustedColour final : public lottie::ValueProvider<lottie::LottieColor> {
public:
    bool hasUpdate(lottie::AnimationFrameTime) const override { return true; }
    lottie::ValueProviderStorage<lottie::LottieColor> storage() override {
        if (armed) {
            armed = false;
            throw std::bad_alloc();
        }
        return lottie::ValueProviderStorage<lottie::LottieColor>::singleValue(lottie::LottieColor(0, 0, 1, 1));
    }

    bool armed = false;
};

TEST(HostileDocumentEngines, RunningOutOfMemoryInASetUpEndsItWithoutEndingTheProgram) {
    const auto animation =
        lottie::LottieAnimation::fromData(parentChain(200), lottie::DecodingStrategy::dictionaryBased);
    ASSERT_TRUE(animation);
    for (const auto& option : {RenderingEngineOption::automatic(), RenderingEngineOption::coreAnimation()}) {
        SCOPED_TRACE(option.description());
        testsupport::RecordingLogger log;
        lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt, option);
        auto colour = std::make_shared<ExhaustedColour>();
        renderer.animationLayer()->installValueProvider(colour, lottie::AnimationKeypath("**.Color"));
        colour->armed = true;
        const auto image = renderer.render(30);
        ASSERT_TRUE(image);
        EXPECT_FALSE(colour->armed);
        EXPECT_EQ(std::count_if(log.assertionFailures.begin(), log.assertionFailures.end(),
                                [](const std::string& message) {
                                    return message.find("unexpected error") != std::string::npos;
                                }),
                  1);
        if (option.isAutomatic()) {
            // The main-thread engine takes over and draws the square in blue.
            EXPECT_EQ(renderer.activeEngine(), RenderingEngine::mainThread);
            EXPECT_EQ(image->pixel(256, 256), 0xff0000ffu);
        } else {
            // Nothing half set up keeps animating.
            const platform::compositor::Layer& root = *renderer.animationLayer()->renderingLayer();
            std::size_t animated = root.hasAnimations() ? 1 : 0;
            platform::compositor::forEachLayerBelow(root, [&](const auto& layer) {
                if (layer->hasAnimations()) ++animated;
                return true;
            });
            EXPECT_EQ(animated, 0u);
        }
    }
}

// 300 squares of 20 units in rows of 20, each a layer. Each reading of the
// clock moves it on by the step of its phase: while the document is decoded
// (two readings: the decoding takes one step), while the frame renderer is
// made (the set-up, and the images it decodes), and while the two frames are
// drawn. During the set-up a step of 0.2 s passes the set-up's deadline
// after a few readings, read every so many layers built; during the two
// frames a step of 0.25 s passes the frame's deadline after a few readings,
// read every so many layers drawn. Either way the squares drawn are those of
// one end of the layer list (whichever end the engine builds or draws from),
// some but not all, and the cut is said once; past the set-up's deadline the
// automatic option falls back, and the main-thread engine cuts its own
// set-up there too. The opening's 2 s count the decoding, the images and
// every set-up (the fallback's too, which goes on with the opening's clock)
// and reach into the first frame, which has what is left; the second frame
// has its own 1 s again. Drawn on the drawing thread alone, so that the
// readings fall the same on every run (with the coverage workers, the jobs of
// drawings made before the cut that are run after it are left out too).
TEST(HostileDocumentEngines, PastTheirDeadlinesASetUpAndAFrameEndWhereTheyAreAndSaySoOnce) {
    constexpr int squares = 300;
    const auto centre = [](int index) { return Probe{25 * (index % 20) + 12, 25 * (index / 20) + 12, true}; };
    const std::string layers = listOf(squares, [&](int index) {
        const Probe at = centre(index - 1);
        return square(index, at.x, at.y, 20);
    });
    // A PNG of 1,024 x 1,024 pixels below the squares: its decoding reads
    // the clock once every 16 rows, 64 times.
    const std::string withImage = document(
        layers + R"(,{"ty":2,"nm":"Image","ind":301,"refId":"picture","ip":0,"op":60,"st":0,)"
                 R"("ks":{"p":{"a":0,"k":[400,400]},"s":{"a":0,"k":[10,10]}}})",
        R"([{"id":"picture","w":1024,"h":1024,"u":"","e":1,"p":"data:image/png;base64,)" +
            testsupport::encodeBase64(profiledimages::plainPNG(1024, 1024)) + R"("}])");
    const std::string setUpCut = "set-up passed its deadline of 0.5 s of processor time";
    const std::string frameCut = "drawing passed its deadline of 1 s of processor time";
    const std::string openingSetUpCut =
        "set-up passed its deadline of 2 s of processor time for opening the animation, run out in its set-up";
    const std::string openingFrameCut =
        "drawing passed its deadline of 2 s of processor time for opening the animation, run out in its first frame";
    struct Phase {
        const char* name;
        double decodingStep, setUpStep, drawingStep;
        // Said once by each engine chosen by name; on the automatic option, the
        // cut that makes it fall back (none when it does not), and what the
        // main-thread engine says then.
        std::vector<std::string> said;
        const std::string* fallback = nullptr;
        std::vector<std::string> saidAfterFallback = {};
        bool image = false;
    };
    const Phase phases[] = {
        // The fallback's set-up runs out of the opening's time, and leaves the
        // first frame none: it draws nothing and says so, the second draws.
        {"a set-up past its deadline", 0, 0.2, 0, {setUpCut}, &setUpCut, {openingSetUpCut, openingFrameCut}},
        {"frames past their deadline", 0, 0, 0.25, {frameCut}},
        // The set-up has the 0.25 s it keeps past the decoding's 1.3 s: not
        // its own 0.5 s, which these 0.4 s of readings do not reach.
        {"a document that took 1.3 s to decode", 1.3, 0.08, 0, {openingSetUpCut}, &openingSetUpCut,
         {openingSetUpCut, openingFrameCut}},
        // The first frame has the 0.1 s the opening has left; the second its 1 s.
        {"a document that took 1.9 s to decode", 1.9, 0, 0.25, {openingFrameCut, frameCut}},
        // Decoding 0.9 s and the image some 0.2 s leave the first frame less
        // than its 1 s, which it reaches at 0.9 s of readings; the second
        // frame reaches its own 1 s.
        {"a document that took 0.9 s to decode, and its image 0.2 s", 0.9, 0.003, 0.3, {openingFrameCut, frameCut},
         nullptr, {}, true},
    };
    for (const Phase& phase : phases) {
        SCOPED_TRACE(phase.name);
        for (const auto& option : {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(),
                                   RenderingEngineOption::coreAnimation()}) {
            SCOPED_TRACE(option.description());
            testsupport::RecordingLogger log;
            const platform::graphics::CoverageWorkers::SerialScope serial;
            testsupport::SteppingProcessorClock::Installation clock(phase.decodingStep);
            const auto animation = lottie::LottieAnimation::fromData(phase.image ? withImage : document(layers),
                                                                     lottie::DecodingStrategy::dictionaryBased);
            ASSERT_TRUE(animation);
            clock.clock().setStep(phase.setUpStep);
            lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt, option);
            clock.clock().setStep(phase.drawingStep);
            const auto image = drawTwoFrames(renderer);
            ASSERT_TRUE(image);
            std::vector<bool> drawn;
            for (int index = 0; index < squares; ++index) {
                const Probe at = centre(index);
                drawn.push_back(opaqueAt(*image, at.x, at.y));
            }
            // Drawn from one end of the list to the cut, and nothing after it.
            if (!drawn.front()) std::reverse(drawn.begin(), drawn.end());
            const auto cut = std::find(drawn.begin(), drawn.end(), false);
            EXPECT_GT(cut - drawn.begin(), 0) << "nothing drawn";
            EXPECT_LT(cut - drawn.begin(), squares) << "nothing cut";
            EXPECT_EQ(std::find(cut, drawn.end(), true), drawn.end()) << "drawn after the cut";
            const bool fallsBack = option.isAutomatic() && phase.fallback;
            if (option.isAutomatic()) {
                EXPECT_EQ(renderer.activeEngine(),
                          fallsBack ? RenderingEngine::mainThread : RenderingEngine::coreAnimation);
            }
            if (fallsBack) {
                EXPECT_EQ(mentions(log, *phase.fallback, true), 1);
            }
            for (const std::string& said : fallsBack ? phase.saidAfterFallback : phase.said) {
                EXPECT_EQ(mentions(log, said, false), 1) << said;
            }
            for (const std::string& unsaid : {setUpCut, frameCut, openingSetUpCut, openingFrameCut}) {
                const auto& saidHere = fallsBack ? phase.saidAfterFallback : phase.said;
                if (std::find(saidHere.begin(), saidHere.end(), unsaid) != saidHere.end()) continue;
                EXPECT_EQ(mentions(log, unsaid, false), 0) << unsaid;
            }
        }
    }
}

// One-line texts in rows 25 units apart. Each reading of the clock moves it
// on by a step, and every text laid out reads it: the set-up's deadline
// passes at a text, never between two readings: after some of 20 texts at
// steps of 0.05 s, or at the only one at a step of 0.6 s. The main-thread
// engine, which lays its texts out in its first display pass, shows the texts
// laid out by then and says once that the rest are left out; the Core
// Animation engine, which lays them out as it sets up its animations, ends
// its set-up there as it does for keyframes, also where the text is the last
// thing it sets up. The automatic option falls back, and the main-thread
// engine it falls back to lays its texts out in the first frame, under what
// the opening has left of its 2 s after the two set-ups: none, and the frame
// says so (frame 30 has its own deadline again, and shows the text). Where
// the first and the last
// text are cut to their layout bound (a letter with 20,000 marks), whichever
// end an engine starts from is laid out and cut before the deadline, and the
// cut is said once on every option, also when the automatic option lays the
// texts out on both engines.
TEST(HostileDocumentEngines, PastTheSetUpsDeadlineTheTextsNotYetLaidOutAreLeftOutAndItIsSaidOnce) {
    const std::string leftOut = "the texts laid out after that point are not shown";
    const std::string sampling = "set-up passed its deadline of 0.5 s of processor time while its keyframes";
    const std::string openingSampling = "set-up passed its deadline of 2 s of processor time for opening the "
                                        "animation, run out in its first pass over its keyframes while its keyframes";
    const std::string layoutCut = "costs more to lay out";
    const struct {
        int texts;
        double step;
        // Whether the automatic option, fallen back, leaves texts out too.
        bool automaticCuts;
        bool endsCut = false;
        // The clock's step while the renderer is made, when not `step`, and
        // the most texts the main-thread engine may show.
        double buildStep = -1;
        int mostShown = 0;
        // The clock's step while the document is decoded (the decoding's time).
        double decodingStep = 0;
        // Whether the automatic option's first frame, having no time left of
        // the opening, draws nothing and says so rather than cut its texts.
        bool firstFrameRunsOut = false;
    } cases[] = {{20, 0.05, true}, {1, 0.6, true, false, -1, 0, 0, true}, {20, 0.05, true, true},
                 // The main-thread engine's build, its clock stepping 0.3 s, takes
                 // most of the set-up's 0.5 s: its first display pass has what
                 // is left, a few texts (a fresh deadline would lay ten out).
                 {20, 0.05, true, false, 0.3, 3},
                 // After a decoding of 1.2 s the Core Animation engine's first
                 // pass over its keyframes has the 0.25 s it keeps of the
                 // opening, and says so; the main-thread engine the automatic
                 // option falls back to goes on with the opening's clock, and
                 // lays out as few texts (a fresh deadline would lay ten out).
                 {20, 0.05, true, false, -1, 0, 1.2}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.texts);
        SCOPED_TRACE(test.endsCut ? "the first and last texts cut" : "");
        std::string marks;
        for (int mark = 0; mark < 20'000; ++mark) marks += "\\u0301";
        const std::string text =
            document(listOf(test.texts,
                            [&](int index) {
                                const bool cut = test.endsCut && (index == 1 || index == test.texts);
                                return R"({"ty":5,"nm":"T","ind":)" + std::to_string(index) +
                                       R"(,"ip":0,"op":60,"st":0,"ks":{"p":{"a":0,"k":[10,)" +
                                       std::to_string(25 * index) + R"(]}},"t":{"d":{"k":[{"s":{"t":"Text )" +
                                       std::to_string(index) + (cut ? marks : "") +
                                       R"(","s":20,"f":"DejaVu Sans","j":0,"tr":0,"lh":24,"fc":[0,0,0]},"t":0}]},)"
                                       R"("a":[],"p":{},"m":{}}})";
                            }));
        const auto animation = lottie::LottieAnimation::fromData(text, lottie::DecodingStrategy::dictionaryBased);
        ASSERT_TRUE(animation);
        const std::string& passCut = test.decodingStep > 0 ? openingSampling : sampling;
        for (const auto& option : {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(),
                                   RenderingEngineOption::coreAnimation()}) {
            if (test.mostShown > 0 && option.engine() != RenderingEngine::mainThread) continue;
            SCOPED_TRACE(option.description());
            testsupport::RecordingLogger log;
            const platform::graphics::CoverageWorkers::SerialScope serial;
            testsupport::SteppingProcessorClock::Installation clock(test.decodingStep);
            const auto decoded = test.decodingStep > 0 ? lottie::LottieAnimation::fromData(
                                                             text, lottie::DecodingStrategy::dictionaryBased)
                                                       : animation;
            ASSERT_TRUE(decoded);
            clock.clock().setStep(test.buildStep >= 0 ? test.buildStep : test.step);
            lottieframes::FrameRenderer renderer(decoded, side, side, std::nullopt, option);
            clock.clock().setStep(test.step);
            const auto image = drawTwoFrames(renderer);
            ASSERT_TRUE(image);
            int shown = 0;
            for (int index = 1; index <= test.texts; ++index) {
                bool drawn = false;
                for (int y = 25 * index - 16; y < 25 * index && y < side; ++y) {
                    for (int x = 10; x < 100 && !drawn; ++x) drawn = opaqueAt(*image, x, y);
                }
                shown += drawn ? 1 : 0;
            }
            if (option.isAutomatic()) {
                EXPECT_EQ(renderer.activeEngine(), RenderingEngine::mainThread);
            }
            if (option.isAutomatic() && !test.automaticCuts) {
                EXPECT_EQ(shown, test.texts);
                EXPECT_EQ(mentions(log, leftOut, false), 0);
            } else if (renderer.activeEngine() == RenderingEngine::mainThread) {
                if (test.texts > 1) {
                    EXPECT_GT(shown, 0);
                }
                EXPECT_LT(shown, test.texts);
                if (test.mostShown > 0) {
                    EXPECT_LE(shown, test.mostShown);
                }
                const bool runsOut = option.isAutomatic() && test.firstFrameRunsOut;
                EXPECT_EQ(mentions(log, leftOut, false), runsOut ? 0 : 1);
                // Said once where the opening ran out in the first frame.
                const long frameRunsOut = mentions(
                    log, "2 s of processor time for opening the animation, run out in its first frame", false);
                EXPECT_LE(frameRunsOut, 1);
                if (runsOut) {
                    EXPECT_EQ(frameRunsOut, 1);
                }
            } else {
                EXPECT_EQ(shown, 0);
                EXPECT_EQ(mentions(log, passCut, false), 1);
            }
            EXPECT_EQ(mentions(log, passCut, true), option.isAutomatic() ? 1 : 0);
            if (test.decodingStep > 0 && option.isAutomatic()) {
                EXPECT_LE(shown, 6);
            }
            EXPECT_EQ(mentions(log, layoutCut, false), test.endsCut ? 1 : 0);
        }
    }
}

// The compositor's cut of a trimmed path measures it whole before it cuts
// (the star under a long trim above, drawn a hundred times over): past the
// frame's deadline, read while it measures, it gives up with an empty path
// at once, rather than after a million curves. The clock steps 0.6 s at each
// reading: the budget's take reads it once, and the measuring, which reads
// it every 4,096 segments, passes the deadline of 1 s at its first reading.
TEST(HostileDocumentEngines, ATrimMeasuredPastTheFramesDeadlineEndsAtOnce) {
    platform::graphics::Path path;
    path.moveTo({0, 0});
    for (int curve = 0; curve < 1'000'000; ++curve) {
        const double x = (curve % 512) + 1;
        path.curveTo({x - 0.75, 10}, {x - 0.25, -10}, {x, 0});
    }
    const testsupport::SteppingProcessorClock::Installation clock(0.6);
    auto deadline = std::make_shared<platform::graphics::ProcessorDeadline>(1);
    platform::graphics::WorkBudget budget(1e12, deadline);
    const platform::graphics::WorkBudget::Activation active(budget);
    const platform::graphics::ProcessorDeadline::Scope counting(deadline);
    const double before = testsupport::threadProcessorSeconds();
    const platform::graphics::Path cut = platform::compositor::PathTrimmer::trimmed(path, 0.25, 0.75);
    const double seconds = testsupport::threadProcessorSeconds() - before;
    EXPECT_TRUE(cut.isEmpty());
    EXPECT_TRUE(budget.passedDeadline());
    EXPECT_LT(seconds, 0.05);
}

}  // namespace
