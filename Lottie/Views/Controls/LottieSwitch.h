#pragma once
// An animated switch described as a value, for a LottieControlHost: the
// declarative form of AnimatedSwitch. Its state can be bound (isOn()) to a
// Boolean that the application keeps; the two then follow each other:
//   - the binding drives the switch: the switch is made in the bound state
//     without playing, and on every later update a bound value that differs
//     from the switch's state moves the switch there, playing. A change that
//     comes from the binding is not reported back to it (stateUpdated does
//     not run for it), so it never writes an old value over a newer one;
//   - the switch reports a toggle by the user to the binding, on a later turn
//     of the main run loop than the click, so that the application's state
//     never changes under its own update.
// Without a binding the switch keeps its own state. Values only.

#include <memory>
#include <optional>

#include "Lottie/Views/Binding.h"
#include "Lottie/Views/Controls/AnimatedControlDescription.h"
#include "Lottie/Views/Controls/AnimatedSwitch.h"

namespace lottie {

class LottieSwitch : public AnimatedControlDescription<LottieSwitch, AnimatedSwitch> {
public:
    explicit LottieSwitch(std::shared_ptr<const LottieAnimation> animation,
                          LottieConfiguration configuration = LottieConfiguration::shared());

    const std::optional<Binding<bool>>& isOn() const { return isOn_; }

    // Binds the switch's state (see above).
    LottieSwitch isOn(Binding<bool> binding) const;
    // Sets the range of the on (or off) state unless the switch has it
    // already, then shows the current state's range end without playing.
    LottieSwitch onProgressRange(double fromProgress, double toProgress) const;
    LottieSwitch offProgressRange(double fromProgress, double toProgress) const;

    // For the bridge: makes the switch, and brings it up to date.
    AnimatedSwitch* makeControl() const;
    void update(const ConfigurationContext& context) const;

private:
    LottieSwitch progressRange(double fromProgress, double toProgress, bool forOnState) const;

    std::optional<Binding<bool>> isOn_;
};

}  // namespace lottie
