// The times a trimmed path is cut at on the Core Animation engine: every
// whole frame from the first keyframe of the paths and trims to the last, and
// every key time between whole frames, where a path turns or a trim changes
// course; none past the sample cap.

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "Lottie/CoreAnimation/TrimmedPathAnimation.h"

using namespace lottie;

namespace {

using Timings = std::vector<KeyframesCombined::Timing>;

Timings at(std::vector<double> times) {
    Timings timings;
    for (double time : times) {
        KeyframesCombined::Timing timing;
        timing.time = time;
        timings.push_back(timing);
    }
    return timings;
}

TEST(TrimmedPathSampleTimes, EveryWholeFrameAndEveryKeyTime) {
    const double last = double(TrimmedPathAnimation::maximumSamples);
    struct Case {
        const char* name;
        std::vector<Timings> timings;
        std::vector<double> times;
    };
    const std::vector<Case> cases = {
        {"whole key times", {at({0, 3})}, {0, 1, 2, 3}},
        {"a path turning between frames",
         {at({0.4, 2.888, 4.3}), at({1})},
         {0.4, 1, 1.4, 2.4, 2.888, 3.4, 4.3}},
        {"a trim keyed every quarter frame", {at({1, 1.25, 1.5, 1.75, 2})}, {1, 1.25, 1.5, 1.75, 2}},
        {"a key time that is no number", {at({0, NAN, 2})}, {0, 1, 2}},
        {"one key time", {at({5.5})}, {5.5}},
        {"no key time", {Timings{}}, {}},
        {"more frames than the cap", {at({0, last})}, {}},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        EXPECT_EQ(TrimmedPathAnimation::sampleTimes(item.timings), item.times);
    }
    // Key times between whole frames count towards the cap.
    std::vector<double> crowded;
    for (double frame = 0; frame < last * 0.6; frame += 0.5) crowded.push_back(frame);
    EXPECT_TRUE(TrimmedPathAnimation::sampleTimes({at(crowded)}).empty());
}

}  // namespace
