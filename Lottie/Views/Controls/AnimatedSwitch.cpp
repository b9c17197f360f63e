#include "Lottie/Views/Controls/AnimatedSwitch.h"

#include <QAccessible>
#include <QPointer>
#include <algorithm>

#include "Lottie/Playback/Engine/CoreAnimationRootLayer.h"
#include "Lottie/Views/Controls/AnimatedControlAccessibility.h"
#include "Lottie/Views/Controls/NullHapticGenerator.h"

namespace lottie {

AnimatedSwitch::AnimatedSwitch(QWidget* parent)
    : AnimatedControl(parent), hapticGenerator_(std::make_shared<NullHapticGenerator>()) {
    AnimatedControlAccessibility::install();
    switchTo(isOn_, false);
}

AnimatedSwitch::AnimatedSwitch(std::shared_ptr<const LottieAnimation> animation, LottieConfiguration configuration,
                               QWidget* parent)
    : AnimatedControl(std::move(animation), std::move(configuration), parent),
      hapticGenerator_(std::make_shared<NullHapticGenerator>()) {
    AnimatedControlAccessibility::install();
    switchTo(isOn_, false);
}

void AnimatedSwitch::setIsOn(bool on, bool animated) {
    if (on != isOn_) switchTo(on, animated);
}

void AnimatedSwitch::assignProgressRange(double fromProgress, double toProgress, bool forOnState) {
    if (forOnState) {
        onStartProgress_ = fromProgress;
        onEndProgress_ = toProgress;
    } else {
        offStartProgress_ = fromProgress;
        offEndProgress_ = toProgress;
    }
    switchTo(isOn_, false);
}

void AnimatedSwitch::switchTo(bool on, bool animated) {
    // Only a change is reported: a new range or animation shows the same state
    // again, and a report of it would write an old state over a newer one
    // where the report feeds a binding.
    const bool changed = on != isOn_;
    isOn_ = on;
    if (changed && stateUpdated_) stateUpdated_(on);

    const ProgressRange target = on ? onRange() : offRange();
    const ProgressRange other = on ? offRange() : onRange();
    // While the other range is playing and the frame shown lies in it, from
    // its start up to (not at) its end, that play turns back from the frame
    // shown to the range's start, which is the picture the switch showed in
    // the state it now returns to, and the switch rests there. A switch at
    // rest (a finished play, a new animation at its first frame) plays the new
    // range from its start.
    bool turningBack = false;
    double current = 0;
    if (cancelBehavior_ == CancelBehavior::reverse && animationView().isPlaying()) {
        current = animationView().lottieAnimationLayer()->presentedProgress();
        turningBack = current >= std::min(other.first, other.second) &&
                      current <= std::max(other.first, other.second) && current != other.second;
    }

    setAccessibilityValue(on ? tr("On") : tr("Off"));

    if (!animated) {
        animationView().setCurrentProgress(target.second);
        return;
    }
    if (turningBack) {
        animationView().playFromProgress(current, other.first);
        return;
    }
    // A play that ran to its end rests at the range's end. The Core Animation
    // engine keeps its last frame by itself.
    const QPointer<AnimatedSwitch> self(this);
    const double finalProgress = target.second;
    animationView().playFromProgress(target.first, target.second, std::nullopt, [self, finalProgress](bool finished) {
        if (!finished || !self) return;
        const auto rendering = self->animationView().lottieAnimationLayer()->renderingLayer();
        if (std::dynamic_pointer_cast<CoreAnimationRootLayer>(rendering)) return;
        self->animationView().setCurrentProgress(finalProgress);
    });
}

void AnimatedSwitch::handleTrackedEvent(const LottieNSControlEvent& event) {
    if (event == LottieNSControlEvent::mouseUpInside()) switchTo(!isOn_, true);
}

void AnimatedSwitch::animationDidSet() { switchTo(isOn_, animateUpdateWhenChangingAnimation_); }

void AnimatedSwitch::setAccessibilityValue(const QString& value) {
    if (value == accessibilityValue_) return;
    accessibilityValue_ = value;
    if (!QAccessible::isActive()) return;
    QAccessibleValueChangeEvent valueChange(this, value);
    QAccessible::updateAccessibility(&valueChange);
    QAccessible::State checked;
    checked.checked = true;
    QAccessibleStateChangeEvent stateChange(this, checked);
    QAccessible::updateAccessibility(&stateChange);
}

}  // namespace lottie
