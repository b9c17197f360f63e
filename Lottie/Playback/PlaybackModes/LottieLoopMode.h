#pragma once
// How a play request repeats: once, forever, forever back and forth, or a number
// of passes forward (or forward and back). Both rendering engines receive the same
// repeat count and auto-reverse flag from it. A plain value; compares and hashes
// by case and count (a count only belongs to the two repeat cases).

#include <cstddef>
#include <functional>
#include <limits>

namespace lottie {

class LottieLoopMode {
public:
    enum class Kind { playOnce, loop, autoReverse, repeat, repeatBackwards };

    // Forever, in the units the compositor's repeat count takes.
    static constexpr float kForever = std::numeric_limits<float>::max();

    constexpr LottieLoopMode() = default;
    static constexpr LottieLoopMode playOnce() { return LottieLoopMode(Kind::playOnce, 0); }
    static constexpr LottieLoopMode loop() { return LottieLoopMode(Kind::loop, 0); }
    static constexpr LottieLoopMode autoReverse() { return LottieLoopMode(Kind::autoReverse, 0); }
    // A number of passes; fractions allowed. Backwards: one pass is forward and back.
    static constexpr LottieLoopMode repeat(float count) { return LottieLoopMode(Kind::repeat, count); }
    static constexpr LottieLoopMode repeatBackwards(float count) {
        return LottieLoopMode(Kind::repeatBackwards, count);
    }

    constexpr Kind kind() const { return kind_; }
    // The count of the repeat cases; 0 for the others.
    constexpr float count() const { return count_; }

    // What a play request gives the compositor.
    constexpr float repeatCount() const {
        switch (kind_) {
            case Kind::playOnce: return 1;
            case Kind::loop:
            case Kind::autoReverse: return kForever;
            case Kind::repeat:
            case Kind::repeatBackwards: return count_;
        }
        return 1;
    }
    constexpr bool autoreverses() const { return kind_ == Kind::autoReverse || kind_ == Kind::repeatBackwards; }

    // Numeric equality of counts: 0 equals -0, NaN equals nothing.
    constexpr bool operator==(const LottieLoopMode&) const = default;
    std::size_t hash() const;

private:
    constexpr LottieLoopMode(Kind kind, float count) : kind_(kind), count_(count) {}

    Kind kind_ = Kind::playOnce;
    float count_ = 0;
};

}  // namespace lottie

template <>
struct std::hash<lottie::LottieLoopMode> {
    std::size_t operator()(const lottie::LottieLoopMode& mode) const { return mode.hash(); }
};
