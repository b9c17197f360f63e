// Documents written the way an attacker would against what a layer's masks,
// its groups and its trims cost, drawn as the frame tool draws them (frames 0
// and 30 at 512 x 512) by the automatic engine choice and by each engine
// chosen by name: masks of hundreds of vertices on thousands of layers,
// hundreds of nested groups of long names fanned out, hundreds of trims in a
// row sampled over thousands of frames, and curves whose control points lie
// millions of units away. Each completes within the build
// limits and the frame's work budget (or its deadline), draws what fits, and
// says once what a limit left out; a document with nothing to leave out
// draws without a word.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/SamplingBudget.h"
#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "Platform/Compositor/Layer.h"
#include "Platform/Graphics/Image.h"
#include "tests/EngineComparison/Support/HostileDocuments.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/SteppingProcessorClock.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using namespace hostiletest;
using lottie::RenderingEngine;
using lottie::RenderingEngineOption;

constexpr int side = 512;

std::string closedPath(const std::vector<std::pair<double, double>>& vertices) {
    std::string points, zeros;
    for (const auto& [x, y] : vertices) {
        points += (points.empty() ? "[" : ",[") + std::to_string(x) + "," + std::to_string(y) + "]";
        zeros += zeros.empty() ? "[0,0]" : ",[0,0]";
    }
    return R"({"c":true,"v":[)" + points + R"(],"i":[)" + zeros + R"(],"o":[)" + zeros + "]}";
}

// A closed path of `count` vertices zigzagging across the canvas: each of its
// edges crosses every row.
std::string zigzag(int count) {
    std::vector<std::pair<double, double>> vertices;
    for (int index = 0; index < count; ++index) vertices.emplace_back(index * double(side) / count, index % 2 ? 0 : side);
    return closedPath(vertices);
}

// `ways` precompositions on each level, listed innermost first, over `leaf`.
std::string fannedOut(const std::string& leaf, const std::vector<int>& ways) {
    std::string assets = R"({"id":"c0","layers":[)" + leaf + "]}";
    std::string layers;
    for (std::size_t level = 1; level <= ways.size(); ++level) {
        layers = listOf(ways[level - 1], [&](int index) { return precomposition("c" + std::to_string(level - 1), index); });
        if (level < ways.size()) assets += R"(,{"id":"c)" + std::to_string(level) + R"(","layers":[)" + layers + "]}";
    }
    return document(layers, "[" + assets + "]");
}

// A full green square under one adding mask of `vertices` crossing vertices,
// on 25 x 20 x 20 precompositions. The path closes along the diagonal, so
// that most of what the mask lets through lies along it.
std::string zigzagMasks(int vertices) {
    return fannedOut(shapeLayer(1, rect(256, 256, side) + "," + greenFill,
                                R"(,"hasMask":true,"masksProperties":[{"mode":"a","pt":{"a":0,"k":)" +
                                    zigzag(vertices) + R"(},"o":{"a":0,"k":100}}])"),
                     {25, 20, 20});
}

const std::string transform =
    R"({"ty":"tr","p":{"a":0,"k":[0,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"o":{"a":0,"k":100}})";

// A green square in the middle inside `depth` groups named `name`, on `ways` precompositions.
std::string deepGroups(int depth, const std::string& name, int ways) {
    const auto group = [&](const std::string& items) {
        return R"({"ty":"gr","nm":")" + name + R"(","it":[)" + items + "," + transform + "]}";
    };
    std::string items = group(rect(256, 256, 100) + "," + greenFill);
    for (int level = 0; level < depth; ++level) items = group(items);
    return fannedOut(shapeLayer(1, items), {ways});
}

// A circle of `vertices` round the centre, 200 across, stroked blue, under
// `trims` trims in a row, each cutting a sliver more over 10,000 frames.
std::string trimsInARow(int trims, int vertices) {
    std::vector<std::pair<double, double>> circle;
    for (int index = 0; index < vertices; ++index) {
        const double angle = 2 * M_PI * index / vertices;
        circle.emplace_back(256 + 200 * std::cos(angle), 256 + 200 * std::sin(angle));
    }
    const std::string trim =
        R"({"ty":"tm","nm":"T","s":{"a":0,"k":0},"o":{"a":0,"k":0},"m":1,"e":{"a":1,"k":[)"
        R"({"t":0,"s":[100],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":10000,"s":[99]}]}})";
    const std::string stroke =
        R"({"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":8},"lc":1,"lj":1})";
    return document(shapeLayer(1, R"({"ty":"sh","nm":"P","ks":{"a":0,"k":)" + closedPath(circle) + "}}," +
                                      listOf(trims, [&](int) { return trim; }) + "," + stroke));
}

// A closed path of `count` vertices running from side to side down the
// canvas (or, `across`, from top to bottom along it): each of its edges is
// nearly along a row (or a column) and crosses the whole canvas.
std::vector<std::pair<double, double>> sweep(int count, bool across) {
    std::vector<std::pair<double, double>> vertices;
    for (int index = 0; index < count; ++index) {
        const double side_ = index % 2 ? side : 0, step = index * double(side) / count;
        vertices.emplace_back(across ? step : side_, across ? side_ : step);
    }
    return vertices;
}

// A green path of 3,000 edges sweeping the canvas, filled or as the mask of a
// full green square, on 100 precompositions.
std::string sweeps(bool across, bool asMask) {
    const std::string path = closedPath(sweep(3000, across));
    if (asMask) {
        return fannedOut(shapeLayer(1, rect(256, 256, side) + "," + greenFill,
                                    R"(,"hasMask":true,"masksProperties":[{"mode":"a","pt":{"a":0,"k":)" + path +
                                        R"(},"o":{"a":0,"k":100}}])"),
                         {100});
    }
    return fannedOut(shapeLayer(1, R"({"ty":"sh","nm":"P","ks":{"a":0,"k":)" + path + "}}," + greenFill), {100});
}

// A path of 40 edges zigzagging down the canvas, stroked blue with a pen
// `width` wide, caps of the kind `cap`, dashed 1 on 1: some 20,000 pieces,
// stretched to 10,000.
std::string dashedZigzag(int width, int cap) {
    std::string points, zeros;
    for (int index = 0; index <= 40; ++index) {
        points += (index ? ",[" : "[") + std::to_string(index % 2 ? side : 0) + "," + std::to_string(index * side / 40) + "]";
        zeros += index ? ",[0,0]" : "[0,0]";
    }
    const std::string path = R"({"c":false,"v":[)" + points + R"(],"i":[)" + zeros + R"(],"o":[)" + zeros + "]}";
    const std::string stroke = R"({"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":)" +
                               std::to_string(width) + R"(},"lc":)" + std::to_string(cap) +
                               R"(,"lj":1,"d":[{"n":"d","nm":"d","v":{"a":0,"k":1}},{"n":"g","nm":"g","v":{"a":0,"k":1}}]})";
    return document(shapeLayer(1, R"({"ty":"sh","nm":"P","ks":{"a":0,"k":)" + path + "}}," + stroke));
}

// A full-canvas square filled with a radial gradient of `stops` stops of
// alternating colours, on 600 precompositions.
std::string radialGradients(int stops) {
    std::string colours;
    for (int index = 0; index < stops; ++index) {
        colours += (index ? "," : "") + std::to_string(double(index) / (stops - 1)) + (index % 2 ? ",1,0.5,0" : ",0,0.5,1");
    }
    return fannedOut(shapeLayer(1, rect(256, 256, side) + "," +
                                       R"({"ty":"gf","nm":"G","o":{"a":0,"k":100},"r":1,"t":2,"s":{"a":0,"k":[256,256]},)"
                                       R"("e":{"a":0,"k":[512,512]},"h":{"a":0,"k":0},"a":{"a":0,"k":0},"g":{"p":)" +
                                       std::to_string(stops) + R"(,"k":{"a":0,"k":[)" + colours + "]}}}"),
                     {600});
}

// 200 green squares, each under a mask, inside 99 precompositions nested one
// in another, each under a mask: every level holds a surface of the whole
// canvas while the levels inside it are drawn.
std::string clipChain() {
    const std::string mask = R"(,"hasMask":true,"masksProperties":[{"mode":"a","pt":{"a":0,"k":)" +
                             closedPath({{10, 10}, {502, 10}, {502, 502}, {10, 502}}) + R"(},"o":{"a":0,"k":100}}])";
    const std::string squares =
        listOf(200, [&](int index) { return shapeLayer(index, rect(256, 256, 400) + "," + greenFill, mask); });
    return hostiletest::fannedOut(squares, 1, 99, mask);
}

// A stroke `width` wide in blue, dashed `dash` on and off when given.
std::string blueStroke(int width, int dash = 0) {
    const std::string dashes = dash > 0 ? R"(,"d":[{"n":"d","nm":"D","v":{"a":0,"k":)" + std::to_string(dash) +
                                              R"(}},{"n":"g","nm":"G","v":{"a":0,"k":)" + std::to_string(dash) + "}}]"
                                        : "";
    return R"({"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":)" +
           std::to_string(width) + R"(},"lc":1,"lj":1)" + dashes + "}";
}

// `count` curves from (0, 200) to (512, 300), each through the canvas three
// times, its control points `reach` units away down-right and up-left,
// stroked 8 wide in blue (dashed 20 on and off, `dashed`) or, `gradient`,
// with a gradient from blue to blue.
std::string farCurves(int count, double reach, bool gradient, bool dashed = false) {
    const std::string far = std::to_string(reach);
    const std::string curve = R"({"c":false,"v":[[0,200],[512,300]],"o":[[)" + far + "," + far + R"(],[0,0]],"i":[[0,0],[-)" +
                              far + ",-" + far + "]]}";
    const std::string stroke =
        gradient ? R"({"ty":"gs","nm":"S","o":{"a":0,"k":100},"w":{"a":0,"k":8},"lc":1,"lj":1,"t":1,)"
                   R"("s":{"a":0,"k":[0,0]},"e":{"a":0,"k":[512,512]},"g":{"p":2,"k":{"a":0,"k":[0,0,0,1,1,0,0,1]}}})"
                 : blueStroke(8, dashed ? 20 : 0);
    return document(shapeLayer(1, listOf(count, [&](int) {
                                   return R"({"ty":"sh","nm":"P","ks":{"a":0,"k":)" + curve + "}}";
                               }) + "," + stroke));
}

// A path of `vertices` (x, y, then the out and in tangents of the curve to
// the next one), stroked by `stroke`.
std::string strokedPath(const std::vector<std::array<double, 6>>& vertices, const std::string& stroke) {
    std::string points, outs, ins;
    for (const auto& [x, y, outX, outY, inX, inY] : vertices) {
        const auto pair = [](double a, double b) { return "[" + std::to_string(a) + "," + std::to_string(b) + "]"; };
        points += (points.empty() ? "" : ",") + pair(x, y);
        outs += (outs.empty() ? "" : ",") + pair(outX, outY);
        ins += (ins.empty() ? "" : ",") + pair(inX, inY);
    }
    return document(shapeLayer(1, R"({"ty":"sh","nm":"P","ks":{"a":0,"k":{"c":false,"v":[)" + points + R"(],"o":[)" +
                                      outs + R"(],"i":[)" + ins + "]}}}," + stroke));
}

// A curve whose control points lie 4,000,000 units below, meeting the line
// y = -40 (40 pixels above the canvas) at x 256 and nearly along it across
// the canvas (within a few hundredths of a pixel), stroked 100 wide: its pen
// covers the top ten rows.
std::string farCurveAboveTheCanvas() {
    constexpr double reach = 4e6;
    // Ends (256 -/+ reach, -reach), both control points (256, c): at its
    // middle the curve is at (-2 reach + 6 c) / 8 = -40.
    constexpr double c = (2 * reach - 320) / 6;
    return strokedPath({{256 - reach, -reach, reach, c + reach, 0, 0}, {256 + reach, -reach, 0, 0, -reach, c + reach}},
                       blueStroke(100));
}

// A path from (100, 100) out along the diagonal some 1,700,000 units up-left
// and back to (400, 400): one curve whose control points lie 3,000,000 and
// 1,000,000 units up-left (so that it turns far from where it is halved),
// or, `asLines`, two lines through the point where it turns (the same path,
// not cut); stroked 8 wide and dashed 1,000 on and off, the pattern moved to
// begin a dash at (250, 250) on the way back.
std::string farDiagonal(bool asLines) {
    constexpr double first = -3e6, second = -1e6, end = 300;
    // Along the diagonal, from (100, 100): s(t) = 3 (1 - t)^2 t first +
    // 3 (1 - t) t^2 second + t^3 end, which turns once, where its slope
    // goes from negative to positive.
    const auto along = [&](double t) {
        return 3 * (1 - t) * (1 - t) * t * first + 3 * (1 - t) * t * t * second + t * t * t * end;
    };
    const auto slope = [&](double t) {
        return 3 * first * (1 - t) * (1 - 3 * t) + 3 * second * t * (2 - 3 * t) + 3 * end * t * t;
    };
    double low = 0, high = 1;
    for (int step = 0; step < 200; ++step) (slope((low + high) / 2) < 0 ? low : high) = (low + high) / 2;
    const double turn = along((low + high) / 2);
    const double back = std::sqrt(2.0) * (-2 * turn + 150);
    const double offset = std::fmod(2000 - std::fmod(back, 2000), 2000);
    const std::string stroke = R"({"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":8},)"
                               R"("lc":1,"lj":1,"d":[{"n":"d","nm":"D","v":{"a":0,"k":1000}},)"
                               R"({"n":"g","nm":"G","v":{"a":0,"k":1000}},{"n":"o","nm":"O","v":{"a":0,"k":)" +
                               std::to_string(offset) + "}}]}";
    if (asLines) {
        return strokedPath({{100, 100, 0, 0, 0, 0}, {100 + turn, 100 + turn, 0, 0, 0, 0}, {400, 400, 0, 0, 0, 0}},
                           stroke);
    }
    return strokedPath({{100, 100, first, first, 0, 0}, {400, 400, 0, 0, 100 + second - 400, 100 + second - 400}},
                       stroke);
}

struct Case {
    const char* name;
    std::string json;
    // What the automatic choice ends up on.
    RenderingEngine automaticEngine;
    // Distinctive parts of the messages of the limits each engine reaches,
    // each said once by it; the first of the Core Animation engine's is the
    // automatic choice's reason to fall back. None: nothing is said at all.
    std::vector<std::string> mainThreadLimits;
    std::vector<std::string> coreAnimationLimits;
    std::vector<Probe> probes;
    // The Core Animation engine, chosen by name, refuses and draws nothing.
    bool coreAnimationRefuses = false;
    // Its frames cost more than the frame's deadline (their work estimate
    // misses what clipping to the masks costs): the probes hold where the
    // work budget ends the frame first, and either cut is said once.
    bool passesTheDeadline = false;
    // Its frames take about as much processor time as the frame's deadline
    // allows before their work budget ends them (without optimisation, the
    // pixel work of the whole budget takes about a second): when set, the
    // processor clock moves on by this many seconds at each of its readings
    // instead, one every few thousand units of work, so that the deadline
    // ends a frame only where its work goes on some three times past where
    // the budget should have ended it, however busy the machine.
    double secondsPerReading = 0;
    // Its frames draw within their work budget and deadline: neither is said.
    bool withinBudget = false;
};

TEST(HostileWeights, MasksGroupsAndTrimsCostWhatTheyDoAndSayOnceWhatIsLeftOut) {
    const std::string built = "layers once its precompositions";
    // The work budget's cut or the deadline's.
    const std::string frameCut = "The frame's drawing";
    // The work budget's cut alone: its estimate must see what these cost.
    const std::string work = "drawing work";
    const std::string sampling = lottie::SamplingBudget::exceededMessage(lottie::SamplingBudget::defaultLimit);
    const std::string dashes = "drawn stretched";
    const std::vector<Case> cases = {
        // Each mask weighs its vertices: a few hundred of the 10,000 layers
        // are built, and clipping to each takes its share of the frame's work.
        // Without the deadline a frame takes 11 s of processor time here.
        {"masks of 600 crossing vertices on 10,000 layers", zigzagMasks(600), RenderingEngine::mainThread,
         {built, frameCut}, {built, frameCut}, {{20, 480, true}}, false, true},
        // The layers left out build no masks: clipping to those, around
        // nothing, would spend the frame's work before a layer built is drawn.
        // Without the deadline a frame takes 5 s of processor time here.
        {"masks of 1,200 crossing vertices on 10,000 layers", zigzagMasks(1200), RenderingEngine::mainThread,
         {built, frameCut}, {built, frameCut}, {{20, 480, true}}, false, true},
        // Each item's keypath goes on from its group's, shared.
        {"a square in 500 nested groups of 200-character names fanned out 20 ways",
         deepGroups(500, std::string(200, 'n'), 20), RenderingEngine::coreAnimation, {}, {}, {{256, 256, true}}},
        // Each trim is charged for every sample it cuts.
        {"800 trims in a row over a path of 100 vertices", trimsInARow(800, 100), RenderingEngine::mainThread, {},
         {sampling}, {{456, 256, true}}, true},
        // Each edge walks the cells of its row from side to side: the same
        // work as the path turned a quarter, which crosses every row.
        {"3,000 edges nearly along the rows fanned out 100 ways", sweeps(false, false), RenderingEngine::coreAnimation,
         {work}, {work}, {}},
        {"3,000 edges nearly along the columns fanned out 100 ways", sweeps(true, false), RenderingEngine::coreAnimation,
         {work}, {work}, {}},
        {"a mask of 3,000 edges nearly along the rows fanned out 100 ways", sweeps(false, true),
         RenderingEngine::coreAnimation, {work}, {work}, {}},
        // Each piece's round caps lay the pen's disc among those of thousands
        // of others; butt caps lay four edges, each crossing the pen's width
        // of rows among those of all the others.
        {"10,000 round-capped dashes under a 200-pixel pen", dashedZigzag(200, 2), RenderingEngine::coreAnimation,
         {dashes, work}, {work}, {}},
        {"10,000 round-capped dashes under a 400-pixel pen", dashedZigzag(400, 2), RenderingEngine::coreAnimation,
         {dashes, work}, {work}, {}},
        {"10,000 butt-capped dashes under a 200-pixel pen", dashedZigzag(200, 1), RenderingEngine::coreAnimation,
         {dashes, work}, {work}, {}},
        // Each pixel finds its place among the stops; a gradient of two is
        // drawn at the full cost of its pixels. The budget ends each frame
        // after some 170 readings of the clock (75 of the gradients); were
        // the stops not counted, it would go on to about 500 gradients.
        {"600 full-canvas radial gradients of 1,024 stops", radialGradients(1024), RenderingEngine::coreAnimation,
         {work}, {work}, {{256, 256, true}}, false, false, 0.002},
        // Cairo and the stroker flatten a curve whole, into as many pieces as
        // its reach asks for, and Cairo's fixed point wraps on the way: the
        // curves are cut down near the canvas first, where they cross it at
        // (128, 122), (256, 250) and (384, 378), and nowhere else.
        {"300 stroked curves whose control points lie 3,000,000 units away", farCurves(300, 3e6, false),
         RenderingEngine::coreAnimation, {}, {}, {{128, 122, true}, {256, 250, true}, {128, 250, false}, {64, 250, false}}},
        {"300 gradient-stroked curves whose control points lie 3,000,000 units away", farCurves(300, 3e6, true),
         RenderingEngine::coreAnimation, {}, {}, {{128, 122, true}, {256, 250, true}, {128, 250, false}, {64, 250, false}}},
        // Cut down near the canvas, their chords' far ends brought near too,
        // they stay within our rasteriser's range, solid or shaded, and are
        // drawn by our own stroker within the frame's budget and deadline,
        // nothing cut. (The main-thread engine builds a few hundred of the
        // paths, within the layer weight.)
        {"3,000 stroked curves whose control points lie 4,000,000 units away", farCurves(3000, 4e6, false),
         RenderingEngine::coreAnimation, {"Too many shape items"}, {}, {}, false, false, 0, true},
        {"3,000 gradient-stroked curves whose control points lie 4,000,000 units away", farCurves(3000, 4e6, true),
         RenderingEngine::coreAnimation, {"Too many shape items"}, {}, {}, false, false, 0, true},
        {"2,000 dashed curves whose control points lie 4,000,000 units away", farCurves(2000, 4e6, false, true),
         RenderingEngine::coreAnimation, {"Too many shape items"}, {work}, {}},
        // The box outside which curves are cut is grown by the pen's reach:
        // the stroke of the curve 40 pixels above the canvas covers its top
        // rows, as the uncut curve's does.
        {"a 100-pixel stroke of a far-reaching curve 40 pixels above the canvas", farCurveAboveTheCanvas(),
         RenderingEngine::coreAnimation, {}, {}, {{20, 5, true}, {256, 5, true}, {490, 5, true}, {256, 14, false}}},
        // A dashed curve is cut keeping its length: its dashes fall where the
        // uncut one's do, a dash beginning at (250, 250) on the way back.
        {"a dashed far-reaching curve", farDiagonal(false), RenderingEngine::coreAnimation, {}, {},
         {{230, 230, false}, {270, 270, true}, {390, 390, true}}},
        {"a dashed far-reaching path of lines, as the curve uncut", farDiagonal(true), RenderingEngine::coreAnimation,
         {}, {}, {{230, 230, false}, {270, 270, true}, {390, 390, true}}},
        // Each level's surface is memory the frame had not held: its
        // estimate sees that, though a machine pressed for time may reach
        // the deadline first.
        {"200 masked squares in 99 masked precompositions nested", clipChain(), RenderingEngine::coreAnimation,
         {frameCut}, {frameCut}, {}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto animation = lottie::LottieAnimation::fromData(test.json, lottie::DecodingStrategy::dictionaryBased);
        ASSERT_TRUE(animation);
        for (const auto& option :
             {RenderingEngineOption::automatic(), RenderingEngineOption::mainThread(), RenderingEngineOption::coreAnimation()}) {
            SCOPED_TRACE(option.description());
            testsupport::RecordingLogger log;
            std::optional<testsupport::SteppingProcessorClock::Installation> clock;
            if (test.secondsPerReading > 0) clock.emplace(test.secondsPerReading);
            lottieframes::FrameRenderer renderer(animation, side, side, std::nullopt, option);
            const auto image = drawTwoFrames(renderer);
            ASSERT_TRUE(image);
            const bool onCoreAnimation = renderer.activeEngine() == RenderingEngine::coreAnimation;
            if (option.isAutomatic()) {
                EXPECT_EQ(renderer.activeEngine(), test.automaticEngine);
                if (!onCoreAnimation) {
                    ASSERT_FALSE(test.coreAnimationLimits.empty());
                    EXPECT_EQ(mentions(log, test.coreAnimationLimits.front(), true), 1);
                }
            }
            const bool cutByTheDeadline = test.passesTheDeadline && mentions(log, "passed its deadline", false) > 0;
            for (const Probe& probe : cutByTheDeadline ? std::vector<Probe>() : test.probes) {
                EXPECT_EQ(opaqueAt(*image, probe.x, probe.y), probe.drawn && !(onCoreAnimation && test.coreAnimationRefuses))
                    << probe.x << ", " << probe.y;
            }
            if (onCoreAnimation) {
                // Within the build limits: each unit of weight makes a few compositor layers.
                EXPECT_LE(layerCount(*renderer.animationLayer()), 8u * 30'000);
            }
            const std::vector<std::string>& limits = onCoreAnimation ? test.coreAnimationLimits : test.mainThreadLimits;
            for (const std::string& limit : limits) {
                if (limit == frameCut) {
                    // One frame may end at the work budget and another at the
                    // deadline: each says so once, and one of them at least.
                    const long work = mentions(log, "drawing work", false);
                    const long deadline = mentions(log, "passed its deadline", false);
                    EXPECT_LE(work, 1);
                    EXPECT_LE(deadline, 1);
                    EXPECT_GE(work + deadline, 1) << limit;
                } else {
                    EXPECT_EQ(mentions(log, limit, false), 1) << limit;
                }
            }
            if (test.withinBudget) {
                EXPECT_EQ(mentions(log, "drawing work", false), 0);
                EXPECT_EQ(mentions(log, "passed its deadline", false), 0);
            }
            if (test.mainThreadLimits.empty() && test.coreAnimationLimits.empty()) {
                EXPECT_TRUE(log.warnings.empty());
                EXPECT_TRUE(log.failedAssertions.empty());
                EXPECT_TRUE(log.assertionFailures.empty());
            }
        }
    }
}

}  // namespace
