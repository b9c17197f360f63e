// Trims on the Core Animation engine: ordering, offsets folded in, the path
// multiplier, and trims whose numbers would divide 0 by 0, overflow or ask
// for millions of path copies.

#include <gtest/gtest.h>

#include <cmath>

#include "Lottie/CoreAnimation/TrimAnimation.h"
#include "Platform/Compositor/ShapeLayer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"

using namespace lottie;
using namespace coreanimationtest;

namespace {

class TrimAnimationTest : public HundredFrameTest {
protected:
    // The fractions the layer shows at `frame`.
    std::pair<double, double> fractionsAt(const Trim& trim, double frame, int* multiplier = nullptr) {
        const LayerAnimationContext context = wholeDocument();
        auto layer = platform::compositor::ShapeLayer::make();
        const int result = TrimAnimation::animateTrim(*layer, trim, context);
        if (multiplier) *multiplier = result;
        const auto at = [&](const char* keyPath) {
            const auto value = presentedAt(*layer, keyPath, frame);
            return value ? value->number().value_or(NAN) : NAN;
        };
        return {at("strokeStart"), at("strokeEnd")};
    }
};

std::string value(const std::string& number) { return R"({"a":0,"k":)" + number + "}"; }

std::string ramp(double from, double to) {
    return R"({"a":1,"k":[{"t":0,"s":[)" + std::to_string(from) +
           R"(],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":100,"s":[)" + std::to_string(to) + "]}]}";
}

std::shared_ptr<const Trim> trim(const std::string& start, const std::string& end, const std::string& offset) {
    return decodedItem<Trim>(R"({"ty":"tm","nm":"Trim","s":)" + start + R"(,"e":)" + end + R"(,"o":)" + offset +
                             R"(,"m":1})");
}

TEST_F(TrimAnimationTest, StaticTrimsGiveTheirFractionsAndMultipliers) {
    struct Case {
        const char* name;
        std::string start, end, offset;
        int multiplier;
        double startFraction, endFraction;
    };
    const std::vector<Case> cases = {
        {"whole path", "0", "100", "0", 1, 0, 1},
        {"backwards", "30", "10", "0", 1, 0.1, 0.3},
        {"quarter turn", "0", "50", "90", 1, 0.25, 0.75},
        {"half turn past the end", "0", "80", "180", 2, 0.25, 0.65},
        {"quarter turn back", "0", "50", "-90", 2, 0.375, 0.625},
        {"a whole turn", "0", "100", "360", 3, 1 / 3.0, 2 / 3.0},
        {"zero offset keeps values past the range", "-20", "150", "0", 1, -0.2, 1.5},
        {"empty trim is never 0 / 0", "-25", "-25", "90", 1, 0, 0},
        {"millions of turns forward", "0", "50", "3.6e9", 1, 0, 0.5},
        {"millions of turns back", "0", "50", "-3.6e9", 1, 0, 0.5},
        {"a range of millions of lengths is capped", "0", "1e9", "90", TrimAnimation::maximumPathMultiplier, 0.0025, 1e5 + 0.0025},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.name);
        int multiplier = 0;
        const auto [start, end] =
            fractionsAt(*trim(value(entry.start), value(entry.end), value(entry.offset)), 50, &multiplier);
        EXPECT_EQ(multiplier, entry.multiplier);
        EXPECT_NEAR(start, entry.startFraction, 1e-9);
        EXPECT_NEAR(end, entry.endFraction, 1e-9);
    }
}

TEST_F(TrimAnimationTest, NumbersPastTheDoublesRangeDrawTheWholePath) {
    // Sampled between -1e308 and 1e308, the start overflows to infinity.
    const auto huge = trim(ramp(-1e308, 1e308), R"({"a":1,"k":[{"t":0,"s":[0],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":50,"s":[1]}]})",
                           value("0"));
    int multiplier = 0;
    const auto fractions = fractionsAt(*huge, 50, &multiplier);
    EXPECT_EQ(multiplier, 1);
    EXPECT_EQ(fractions, (std::pair<double, double>{0, 1}));
}

TEST_F(TrimAnimationTest, AnimatedTrimsAreOrderedAtEveryFrame) {
    // The start passes the end half way: the layer shows the smaller one as its start.
    const auto crossing = trim(ramp(0, 100), value("50"), value("0"));
    EXPECT_FALSE(TrimAnimation::isStartAtMostEnd(*crossing));
    EXPECT_FALSE(TrimAnimation::isEndAtMostStart(*crossing));
    for (double frame : {10.0, 40.0, 70.0, 90.0}) {
        const auto [start, end] = fractionsAt(*crossing, frame);
        EXPECT_NEAR(start, std::min(frame, 50.0) / 100, 0.011) << frame;
        EXPECT_NEAR(end, std::max(frame, 50.0) / 100, 0.011) << frame;
        EXPECT_LE(start, end);
    }
    // An offset turning once over the animation, the spinner of many documents.
    const auto spinner = trim(value("0"), value("25"), ramp(0, 360));
    int multiplier = 0;
    const auto [start, end] = fractionsAt(*spinner, 50, &multiplier);
    EXPECT_EQ(multiplier, 2);
    EXPECT_NEAR(start, 0.25, 1e-9);
    EXPECT_NEAR(end, 0.375, 1e-9);
}

}  // namespace
