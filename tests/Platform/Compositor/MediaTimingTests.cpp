// The timing model on its own: parent time in, phase and simple time out. Every
// expected value was worked out by hand from the rules drawn in MediaTiming.h.

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Compositor/MediaTiming.h"

namespace {

using platform::compositor::FillMode;
using platform::compositor::MediaTiming;
using Phase = MediaTiming::Phase;

MediaTiming timing(double begin, double duration, double speed = 1, double offset = 0, float repeat = 0,
                   bool autoreverses = false, FillMode fill = FillMode::removed) {
    MediaTiming t;
    t.beginTime = begin;
    t.duration = duration;
    t.speed = speed;
    t.timeOffset = offset;
    t.repeatCount = repeat;
    t.autoreverses = autoreverses;
    t.fillMode = fill;
    return t;
}

struct Case {
    std::string name;
    MediaTiming timing;
    double parentTime;
    Phase phase;
    std::optional<double> simpleTime;
};

TEST(MediaTiming, EvaluatesTheTimelineTable) {
    const float forever = MediaTiming::foreverRepeatCount;
    const std::vector<Case> cases = {
        {"20 s into 40 s", timing(0, 40), 20, Phase::active, 20},
        {"speed 2 runs twice as fast", timing(0, 10, 2), 3, Phase::active, 6},
        {"speed -1 starts at the end", timing(0, 40, -1), 0, Phase::active, 40},
        {"speed -1 runs back", timing(0, 40, -1), 10, Phase::active, 30},
        {"speed -1 at its end still shows it", timing(0, 40, -1), 40, Phase::after, 0},
        {"speed -1 after its end without fill", timing(0, 40, -1), 41, Phase::after, std::nullopt},
        {"fractional repeat midway", timing(0, 10, 1, 0, 2.5f), 25, Phase::after, 5},
        {"fractional repeat in its third pass", timing(0, 10, 1, 0, 2.5f), 22, Phase::active, 2},
        {"fractional repeat held forwards", timing(0, 10, 1, 0, 2.5f, false, FillMode::forwards), 30, Phase::after, 5},
        {"fractional repeat gone without fill", timing(0, 10, 1, 0, 2.5f), 30, Phase::after, std::nullopt},
        {"autoreverse going", timing(0, 10, 1, 0, 0, true), 4, Phase::active, 4},
        {"autoreverse coming back", timing(0, 10, 1, 0, 0, true), 14, Phase::active, 6},
        {"autoreverse ends where it began", timing(0, 10, 1, 0, 0, true, FillMode::forwards), 25, Phase::after, 0},
        {"autoreverse twice, second pass back", timing(0, 10, 1, 0, 2, true), 36, Phase::active, 4},
        {"whole repeats end at the end", timing(0, 10, 1, 0, 2, false, FillMode::both), 50, Phase::after, 10},
        {"removed before", timing(10, 5), 9, Phase::before, std::nullopt},
        {"removed after", timing(10, 5), 16, Phase::after, std::nullopt},
        {"backwards before", timing(10, 5, 1, 0, 0, false, FillMode::backwards), 9, Phase::before, 0},
        {"backwards after", timing(10, 5, 1, 0, 0, false, FillMode::backwards), 16, Phase::after, std::nullopt},
        {"forwards before", timing(10, 5, 1, 0, 0, false, FillMode::forwards), 9, Phase::before, std::nullopt},
        {"forwards after", timing(10, 5, 1, 0, 0, false, FillMode::forwards), 16, Phase::after, 5},
        {"both before", timing(10, 5, 1, 0, 0, false, FillMode::both), 9, Phase::before, 0},
        {"both after", timing(10, 5, 1, 0, 0, false, FillMode::both), 16, Phase::after, 5},
        {"both before, backwards speed", timing(10, 5, -1, 0, 0, false, FillMode::both), 9, Phase::before, 5},
        {"both after, backwards speed", timing(10, 5, -1, 0, 0, false, FillMode::both), 16, Phase::after, 0},
        {"offset starts midway", timing(0, 10, 1, 5), 0, Phase::active, 5},
        {"offset runs on", timing(0, 10, 1, 5), 4, Phase::active, 9},
        {"offset wraps to the start", timing(0, 10, 1, 5), 6, Phase::active, 1},
        {"offset ends where it started", timing(0, 10, 1, 5, 0, false, FillMode::forwards), 12, Phase::after, 5},
        {"forever", timing(0, 2, 1, 0, forever), 1001, Phase::active, 1},
        {"infinite count is forever", timing(0, 2, 1, 0, std::numeric_limits<float>::infinity()), 1001,
         Phase::active, 1},
        {"forever backwards runs back from its begin", timing(0, 10, -1, 0, forever), 3, Phase::active, 7},
        {"forever backwards starts at the end, as once does", timing(0, 10, -1, 0, forever), 0, Phase::active, 10},
        {"forever backwards held before its begin at the end",
         timing(5, 10, -1, 0, forever, false, FillMode::backwards), 4, Phase::before, 10},
        {"forever backwards reaches its start", timing(0, 10, -1, 0, forever), 10, Phase::active, 0},
        {"backwards with an offset arrives at its start", timing(0, 2, -1, 4.0 / 3), 4.0 / 3, Phase::active, 0},
        {"backwards with a whole offset starts at the end", timing(0, 2, -1, 2), 0, Phase::active, 2},
        {"backwards with a whole offset ends at the start", timing(0, 2, -1, 2), 2, Phase::after, 0},
        {"held long before its begin, an offset stays exact",
         timing(1e15, 1, 1, 0.5, 0, false, FillMode::backwards), 0, Phase::before, 0.5},
        {"forwards with a whole offset starts at the start", timing(0, 2, 1, 2, 0, false, FillMode::backwards), -1,
         Phase::before, 0},
        // 32/fr + 5/fr comes out an ulp above 37/fr, which must still be the end.
        {"forwards arriving an ulp past the end", timing(0, 37 / 23.976, 1, 5 / 23.976), 32 / 23.976,
         Phase::active, 37 / 23.976},
        {"speed 0 freezes at its offset", timing(0, 10, 0, 3), 100, Phase::active, 3},
        {"duration 0 means a quarter second", timing(0, 0), 0.1, Phase::active, 0.1},
        {"a quarter second has passed", timing(0, 0), 0.3, Phase::after, std::nullopt},
        {"an active duration that underflows to 0 still ends", timing(0, 1e-300, 1, 0, 1e-45f), 0, Phase::after, 0},
        {"negative count plays once", timing(0, 4, 1, 0, -3), 5, Phase::after, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MediaTiming::State state = c.timing.evaluate(c.parentTime);
        EXPECT_EQ(state.phase, c.phase);
        ASSERT_EQ(state.simpleTime.has_value(), c.simpleTime.has_value());
        if (c.simpleTime) {
            EXPECT_NEAR(*state.simpleTime, *c.simpleTime, 1e-9);
        }
    }
}

TEST(MediaTiming, TimingThatIsNotANumberHasNoEffect) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (MediaTiming t : {timing(nan, 1), timing(0, 1, nan), timing(0, 1, 1, nan), timing(0, nan)}) {
        EXPECT_FALSE(t.evaluate(0.5).simpleTime.has_value());
    }
    EXPECT_FALSE(timing(0, 1).evaluate(nan).simpleTime.has_value());
}

TEST(MediaTiming, TimingsEvaluatedInTurnEachGetTheirOwnAnswer) {
    // Each differs from the first in one value, which changes the answer at
    // one of the times; evaluated in turn, as a layer's group and the
    // animations in it are, each must give what it gives alone.
    const std::vector<MediaTiming> timings{
        timing(0, 1),
        timing(0.5, 1),
        timing(0, 2),
        timing(0, 1, 2),
        timing(0, 1, 1, 0.25),
        timing(0, 1, 1, 0, 3),
        timing(0, 1, 1, 0, 3, true),
        timing(0, 1, 1, 0, 0, false, FillMode::forwards),
        timing(-0.0, 1, -1),
        timing(0.0, 1, -1),
    };
    // What a timing gives at a time with nothing evaluated just before it.
    const auto alone = [](const MediaTiming& t, double time) {
        timing(0, 7).evaluate(123);
        timing(0, 9).evaluate(321);
        timing(0, 11).evaluate(213);
        return t.evaluate(time);
    };
    const auto same = [](const MediaTiming::State& a, const MediaTiming::State& b) {
        return a.phase == b.phase && a.simpleTime.has_value() == b.simpleTime.has_value() &&
               (!a.simpleTime || std::memcmp(&*a.simpleTime, &*b.simpleTime, sizeof(double)) == 0);
    };
    int differing = 0;
    for (const double time : {0.75, 1.5, 2.5, 0.0, -0.0}) {
        for (std::size_t a = 0; a < timings.size(); ++a) {
            for (std::size_t b = 0; b < timings.size(); ++b) {
                const MediaTiming::State expectedA = alone(timings[a], time), expectedB = alone(timings[b], time);
                if (!same(expectedA, expectedB)) ++differing;
                for (int round = 0; round < 3; ++round) {
                    ASSERT_TRUE(same(timings[a].evaluate(time), expectedA)) << a << " then " << b << " at " << time;
                    ASSERT_TRUE(same(timings[b].evaluate(time), expectedB)) << b << " after " << a << " at " << time;
                }
            }
        }
    }
    // And one timing at one time after another, as a layer's animations are
    // at their group's simple time.
    for (const MediaTiming& t : timings) {
        const MediaTiming::State early = alone(t, 0.75), late = alone(t, 1.5);
        if (!same(early, late)) ++differing;
        for (int round = 0; round < 3; ++round) {
            ASSERT_TRUE(same(t.evaluate(0.75), early));
            ASSERT_TRUE(same(t.evaluate(1.5), late));
        }
    }
    EXPECT_GT(differing, 100) << "the timings must tell their answers apart";
}

TEST(MediaTiming, AFrozenTimeHasNoInverse) {
    // A frozen layer's local time is its offset; its begin time stands in for the
    // parent time of any local time.
    EXPECT_DOUBLE_EQ(MediaTiming::localTime(30, 10, 0, 7), 7);
    EXPECT_DOUBLE_EQ(MediaTiming::parentTime(7, 10, 0, 7), 10);
}

}  // namespace
