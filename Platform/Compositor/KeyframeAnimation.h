#pragma once
// An animation of one property through a list of values, or along a path for a
// point property. Stands in for the platform's keyframe animation.
//
// Key times are fractions of the simple duration, one per value (discrete mode
// also takes one more, whose time ends the last value). They may lie outside
// [0, 1] or be out of order: each segment between neighbouring key times is read
// on its own, the last segment whose span holds the fraction wins, and a fraction
// before the first key time or after the last holds the first or last value. A
// list whose count fits no rule is ignored and the values are spaced evenly.
//
// Callers store key times in single precision, and one meant for a frame may have
// rounded to just above that frame's fraction. So a key time counts as reached
// when the fraction lies within single-precision rounding of it (|f - key| <=
// |key| x FLT_EPSILON): a value keyed exactly at a frame shows at that frame, in
// discrete mode and at a jump between equal key times alike.
//
// A path replaces the values: its vertices (element end points) are the keyframes,
// key times mark when each vertex is reached (one per vertex, no padding to 0 and
// 1; vertices past the last key time are never reached), and between two vertices
// the point moves at even speed along the arc. Timing function i shapes segment i;
// segments without one are linear. Paced mode ignores key times and timing
// functions and spaces the keyframes by distance.
//
// The lists (values, key times, timing functions) and the path are immutable
// once set and shared, not copied, by copies of the animation: a layer's copy of
// an added animation costs no second set of values. A caller that builds the same
// lists for many animations (views of one document) may hand them in already
// shared through the setShared... setters.

#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "Platform/Compositor/CalculationMode.h"
#include "Platform/Compositor/MotionPath.h"
#include "Platform/Compositor/PropertyAnimation.h"
#include "Platform/Graphics/Path.h"

namespace platform::compositor {

class KeyframeAnimation : public PropertyAnimation {
public:
    explicit KeyframeAnimation(std::string keyPath = {}) : PropertyAnimation(std::move(keyPath)) {}
    KeyframeAnimation(const KeyframeAnimation&) = default;

    static std::shared_ptr<KeyframeAnimation> make(std::string keyPath) {
        return std::make_shared<KeyframeAnimation>(std::move(keyPath));
    }

    std::shared_ptr<Animation> clone() const override { return std::make_shared<KeyframeAnimation>(*this); }

    template <class T>
    using SharedList = std::shared_ptr<const std::vector<T>>;

    const std::vector<AnimatableValue>& values() const { return listOrEmpty(values_); }
    void setValues(std::vector<AnimatableValue> values) { values_ = shared(std::move(values)); }
    void setSharedValues(SharedList<AnimatableValue> values) { values_ = std::move(values); }
    // Empty means evenly spaced.
    const std::vector<double>& keyTimes() const { return listOrEmpty(keyTimes_); }
    void setKeyTimes(std::vector<double> keyTimes) { setSharedKeyTimes(shared(std::move(keyTimes))); }
    void setSharedKeyTimes(SharedList<double> keyTimes);
    const std::vector<TimingFunction>& timingFunctions() const { return listOrEmpty(timingFunctions_); }
    void setTimingFunctions(std::vector<TimingFunction> functions) { timingFunctions_ = shared(std::move(functions)); }
    void setSharedTimingFunctions(SharedList<TimingFunction> functions) { timingFunctions_ = std::move(functions); }
    CalculationMode calculationMode() const { return calculationMode_; }
    void setCalculationMode(CalculationMode mode) { calculationMode_ = mode; }

    // Where key times are searched for a fraction rather than walked: from
    // `from` to before `end`.
    struct SearchedRun {
        std::size_t from = 0;
        std::size_t end = 0;
    };

    // A path and the table it is measured by, made together. Immutable, so that
    // animations moving along equal paths may hold one.
    struct PreparedPath {
        explicit PreparedPath(graphics::Path motionPath);
        std::optional<graphics::Path> path;
        MotionPath table;

        bool operator==(const PreparedPath& other) const { return path == other.path; }
        std::size_t hash() const;
    };

    const std::optional<graphics::Path>& path() const;
    void setPath(std::optional<graphics::Path> path);
    // Null for none.
    void setPreparedPath(std::shared_ptr<const PreparedPath> path) { motion_ = std::move(path); }

    bool sameAs(const Animation& other) const override;
    std::size_t contentHash() const override;

protected:
    std::optional<AnimatableValue> valueAt(double fraction,
                                           const std::optional<AnimatableValue>& current) const override;
    bool readsPresentedValue() const override { return false; }
    // Values all equal and no path: that value at every fraction, whatever
    // the key times, replacing what the layer presents.
    bool holdsOneValue() const override;

private:
    // The key times of `keyframeCount` keyframes: the list given when it
    // serves, else times worked out into `scratch`.
    std::span<const double> resolvedKeyTimes(std::size_t keyframeCount, std::vector<double>& scratch) const;
    std::optional<AnimatableValue> valueAlongPath(double fraction) const;
    double segmentFraction(std::size_t segment, double fraction) const;
    // The run of `keys` (the given key times or times worked out), from its
    // first to past its last, along which they are searched rather than
    // walked; both SIZE_MAX for none.
    SearchedRun searchedRun(std::span<const double> keys) const;

    template <class T>
    static SharedList<T> shared(std::vector<T> list) {
        return list.empty() ? nullptr : std::make_shared<const std::vector<T>>(std::move(list));
    }
    template <class T>
    static const std::vector<T>& listOrEmpty(const SharedList<T>& list) {
        static const std::vector<T> empty;
        return list ? *list : empty;
    }

    // First, where it takes no room of its own after the base's last flag.
    CalculationMode calculationMode_ = CalculationMode::linear;
    // searchedRun for the given key times, worked out as they are set.
    SearchedRun keyTimesRun_;
    SharedList<AnimatableValue> values_;
    SharedList<double> keyTimes_;
    SharedList<TimingFunction> timingFunctions_;
    // Null without a path.
    std::shared_ptr<const PreparedPath> motion_;
};

}  // namespace platform::compositor
