#include "Lottie/Views/Controls/AnimatedButton.h"

#include "Lottie/Views/Controls/AnimatedControlAccessibility.h"

namespace lottie {

AnimatedButton::AnimatedButton(QWidget* parent) : AnimatedControl(parent) { AnimatedControlAccessibility::install(); }

AnimatedButton::AnimatedButton(std::shared_ptr<const LottieAnimation> animation, LottieConfiguration configuration,
                               QWidget* parent)
    : AnimatedControl(std::move(animation), std::move(configuration), parent) {
    AnimatedControlAccessibility::install();
}

void AnimatedButton::assignPlayRange(double fromProgress, double toProgress, const LottieNSControlEvent& event) {
    rangesForEvents_[event] = {fromProgress, toProgress};
}

void AnimatedButton::assignPlayRange(const std::string& fromMarker, const std::string& toMarker,
                                     const LottieNSControlEvent& event) {
    if (!animation()) return;
    const std::optional<double> from = animationView().progressForMarker(fromMarker);
    const std::optional<double> to = animationView().progressForMarker(toMarker);
    if (from && to) assignPlayRange(*from, *to, event);
}

void AnimatedButton::handleTrackedEvent(const LottieNSControlEvent& event) {
    if (const auto range = rangesForEvents_.find(event); range != rangesForEvents_.end()) {
        animationView().playFromProgress(range->second.first, range->second.second);
    }
    if (event == LottieNSControlEvent::mouseUpInside() && performAction_) performAction_();
}

}  // namespace lottie
