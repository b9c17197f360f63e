#include "Lottie/Views/Controls/LottieButton.h"

namespace lottie {

LottieButton::LottieButton(std::shared_ptr<const LottieAnimation> animation, std::function<void()> action,
                           LottieConfiguration configuration)
    : AnimatedControlDescription(std::move(animation), std::move(configuration)), action_(std::move(action)) {}

LottieButton LottieButton::playRange(double fromProgress, double toProgress, LottieNSControlEvent event) const {
    return appendingConfiguration([fromProgress, toProgress, event](AnimatedButton& button) {
        button.assignPlayRange(fromProgress, toProgress, event);
    });
}

LottieButton LottieButton::playRange(std::string fromMarker, std::string toMarker, LottieNSControlEvent event) const {
    return appendingConfiguration(
        [fromMarker = std::move(fromMarker), toMarker = std::move(toMarker), event](AnimatedButton& button) {
            button.assignPlayRange(fromMarker, toMarker, event);
        });
}

AnimatedButton* LottieButton::makeControl() const {
    auto* button = new AnimatedButton(animation(), configuration());
    button->setPerformAction(action_);
    return button;
}

}  // namespace lottie
