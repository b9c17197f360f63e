// Layers that hand over at a frame: a layer shows from its in frame up to, not
// including, its out frame, so on the frame where one layer ends and the next
// begins only the next one shows, on both engines, at the top level and inside
// precompositions that start later, are stretched or have their time remapped.
// The animation's last frame still shows the layers that last until it, and
// precompositions that hand over between whole frames, or whose children do,
// show on the frame within rounding of the edge, also through a stretched
// precomposition nested in another.

#include <gtest/gtest.h>

#include <cstdint>
#include <iomanip>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/DecodingStrategy.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

// Premultiplied ARGB of the probed pixels: the solids are opaque and the probes
// lie away from their edges.
constexpr std::uint32_t red = 0xffff0000;
constexpr std::uint32_t blue = 0xff0000ff;
constexpr std::uint32_t clear = 0;

// Every digit, for edges between whole frames.
std::string number(double value) {
    std::ostringstream text;
    text << std::setprecision(std::numeric_limits<double>::max_digits10) << value;
    return text.str();
}

// A solid 60 wide and 100 high at x, shown from `in` to `out`.
std::string solid(const std::string& name, const std::string& colour, double x, double in, double out) {
    return R"({"ty":1,"nm":")" + name + R"(","ip":)" + number(in) + R"(,"op":)" + number(out) +
           R"(,"st":0,"ks":{"p":{"a":0,"k":[)" + number(x) + R"(,0]}},"sc":")" + colour + R"(","sw":60,"sh":100})";
}

// "Out", red over x 0 to 60, ends at frame 20, where "In", blue over x 40 to
// 100, begins; "In" ends at frame 40. "Out" lies above "In".
std::string handover() { return solid("Out", "#ff0000", 0, 0, 20) + "," + solid("In", "#0000ff", 40, 20, 40); }

// 10 frames a second, 100 x 100, ending at `end`.
std::string document(double end, const std::string& layers, const std::string& assets = "[]") {
    return R"({"v":"5.7.0","fr":10,"ip":0,"op":)" + number(end) + R"(,"w":100,"h":100,"assets":)" + assets +
           R"(,"layers":[)" + layers + "]}";
}

// The two layers inside a precomposition that starts at `start`, with more
// members of its layer (with a leading comma).
std::string precomposed(double end, double start, const std::string& members = "") {
    const std::string asset = R"([{"id":"pair","layers":[)" + handover() + "]}]";
    return document(end,
                    R"({"ty":0,"nm":"Pair","refId":"pair","ip":0,"op":)" + number(end) + R"(,"st":)" +
                        number(start) + R"(,"ks":{},"w":100,"h":100)" + members + "}",
                    asset);
}

struct Probe {
    double frame;
    // At x 20 only "Out" can show, at x 80 only "In", at x 50 "Out" above "In".
    std::uint32_t left, middle, right;
};

struct Case {
    std::string name;
    std::string json;
    std::vector<Probe> probes;
};

TEST(LayerHandover, OnlyTheNextLayerShowsOnTheFrameWhereTwoHandOverOnBothEngines) {
    // Seconds of a precomposition's own time against the frames of the root, linear.
    const std::string remapped =
        R"(,"tm":{"a":1,"k":[{"t":0,"s":[0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":100,"s":[5]}]})";
    const std::vector<Case> cases = {
        {"top level",
         document(40, handover()),
         {{0, red, red, clear},
          {19, red, red, clear},
          {20, clear, blue, blue},
          {39, clear, blue, blue},
          // The last frame of the animation: "In" lasts until it.
          {40, clear, blue, blue}}},
        {"top level, ending before the animation",
         document(60, handover()),
         {{39, clear, blue, blue}, {40, clear, clear, clear}, {60, clear, clear, clear}}},
        {"a precomposition starting at 10",
         precomposed(60, 10),
         {{29, red, red, clear}, {30, clear, blue, blue}, {49, clear, blue, blue}, {50, clear, clear, clear}}},
        {"a precomposition stretched twice",
         precomposed(100, 0, R"(,"sr":2)"),
         {{39, red, red, clear}, {40, clear, blue, blue}, {79, clear, blue, blue}, {80, clear, clear, clear}}},
        {"a precomposition stretched by 1.5",
         precomposed(100, 0, R"(,"sr":1.5)"),
         {{29, red, red, clear}, {30, clear, blue, blue}, {59, clear, blue, blue}, {60, clear, clear, clear}}},
        {"a precomposition whose time is remapped to half speed",
         precomposed(100, 0, remapped),
         {{39, red, red, clear}, {40, clear, blue, blue}, {79, clear, blue, blue}, {80, clear, clear, clear}}},
        {"a precomposition that ends with the animation", precomposed(40, 0),
         {{19, red, red, clear}, {20, clear, blue, blue}, {40, clear, blue, blue}}},
        // As a 29.97 fps export writes the edge: frame 6 lies a rounding error
        // before the second one's start, which must still show its solid.
        {"two precompositions handing over between whole frames",
         document(10,
                  R"({"ty":0,"nm":"Before","refId":"one","ip":0,"op":6.00000024,"st":0,"ks":{},"w":100,"h":100},)"
                  R"({"ty":0,"nm":"After","refId":"one","ip":6.00000024,"op":10,"st":6.00000024,"ks":{},"w":100,"h":100})",
                  R"([{"id":"one","layers":[)" + solid("In", "#0000ff", 40, 0, 10) + "]}]"),
         {{5, clear, blue, blue}, {6, clear, blue, blue}, {7, clear, blue, blue}, {10, clear, blue, blue}}},
        // Edges between whole frames reached through a precomposition that
        // starts between whole frames too: "Out" comes in at 2.00000008 of one
        // starting at 4.00000016, "In" at 1.00000004 of one starting at
        // 5.0000002, both at 6.00000024 of the root, which frame 6 lies
        // within rounding of; "In" goes out at 7.00000028, on frame 7.
        {"children of precompositions handing over between whole frames",
         document(10,
                  R"({"ty":0,"nm":"Red","refId":"red","ip":0,"op":10,"st":4.00000016,"ks":{},"w":100,"h":100},)"
                  R"({"ty":0,"nm":"Blue","refId":"blue","ip":0,"op":10,"st":5.0000002,"ks":{},"w":100,"h":100})",
                  R"([{"id":"red","layers":[)" + solid("Out", "#ff0000", 0, 2.00000008, 10) +
                      R"(]},{"id":"blue","layers":[)" + solid("In", "#0000ff", 40, 1.00000004, 2.00000008) + "]}]"),
         {{5, clear, clear, clear}, {6, red, red, blue}, {7, red, red, clear}, {8, red, red, clear}}},
        // Nested: the middle precomposition, stretched by 2 and starting at -5,
        // brings "In" in at 5.50000012 of its own time line, 6.00000024 of the
        // root's, which frame 6 lies within rounding of. Measured on a time
        // line that left the stretch out, frame 6 would lie before the edge.
        {"nested precompositions handing over between whole frames, the middle one stretched",
         document(10, R"({"ty":0,"nm":"Outer","refId":"outer","ip":0,"op":10,"st":0,"ks":{},"w":100,"h":100})",
                  R"([{"id":"outer","layers":[{"ty":0,"nm":"Middle","refId":"pair","ip":0,"op":10,"st":-5,"sr":2,)"
                  R"("ks":{},"w":100,"h":100}]},{"id":"pair","layers":[)" +
                      solid("Out", "#ff0000", 0, 0, 5.50000012) + "," + solid("In", "#0000ff", 40, 5.50000012, 20) +
                      "]}]"),
         {{5, red, red, clear}, {6, clear, blue, blue}, {7, clear, blue, blue}, {10, clear, blue, blue}}},
    };
    struct Engine {
        const char* name;
        lottie::RenderingEngineOption option;
    };
    const Engine engines[] = {
        {"main thread", lottie::RenderingEngineOption::mainThread()},
        {"core animation", lottie::RenderingEngineOption::coreAnimation()},
    };
    for (const Case& test : cases) {
        const auto animation = lottie::LottieAnimation::fromData(test.json, lottie::DecodingStrategy::dictionaryBased);
        ASSERT_TRUE(animation) << test.name;
        for (const Engine& engine : engines) {
            lottieframes::FrameRenderer renderer(animation, 100, 100, std::nullopt, engine.option);
            for (const Probe& probe : test.probes) {
                const auto image = renderer.render(probe.frame);
                ASSERT_TRUE(image) << test.name;
                const std::string where = test.name + ", " + engine.name + ", frame " + number(probe.frame);
                EXPECT_EQ(image->pixel(20, 50), probe.left) << where << ", left";
                EXPECT_EQ(image->pixel(50, 50), probe.middle) << where << ", middle";
                EXPECT_EQ(image->pixel(80, 50), probe.right) << where << ", right";
            }
        }
    }
}

}  // namespace
