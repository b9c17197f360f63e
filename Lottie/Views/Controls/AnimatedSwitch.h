#pragma once
// An on/off switch whose look is an animation: turning on plays the "on"
// progress range, turning off the "off" range, and the switch then rests at
// the end of the range of its state. A click (a release inside) toggles it and
// plays; setIsOn() changes it from code, played or not. Every change of state
// is reported once through stateUpdated (showing the same state again, for a
// new range or animation, is not a change), and assistive tools read the state
// as the switch's value, "On" or "Off" (a checkable control, see
// AnimatedControlAccessibility).
//
// Turning back part-way (cancel behaviour `reverse`): while the other
// state's range is playing and the frame shown lies in it (from its start up
// to, not at, its end), the switch plays back from the frame shown to that
// range's start (the picture it showed in the state it returns to) and rests
// there, rather than playing from a frame that is not on screen and then
// leaping to the new range's end. Otherwise the new range plays from its
// start, and a play that runs to its end leaves the switch at that range's
// end. With `none` the new range always plays.
//
// Owned by its Qt parent or its creator; main thread only.

#include <QString>
#include <functional>
#include <memory>
#include <utility>

#include "Lottie/Views/Controls/AnimatedControl.h"
#include "Lottie/Views/Controls/ImpactGenerator.h"

namespace lottie {

class AnimatedSwitch : public AnimatedControl {
    Q_OBJECT

public:
    enum class CancelBehavior { reverse, none };
    // A progress range, from its first value to its second.
    using ProgressRange = std::pair<double, double>;

    // Both start off, at the end of the off range, without playing.
    explicit AnimatedSwitch(QWidget* parent = nullptr);
    AnimatedSwitch(std::shared_ptr<const LottieAnimation> animation,
                   LottieConfiguration configuration = LottieConfiguration::shared(), QWidget* parent = nullptr);

    bool isOn() const { return isOn_; }
    // Changes the state without playing; the same state again does nothing.
    void setIsOn(bool on) { setIsOn(on, false); }
    void setIsOn(bool on, bool animated);
    // Moves to the state and plays (or shows) its range, whether or not it is
    // the state the switch is in; reports it when it is a change.
    void switchTo(bool on, bool animated);

    // Sets the range of one state, then shows the current state's range end.
    void assignProgressRange(double fromProgress, double toProgress, bool forOnState);
    ProgressRange onRange() const { return {onStartProgress_, onEndProgress_}; }
    ProgressRange offRange() const { return {offStartProgress_, offEndProgress_}; }

    CancelBehavior cancelBehavior() const { return cancelBehavior_; }
    void setCancelBehavior(CancelBehavior behavior) { cancelBehavior_ = behavior; }
    // Whether a new animation plays into the current state's range end.
    bool animateUpdateWhenChangingAnimation() const { return animateUpdateWhenChangingAnimation_; }
    void setAnimateUpdateWhenChangingAnimation(bool animate) { animateUpdateWhenChangingAnimation_ = animate; }
    // Called with the new state on every change of state.
    const std::function<void(bool)>& stateUpdated() const { return stateUpdated_; }
    void setStateUpdated(std::function<void(bool)> callback) { stateUpdated_ = std::move(callback); }
    // Kept for an application's own use; the switch never calls it.
    const std::shared_ptr<ImpactGenerator>& hapticGenerator() const { return hapticGenerator_; }
    void setHapticGenerator(std::shared_ptr<ImpactGenerator> generator) { hapticGenerator_ = std::move(generator); }

    // What assistive tools read as the switch's value: "On" or "Off", translated.
    const QString& accessibilityValue() const { return accessibilityValue_; }

protected:
    void handleTrackedEvent(const LottieNSControlEvent& event) override;
    void animationDidSet() override;

private:
    void setAccessibilityValue(const QString& value);

    CancelBehavior cancelBehavior_ = CancelBehavior::reverse;
    bool animateUpdateWhenChangingAnimation_ = true;
    std::function<void(bool)> stateUpdated_;
    double onStartProgress_ = 0;
    double onEndProgress_ = 1;
    double offStartProgress_ = 1;
    double offEndProgress_ = 0;
    std::shared_ptr<ImpactGenerator> hapticGenerator_;
    bool isOn_ = false;
    QString accessibilityValue_;
};

}  // namespace lottie
