// Small documents written the way an attacker would, whose costs add up across
// layers or come from one drawing with no limit of its own: two frames at
// 512 x 512 complete, what fits in the frame's work is drawn (the layers drawn
// first, the rest of the frame around a broken layer, the start of a text too
// long for a bitmap), and a cut is warned about once however many frames are
// drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <optional>
#include <string>
#include <vector>

#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"
#include "tests/Support/RecordingLogger.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

constexpr int side = 512;

std::string layerWith(const std::string& items, int index, const std::string& extra = "",
                      const std::string& transform = "{}") {
    return shapeLayer("[" + items + "]", index, extra, transform);
}

std::string precomposition(const std::string& ref, int index, const std::string& extra) {
    return R"({"ty":0,"nm":"P","refId":")" + ref + R"(","ind":)" + std::to_string(index) + R"(,"w":)" +
           std::to_string(side) + R"(,"h":)" + std::to_string(side) + R"(,"ip":0,"op":100,"st":0,"ks":{})" + extra +
           "}";
}

// `leaf` (a list of layers) referenced `count` times on each of `levels` levels.
std::string fannedOut(const std::string& leaf, int count, int levels, const std::string& extra = "") {
    std::string assets = R"([{"id":"c0","layers":)" + leaf + "}";
    std::string layers;
    for (int level = 1; level <= levels; ++level) {
        layers = "[";
        for (int index = 0; index < count; ++index) {
            if (index) layers += ",";
            layers += precomposition("c" + std::to_string(level - 1), index + 1, extra);
        }
        layers += "]";
        if (level < levels) assets += R"(,{"id":"c)" + std::to_string(level) + R"(","layers":)" + layers + "}";
    }
    return document(layers, side, side, 60, assets + "]");
}

std::string dashedStroke(double width) {
    std::string item = stroke(width);
    item.pop_back();
    return item + R"(,"d":[{"n":"d","nm":"d","v":{"a":0,"k":1}},{"n":"g","nm":"g","v":{"a":0,"k":1}}]})";
}

std::string pointyStar(int index) {
    return R"({"ty":"sr","nm":"Star","sy":1,"p":{"a":0,"k":[256,256]},"or":{"a":0,"k":200},"ir":{"a":0,"k":100},)"
           R"("os":{"a":0,"k":0},"is":{"a":0,"k":0},"pt":{"a":0,"k":5000},"r":{"a":0,"k":)" +
           std::to_string(index) + "}}";
}

// Edges from side to side of the canvas, each crossing nearly all the others.
std::string crossingPath(int edges) {
    std::string points = "[";
    for (int index = 0; index < edges; ++index) {
        if (index) points += ",";
        points += "[" + std::to_string(index % 2 ? side : 0) + "," + std::to_string((index * 7919) % side) + "]";
    }
    return openPath(points + "]");
}

std::string rampOfStops(int count) {
    std::string stops;
    for (int index = 0; index < count; ++index) {
        if (index) stops += ",";
        stops += number(static_cast<double>(index) / (count - 1)) + ",0,0," + number(index % 2);
    }
    return gradientFill(2, 256, 256, 512, 256, count, stops);
}

std::string textLayer(const std::string& text, double size, const std::string& transform, const std::string& box) {
    return R"({"ty":5,"nm":"T","ind":1,"ip":0,"op":100,"st":0,"ks":)" + transform +
           R"(,"t":{"d":{"k":[{"s":{"t":")" + text + R"(","s":)" + number(size) +
           R"(,"f":"DejaVu Sans","j":0,"tr":0,"lh":)" + number(size * 1.2) + R"(,"fc":[0,0,0])" + box +
           R"(},"t":0}]},"a":[],"p":{},"m":{}}})";
}

std::string scaled(double x, double y, double percentX, double percentY) {
    return R"({"p":{"a":0,"k":[)" + number(x) + "," + number(y) + R"(]},"s":{"a":0,"k":[)" + number(percentX) + "," +
           number(percentY) + "]}}";
}

// How many pixels of the rectangle are at least half opaque.
int drawnPixels(const platform::graphics::Image& image, int left, int top, int right, int bottom) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) count += pixelAt(image, x, y).a > 128 ? 1 : 0;
    }
    return count;
}

TEST(FrameWorkBudget, HostileWorkCompletesDrawsWhatFitsAndWarnsOnce) {
    struct Area {
        int left, top, right, bottom;
        int atLeast;  // drawn pixels
        int atMost = side * side;
    };
    struct Case {
        const char* name;
        std::string json;
        std::vector<std::string> warnings;  // a distinctive part of each cut, said once
        std::vector<Area> drawn;
        // Those said instead by the main-thread engine chosen by name, if others.
        std::optional<std::vector<std::string>> mainThreadWarnings = std::nullopt;
    };
    const std::string work = "drawing work", built = "layers once its precompositions";
    const std::string square = layerWith(rect(256, 256, 100, 100) + "," + fill(0, 1, 0), 99);
    std::string stars, crossings;
    for (int index = 0; index < 25; ++index) stars += (index ? "," : "") + layerWith(pointyStar(index) + "," + fill(1, 0, 0), index + 1);
    const std::string fullCanvas = "[" + layerWith(rect(256, 256, side, side) + "," + fill(1, 0, 0), 1) + "]";
    const std::string twoStops = "0,1,0,0,1,0,0,1";
    // A circle of 160 points around the centre, as a path of `count` vertices.
    const auto manyVertices = [](int count) {
        std::string points = "[";
        for (int index = 0; index < count; ++index) {
            const double angle = 6.283185307179586 * index / count;
            points += (index ? ",[" : "[") + number(256 + 80 * std::cos(angle)) + "," +
                      number(256 + 80 * std::sin(angle)) + "]";
        }
        return closedPath(points + "]");
    };
    // A text of 2,000 characters weighs as much as some hundred plain layers.
    const std::string longText = "[" + textLayer(std::string(2000, 'x'), 10, scaled(0, 20, 100, 100), "") + "]";
    const Case cases[] = {
        // The layers drawn first are drawn; past the budget the rest are left out.
        {"blended precompositions fanned out", fannedOut(fullCanvas, 12, 2, R"(,"bm":12)"), {work},
         {{250, 250, 260, 260, 100}}},
        {"dashed circles fanned out", fannedOut("[" + layerWith(ellipse(256, 256, 400, 400) + "," + dashedStroke(2), 1) + "]", 16, 2),
         {work}, {{50, 200, 60, 310, 10}}},
        // What is built is capped by what the layers hold, not by their count alone.
        {"paths of 1,000 vertices fanned out", fannedOut("[" + layerWith(manyVertices(1000) + "," + fill(1, 0, 0), 1) + "]", 10, 3),
         {built}, {{250, 250, 260, 260, 100}}},
        // Each of them draws its whole line into a bitmap of its own, so the
        // frame's work runs out too.
        {"long texts fanned out", fannedOut(longText, 16, 2), {built, work}, {{0, 10, 100, 30, 50}}},
        {"stars at the point limit", document("[" + stars + "]", side, side), {work}, {{250, 250, 260, 260, 100}}},
        // Stroked by our own rasteriser rather than by Cairo, within the
        // frame's work on the Core Animation engine; the main-thread
        // engine's layers cost it more, past the frame's work.
        {"thousands of edges crossing over a square",
         document("[" + layerWith(crossingPath(6000) + "," + stroke(1), 1) + "," + square + "]", side, side), {},
         {{220, 220, 240, 240, 400}}, std::vector<std::string>{work}},
        // Reduced to what the ramp shows, a ramp of many stops is cheap and drawn.
        {"a ramp of 20,000 stops", shapeDocument(rect(256, 256, side, side) + "," + rampOfStops(20000), "", side), {},
         {{0, 0, side, side, side * side / 4}}},
        // The stroke's pen stays bounded, and the rest of the frame is drawn: its
        // two long sides cross the canvas as lines two pixels wide.
        {"a stroke stretched 1e14 times over a square",
         document("[" + layerWith(rect(0, 0, 10, 10) + "," + stroke(2), 1, "", scaled(256, 256, 1e16, 100)) + "," +
                      square + "]",
                  side, side),
         {}, {{220, 210, 290, 240, 2000}, {0, 249, side, 253, side * 3 / 2}}},
        // Too long for a bitmap of its own: drawn where it shows.
        {"a line of 2,000 characters", document("[" + textLayer(std::string(2000, 'W'), 20, scaled(0, 200, 30, 30), "") + "]", side, side), {},
         {{0, 190, 60, 200, 20}}},
        {"text at 6,000 points shown at 2 %", document("[" + textLayer("HELLO", 6000, scaled(10, 200, 2, 2), "") + "]", side, side), {},
         {{10, 100, 200, 200, 200}}},
        {"eight text boxes of 5,000 units",
         [] {
             std::string layers;
             for (int index = 0; index < 8; ++index) {
                 layers += std::string(index ? "," : "") +
                           textLayer("Box", 400, scaled(index * 60, 20, 10, 10), R"(,"sz":[5000,5000],"ps":[0,0])");
             }
             return document("[" + layers + "]", side, side);
         }(),
         {}, {{0, 0, side, 80, 200}}},
        // Far larger than a bitmap in their own units, shown within the canvas.
        {"a gradient on a square of 10,000 units shown at 5 %",
         document("[" + layerWith(rect(5000, 5000, 10000, 10000) + "," + gradientFill(1, 0, 0, 10000, 10000, 2, twoStops), 1,
                                  "", scaled(0, 0, 5.12, 5.12)) +
                      "]",
                  side, side),
         {}, {{0, 0, side, side, side * side - 100}}},
        // Where the matte, the left half of a precomposition of 10,000 units
        // shown at 5 %, leaves it: the right part of the green square.
        {"an inverted matte of 10,000 units",
         document(R"([{"ty":0,"nm":"M","refId":"big","ind":1,"w":10000,"h":10000,"ip":0,"op":100,"st":0,"td":1,"ks":)" +
                      scaled(0, 0, 5.12, 5.12) + "}," +
                      layerWith(rect(256, 256, 400, 400) + "," + fill(0, 1, 0), 2, R"(,"tt":2)") + "]",
                  side, side, 60,
                  R"([{"id":"big","layers":[)" + layerWith(rect(2500, 5000, 5000, 10000) + "," + fill(0, 0, 1), 1) +
                      "]}]"),
         {}, {{300, 100, 440, 400, 140 * 300 - 100}, {60, 100, 240, 400, 0, 0}}},
        // The ring between 140 and 220 pixels from the centre, on either side.
        {"a gradient stroke 9,000 wide on a circle shown small",
         document("[" + layerWith(ellipse(0, 0, 2000, 2000) + "," + gradientStroke(1, -5000, 0, 5000, 0, 2, twoStops, 9000), 1,
                                  "", scaled(256, 256, 4, 4)) +
                      "]",
                  side, side),
         {}, {{420, 246, 460, 266, 700}, {52, 246, 92, 266, 700}}},
    };
    // The other engine choices draw as much within the same budgets, or fall back.
    for (const auto& option : engineOptions()) {
        SCOPED_TRACE(option.description());
        for (const Case& c : cases) {
            SCOPED_TRACE(c.name);
            testsupport::RecordingLogger recorder;
            const auto image = renderFrames(decode(c.json), option, {0.0, 1.0});
            ASSERT_TRUE(image);
            for (const Area& area : c.drawn) {
                const int drawn = drawnPixels(*image, area.left, area.top, area.right, area.bottom);
                EXPECT_GE(drawn, area.atLeast) << area.left << ", " << area.top;
                EXPECT_LE(drawn, area.atMost) << area.left << ", " << area.top;
            }
            const std::vector<std::string> warnings = limitMessages(recorder);
            EXPECT_EQ(std::set<std::string>(warnings.begin(), warnings.end()).size(), warnings.size());
            const bool mainThread = option.engine() == lottie::RenderingEngine::mainThread;
            const std::vector<std::string>& said =
                mainThread && c.mainThreadWarnings ? *c.mainThreadWarnings : c.warnings;
            for (const std::string& part : {work, built}) {
                const long expected = std::count(said.begin(), said.end(), part);
                EXPECT_EQ(std::count_if(warnings.begin(), warnings.end(),
                                        [&part](const std::string& text) { return text.find(part) != std::string::npos; }),
                          expected)
                    << part;
            }
        }
    }
}

// Once the frame's intermediate surfaces are spent between a masked layer's
// mask and its group, each of its drawings is laid down through the mask on a
// surface the size of the clip: 2,047 masked fillers take two surfaces each, a
// translucent layer one, and the last layer's mask the last, so its 2,400 tiny
// drawings go one by one. Each pays for its surface, and the frame's work ends
// them, said once; on the engines that draw translucent masks.
TEST(FrameWorkBudget, DrawingsLaidThroughAMaskOneByOnePayForTheirSurfaces) {
    const auto square = [](int x, int y) { return rect(x, y, 2, 2) + "," + fill(0, 1, 0); };
    const std::string tinyMask = R"(,"masksProperties":[)" + featuretest::mask("a", "[[4,4],[7,4],[7,7],[4,7]]", 50) + "]";
    std::string drawings;
    for (int outer = 0; outer < 4; ++outer) {
        std::string inner;
        for (int index = 0; index < 600; ++index) {
            const int at = outer * 600 + index;
            inner += (index ? "," : "") + featuretest::group(square(10 + at * 7 % 490, 10 + at * 13 % 490));
        }
        drawings += (outer ? "," : "") + featuretest::group(inner);
    }
    std::string layers = layerWith(drawings, 1, R"(,"masksProperties":[)" +
                                                    featuretest::mask("a", "[[0,0],[512,0],[512,512],[0,512]]", 50) + "]");
    layers += "," + layerWith(featuretest::group(square(5, 5)) + "," + featuretest::group(square(8, 8)), 2, "",
                              R"({"o":{"a":0,"k":50}})");
    for (int index = 0; index < 2047; ++index) layers += "," + layerWith(square(5, 5), index + 3, tinyMask);
    const auto animation = decode(document("[" + layers + "]", side, side));
    ASSERT_TRUE(animation);
    for (const auto& option : {lottie::RenderingEngineOption::mainThread(), lottie::RenderingEngineOption::automatic()}) {
        SCOPED_TRACE(option.description());
        testsupport::RecordingLogger recorder;
        ASSERT_TRUE(renderFrames(animation, option, {0.0, 1.0}));
        const std::vector<std::string> warnings = limitMessages(recorder);
        EXPECT_EQ(std::count_if(warnings.begin(), warnings.end(),
                                [](const std::string& text) { return text.find("drawing work") != std::string::npos; }),
                  1);
        EXPECT_EQ(std::count_if(warnings.begin(), warnings.end(),
                                [](const std::string& text) { return text.find("drawing by drawing") != std::string::npos; }),
                  1);
    }
}

}  // namespace
