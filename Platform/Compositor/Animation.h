#pragma once
// The base of every animation attached to a layer: its media timing (see
// MediaTiming.h), its timing function, its delegate and whether it is removed once
// it has finished. Stands in for the platform's abstract animation class.
//
// Animations are held by std::shared_ptr. Layer::add attaches a copy (clone()), so
// changing an animation after adding it changes nothing on screen, as on the
// platform; the delegate object itself is shared by the copies.

#include <functional>
#include <memory>
#include <optional>
#include <string_view>

#include "Platform/Compositor/AnimationDelegate.h"
#include "Platform/Compositor/AnimationTarget.h"
#include "Platform/Compositor/FillMode.h"
#include "Platform/Compositor/MediaTiming.h"
#include "Platform/Compositor/TimingFunction.h"

namespace platform::compositor {

class Animation {
public:
    virtual ~Animation() = default;
    Animation& operator=(const Animation&) = delete;

    virtual std::shared_ptr<Animation> clone() const = 0;

    double beginTime() const { return timing_.beginTime; }
    void setBeginTime(double time) { timing_.beginTime = time; }
    // 0 means 0.25 s.
    double duration() const { return timing_.duration; }
    void setDuration(double duration) { timing_.duration = duration; }
    double speed() const { return timing_.speed; }
    void setSpeed(double speed) { timing_.speed = speed; }
    double timeOffset() const { return timing_.timeOffset; }
    void setTimeOffset(double offset) { timing_.timeOffset = offset; }
    // Fractions stop partway; MediaTiming::foreverRepeatCount repeats for ever.
    float repeatCount() const { return timing_.repeatCount; }
    void setRepeatCount(float count) { timing_.repeatCount = count; }
    bool autoreverses() const { return timing_.autoreverses; }
    void setAutoreverses(bool autoreverses) { timing_.autoreverses = autoreverses; }
    FillMode fillMode() const { return timing_.fillMode; }
    void setFillMode(FillMode mode) { timing_.fillMode = mode; }
    const MediaTiming& timing() const { return timing_; }

    // None means linear.
    const std::optional<TimingFunction>& timingFunction() const { return timingFunction_; }
    void setTimingFunction(std::optional<TimingFunction> function) { timingFunction_ = function; }

    const std::shared_ptr<AnimationDelegate>& delegate() const { return delegate_; }
    void setDelegate(std::shared_ptr<AnimationDelegate> delegate) { delegate_ = std::move(delegate); }

    bool isRemovedOnCompletion() const { return removedOnCompletion_; }
    void setRemovedOnCompletion(bool removed) { removedOnCompletion_ = removed; }

    // Writes what the animation presents at `parentTime` (the layer's local time, or
    // the enclosing group's time) into `target`; nothing outside its effect.
    void apply(double parentTime, AnimationTarget& target) const;

    // Whether the animation (or one inside it) drives the key path.
    virtual bool drivesKeyPath(std::string_view keyPath) const = 0;
    // Whether every key path the animation drives is one that `accepts` takes.
    virtual bool drivesOnly(const std::function<bool(std::string_view)>& accepts) const = 0;

    // Whether what the animation presents is the same at every time: it applies
    // at every time (it fills both ways) and holds one value throughout. A layer
    // whose animations all do keeps one presentation copy instead of making a
    // new one every frame.
    bool presentsOneValue() const { return timing_.appliesThroughout(std::nullopt) && holdsOneValue(); }
    // The same for the parent times from 0 to `parentDuration` (the simple
    // duration of the group it plays in).
    bool presentsOneValueWithin(double parentDuration) const {
        return timing_.appliesThroughout(parentDuration) && holdsOneValue();
    }

    // Whether `other` is an animation of the same kind, timed the same, that
    // presents the same at every time and tells the same delegate: either may
    // stand for the other. Lists and paths the two share count as the same
    // without being read.
    virtual bool sameAs(const Animation& other) const;
    // The same for animations that are the same (sameAs).
    virtual std::size_t contentHash() const;

protected:
    Animation() = default;
    Animation(const Animation&) = default;

    // `simpleTime` lies in [0, simpleDuration].
    virtual void applyAtSimpleTime(double simpleTime, double simpleDuration, AnimationTarget& target) const = 0;

    // The fraction of the simple duration passed through the timing function.
    double easedFraction(double simpleTime, double simpleDuration) const;

    // Whether the animation presents the same value at every simple time.
    virtual bool holdsOneValue() const { return false; }

private:
    MediaTiming timing_;
    std::optional<TimingFunction> timingFunction_;
    bool removedOnCompletion_ = true;
    std::shared_ptr<AnimationDelegate> delegate_;
};

}  // namespace platform::compositor
