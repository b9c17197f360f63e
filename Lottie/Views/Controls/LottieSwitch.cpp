#include "Lottie/Views/Controls/LottieSwitch.h"

#include <utility>

#include "Platform/Foundation/MainRunLoop.h"

namespace lottie {

namespace {

// Moves the switch to the state its binding holds, without telling the
// binding: the state came from there.
void followBinding(AnimatedSwitch& control, bool on, bool animated) {
    std::function<void(bool)> report = control.stateUpdated();
    control.setStateUpdated({});
    control.switchTo(on, animated);
    control.setStateUpdated(std::move(report));
}

}  // namespace

LottieSwitch::LottieSwitch(std::shared_ptr<const LottieAnimation> animation, LottieConfiguration configuration)
    : AnimatedControlDescription(std::move(animation), std::move(configuration)) {}

LottieSwitch LottieSwitch::isOn(Binding<bool> binding) const {
    LottieSwitch copy = appendingConfiguration([binding](AnimatedSwitch& control) {
        control.setStateUpdated([binding](bool on) {
            if (!binding.set) return;
            platform::foundation::MainRunLoop::shared().post([binding, on] { binding.set(on); });
        });
    });
    copy.isOn_ = std::move(binding);
    return copy;
}

LottieSwitch LottieSwitch::onProgressRange(double fromProgress, double toProgress) const {
    return progressRange(fromProgress, toProgress, true);
}

LottieSwitch LottieSwitch::offProgressRange(double fromProgress, double toProgress) const {
    return progressRange(fromProgress, toProgress, false);
}

LottieSwitch LottieSwitch::progressRange(double fromProgress, double toProgress, bool forOnState) const {
    return appendingConfiguration([range = AnimatedSwitch::ProgressRange(fromProgress, toProgress),
                                   forOnState](AnimatedSwitch& control) {
        if ((forOnState ? control.onRange() : control.offRange()) == range) return;
        control.assignProgressRange(range.first, range.second, forOnState);
    });
}

AnimatedSwitch* LottieSwitch::makeControl() const {
    auto* control = new AnimatedSwitch(animation(), configuration());
    // A new switch is off; a bound one starts in the bound state, at rest.
    const bool on = isOn_ && isOn_->get && isOn_->get();
    if (on != control->isOn()) followBinding(*control, on, false);
    return control;
}

void LottieSwitch::update(const ConfigurationContext& context) const {
    updateAnimation(context);
    if (!isOn_ || !isOn_->get) return;
    const bool on = isOn_->get();
    if (on != context.view().isOn()) followBinding(context.view(), on, true);
}

}  // namespace lottie
