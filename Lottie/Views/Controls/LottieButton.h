#pragma once
// An animated button described as a value, for a LottieControlHost: the
// declarative form of AnimatedButton. The host makes the button once, from
// the first value it applies, and hands it this value's action then; later
// values keep its animation in step and run the closures their modifiers
// appended (see AnimatedControlDescription), but a later action does not
// reach a button already made. Values only.

#include <functional>
#include <memory>
#include <string>

#include "Lottie/Views/Controls/AnimatedButton.h"
#include "Lottie/Views/Controls/AnimatedControlDescription.h"

namespace lottie {

class LottieButton : public AnimatedControlDescription<LottieButton, AnimatedButton> {
public:
    LottieButton(std::shared_ptr<const LottieAnimation> animation, std::function<void()> action,
                 LottieConfiguration configuration = LottieConfiguration::shared());

    const std::function<void()>& action() const { return action_; }

    // Assigns the range to the event on every update.
    LottieButton playRange(double fromProgress, double toProgress, LottieNSControlEvent event) const;
    LottieButton playRange(std::string fromMarker, std::string toMarker, LottieNSControlEvent event) const;

    // For the bridge: makes the button, and brings it up to date.
    AnimatedButton* makeControl() const;
    void update(const ConfigurationContext& context) const { updateAnimation(context); }

private:
    std::function<void()> action_;
};

}  // namespace lottie
