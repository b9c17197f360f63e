#pragma once
// The media timing of one animation or group: how the time of its parent (the
// layer's local time, or the enclosing group's simple time) becomes a simple time
// within [0, duration] that the animation's curve is read at. Owned by value by each
// Animation; layers use only the first step (localTime).
//
//   parent time  ---+---------------------------------------------------------->
//                   | beginTime
//                   v
//   elapsed e = (parent - beginTime) x speed
//                   |<--------------- active duration AD --------------->|
//   fill: backwards |  pass 1 (duration)  |  pass 2  |  ...  |  part of n | forwards
//   <~~~~~~~~~~~~~~~|                     |          |       |            |~~~~~~~~~>
//                   p = 0                                               p = AD
//   speed > 0: p = e; speed < 0: p = AD + e (playback starts at the end and runs
//   back to 0); speed 0: p = 0 for ever.
//
//   A = p + timeOffset, wrapped into [0, AD]: an offset shifts where playback
//   starts within the active duration and wraps around, so a single pass with an
//   offset of half its duration plays its second half, then its first.
//
//   a multiple of AD is the end of one lap and the start of the next:
//        ... ----------->| AD         forwards, once moving: AD (the last value)
//                      0 |<---------- backwards, once moving: 0 (the first value)
//   Playback that has not moved yet (p at its starting end) stands at the end it
//   sets out from: 0 forwards, AD backwards. With speed 0, 0 stays 0 and every
//   other multiple shows AD. A time within a few ulps of a multiple counts as on
//   it, as does a p a few ulps past the end of the active interval: sums of frame
//   times such as (end - k) / fps + (k - start) / fps land on either side.
//
//   one pass P = duration (x 2 with autoreverses):
//        0 ........ duration ........ 2 x duration
//        forward --->|<--- back (autoreverses only)
//   simple time s = A folded into the pass; at the very end of AD a fractional
//   repeat count leaves s partway through its last pass.
//
// The begin time is reached once the parent time lies within single-precision
// rounding of it, as a key time is: times summed from frame times and clock
// readings land to either side of the begin time meant for a frame.
//
// AD = P x repeatCount; a repeat count of 0 counts as 1, and the largest finite
// float (or infinity) repeats for ever. Backwards for ever has no end to start
// from: p = e runs back from 0, setting out from the end of a pass as a finite
// reversed playback sets out from the end of AD. A duration of 0 means 0.25 s.
// The active interval is closed: at exactly its end the last value still shows,
// even without a fill, and that is also the first moment at which the animation
// is finished.

#include <cfloat>
#include <optional>

#include "Platform/Compositor/FillMode.h"

namespace platform::compositor {

struct MediaTiming {
    enum class Phase { before, active, after };

    struct State {
        Phase phase = Phase::before;
        // Where the curve is read, in [0, simpleDuration()]; none when the
        // animation has no effect at that moment (outside its active duration
        // without a fill, or timing values that are not numbers).
        std::optional<double> simpleTime;
    };

    static constexpr double defaultDuration = 0.25;
    static constexpr float foreverRepeatCount = FLT_MAX;

    double beginTime = 0;
    double duration = 0;
    double speed = 1;
    double timeOffset = 0;
    float repeatCount = 0;
    bool autoreverses = false;
    FillMode fillMode = FillMode::removed;

    // (parent - beginTime) x speed + timeOffset: the step layers apply to their
    // parent's time, with no active duration.
    static double localTime(double parentTime, double beginTime, double speed, double timeOffset);
    // The inverse of localTime; a speed of 0 has none and gives beginTime.
    static double parentTime(double localTime, double beginTime, double speed, double timeOffset);

    // duration, or 0.25 s when it is 0 (or not a positive number).
    double simpleDuration() const;
    // One pass: the simple duration, twice that with autoreverses.
    double passDuration() const;
    // Infinite when the animation repeats for ever.
    double activeDuration() const;
    bool repeatsForever() const;

    State evaluate(double parentTime) const;
    // Whether evaluate() gives a simple time for every parent time from 0 to
    // `parentDuration`, or, with none, for every finite parent time.
    bool appliesThroughout(std::optional<double> parentDuration) const;

    bool operator==(const MediaTiming&) const = default;

private:
    // evaluate without the answer kept from the last call on the thread.
    State evaluateAfresh(double parentTime) const;
};

}  // namespace platform::compositor
