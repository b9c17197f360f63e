// Combining keyframe groups: index by index when the animating groups share
// their timing, by sampling otherwise, the final value reached, keyframes at
// one time, and errors of the combining function.

#include <gtest/gtest.h>

#include <stdexcept>

#include "Lottie/CoreAnimation/KeyframesCombined.h"
#include "Lottie/Values/LottieVector1D.h"
#include "Lottie/Values/LottieVector3D.h"

using namespace lottie;

namespace {

using Number = Keyframe<LottieVector1D>;

Number number(double time, double value, bool hold = false, std::optional<LottieVector2D> in = std::nullopt,
              std::optional<LottieVector2D> out = std::nullopt,
              std::optional<LottieVector3D> spatialOut = std::nullopt) {
    return Number(LottieVector1D(value), time, hold, in, out, std::nullopt, spatialOut);
}

KeyframeGroup<LottieVector1D> group(std::vector<Number> keyframes) {
    return KeyframeGroup<LottieVector1D>(std::move(keyframes));
}

double sum(const LottieVector1D& a, const LottieVector1D& b) { return a.value + b.value; }

TEST(KeyframesCombined, PicksIndexWiseOrSamplingByTiming) {
    const LottieVector2D easeIn(0.3, 1), easeOut(0.7, 0);
    struct Case {
        const char* name;
        KeyframeGroup<LottieVector1D> a;
        KeyframeGroup<LottieVector1D> b;
        bool manual;
        std::vector<double> times;
        std::vector<double> values;
        bool holds;
    };
    const std::vector<Case> cases = {
        {"same timing", group({number(0, 1, false, easeIn, easeOut), number(30, 2, false, easeIn, easeOut)}),
         group({number(0, 10, false, easeIn, easeOut), number(30, 20, false, easeIn, easeOut)}), false, {0, 30},
         {11, 22}, false},
        {"static beside animated", group({number(0, 5)}), group({number(10, 1), number(20, 2)}), false, {10, 20},
         {6, 7}, false},
        {"only static", group({number(3, 1, true)}), group({number(0, 2)}), false, {3}, {3}, true},
        {"different easing samples", group({number(0, 0, false, easeIn, easeOut), number(1, 10)}),
         group({number(0, 0), number(1, 10)}), false, {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1}, {}, true},
        {"forced sampling reaches the end", group({number(0, 0), number(0.3, 3)}), group({number(0, 1)}), true,
         {0, 0.1, 0.2, 0.3}, {1, 2, 3, 4}, true},
        {"all at one time give one keyframe", group({number(4, 1)}), group({number(4, 2)}), true, {4}, {3}, true},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        const auto combined = KeyframesCombined::combined({}, item.manual, sum, item.a, item.b);
        std::vector<double> times, values;
        for (const auto& keyframe : combined.keyframes()) {
            times.push_back(keyframe.time());
            values.push_back(keyframe.value());
            EXPECT_EQ(keyframe.isHold(), item.holds);
        }
        ASSERT_EQ(times.size(), item.times.size());
        for (std::size_t i = 0; i < times.size(); ++i) EXPECT_NEAR(times[i], item.times[i], 1e-12);
        if (!item.values.empty()) {
            for (std::size_t i = 0; i < values.size(); ++i) EXPECT_NEAR(values[i], item.values[i], 1e-9) << i;
        }
        EXPECT_FALSE(combined.unsupportedAfterEffectsExpression());
    }
}

TEST(KeyframesCombined, IndexWiseKeepsTheFirstAnimatingGroupsTangents) {
    const LottieVector2D in(0.2, 0.9), out(0.8, 0.1);
    const auto a = group({number(0, 0, false, in, out, LottieVector3D(5, 0, 0)), number(10, 1, false, in, out)});
    const auto b = group({number(0, 0, false, in, out, LottieVector3D(9, 9, 0)), number(10, 1, false, in, out)});
    int calls = 0;
    const auto combined = KeyframesCombined::combined(
        {}, false, [&calls](const LottieVector1D& x, const LottieVector1D& y) { return ++calls, x.value + y.value; }, a, b);
    ASSERT_EQ(combined.keyframes().size(), 2u);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(combined.keyframes()[0].spatialOutTangent(), LottieVector3D(5, 0, 0));
    EXPECT_EQ(combined.keyframes()[0].outTangent(), out);
    EXPECT_EQ(combined.keyframes()[1].inTangent(), in);
}

TEST(KeyframesCombined, SamplesTheWholeSpanOfEveryGroupAtATenthOfAFrame) {
    const auto combined = KeyframesCombined::combined({}, false, sum, group({number(0, 0), number(10, 10)}),
                                                      group({number(5, 0), number(20, 15)}));
    ASSERT_EQ(combined.keyframes().size(), 201u);
    EXPECT_EQ(combined.keyframes().front().time(), 0);
    EXPECT_NEAR(combined.keyframes()[199].time(), 19.9, 1e-9);
    // The last sample is the final values of both groups.
    EXPECT_EQ(combined.keyframes().back().time(), 20);
    EXPECT_DOUBLE_EQ(combined.keyframes().back().value(), 25);
}

TEST(KeyframesCombined, EdgeCasesGiveEmptyGroupsOrPassErrorsOn) {
    EXPECT_TRUE(KeyframesCombined::combined({}, false, sum, group({}), group({number(0, 1), number(1, 2)}))
                    .keyframes()
                    .empty());
    int calls = 0;
    EXPECT_THROW(KeyframesCombined::combined(
                     {}, false,
                     [&calls](const LottieVector1D& x, const LottieVector1D&) {
                         if (++calls == 3) throw std::runtime_error("third");
                         return x.value;
                     },
                     group({number(0, 0), number(1, 1), number(2, 2)}), group({number(0, 0)})),
                 std::runtime_error);
    const auto expressive = KeyframeGroup<LottieVector1D>({number(0, 1), number(1, 2)}, std::string("time"));
    EXPECT_FALSE(KeyframesCombined::combined({}, false, sum, expressive, expressive).unsupportedAfterEffectsExpression());

    // The array form lists the values of every group in order.
    const auto a = group({number(0, 1), number(10, 2)});
    const auto b = group({number(7, 5)});
    const auto listed = KeyframesCombined::combined<LottieVector1D>({}, {&a, &b}, false);
    ASSERT_EQ(listed.keyframes().size(), 2u);
    EXPECT_EQ(listed.keyframes()[1].value(), (std::vector<LottieVector1D>{LottieVector1D(2), LottieVector1D(5)}));
}

}  // namespace

namespace {

// Samples blend from one to the next except where a group holds its value.
TEST(KeyframesCombined, BlendsSamplesExceptWhereAGroupHolds) {
    struct Case {
        const char* name;
        KeyframeGroup<LottieVector1D> a;
        KeyframeGroup<LottieVector1D> b;
        std::vector<bool> holds;
    };
    const std::vector<Case> cases = {
        {"both moving", group({number(0, 0), number(0.3, 3)}), group({number(0, 1), number(0.2, 2)}),
         {false, false, false, false}},
        {"one static", group({number(0, 0), number(0.3, 3)}), group({number(0, 1, true)}), {false, false, false, false}},
        {"one holding to the end", group({number(0, 0), number(0.3, 3)}), group({number(0, 1, true), number(0.3, 2)}),
         {true, true, true, false}},
        {"one holding from the middle", group({number(0, 0), number(0.3, 3)}),
         group({number(0, 1), number(0.2, 2, true), number(0.3, 5)}), {false, false, true, false}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        const auto samples = KeyframesCombined::combined({}, true, sum, item.a, item.b);
        const auto blended = KeyframesCombined::blendedSamples(samples, item.a, item.b);
        std::vector<bool> holds;
        ASSERT_EQ(blended.keyframes().size(), samples.keyframes().size());
        for (std::size_t index = 0; index < samples.keyframes().size(); ++index) {
            EXPECT_EQ(blended.keyframes()[index].value(), samples.keyframes()[index].value());
            EXPECT_EQ(blended.keyframes()[index].time(), samples.keyframes()[index].time());
            holds.push_back(blended.keyframes()[index].isHold());
        }
        EXPECT_EQ(holds, item.holds);
    }
}

}  // namespace
