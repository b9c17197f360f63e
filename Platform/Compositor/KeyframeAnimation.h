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

#include <optional>
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

    const std::vector<AnimatableValue>& values() const { return values_; }
    void setValues(std::vector<AnimatableValue> values) { values_ = std::move(values); }
    // Empty means evenly spaced.
    const std::vector<double>& keyTimes() const { return keyTimes_; }
    void setKeyTimes(std::vector<double> keyTimes) { keyTimes_ = std::move(keyTimes); }
    const std::vector<TimingFunction>& timingFunctions() const { return timingFunctions_; }
    void setTimingFunctions(std::vector<TimingFunction> functions) { timingFunctions_ = std::move(functions); }
    CalculationMode calculationMode() const { return calculationMode_; }
    void setCalculationMode(CalculationMode mode) { calculationMode_ = mode; }

    const std::optional<graphics::Path>& path() const { return path_; }
    void setPath(std::optional<graphics::Path> path);

protected:
    std::optional<AnimatableValue> valueAt(double fraction,
                                           const std::optional<AnimatableValue>& current) const override;

private:
    std::vector<double> resolvedKeyTimes(std::size_t keyframeCount) const;
    std::optional<AnimatableValue> valueAlongPath(double fraction) const;
    double segmentFraction(std::size_t segment, double fraction) const;

    std::vector<AnimatableValue> values_;
    std::vector<double> keyTimes_;
    std::vector<TimingFunction> timingFunctions_;
    CalculationMode calculationMode_ = CalculationMode::linear;
    std::optional<graphics::Path> path_;
    MotionPath motionPath_;
};

}  // namespace platform::compositor
