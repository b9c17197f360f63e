#pragma once
// What the declarative button and switch (LottieButton, LottieSwitch) share:
// a value that describes one animated control by its animation, its
// configuration and an ordered list of configuration closures that modifiers
// append, and that turns into the hosting bridge's value for one update. Self
// is the describing type (it makes the control and brings it up to date);
// Control is the widget it stands for.
//
// The control is made once, from the first value a host applies; every later
// value reaches it only through its update (Self::update, first) and the
// appended closures (in the order they were applied). A new animation object
// (compared by identity) is given to the control through the control's own
// setter, so that its state layers and, for a switch, its state's range
// follow the new animation. Values only; main thread only where the control is
// touched.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Views/HostingBridge.h"
#include "Lottie/Views/ProviderEquality.h"

namespace lottie {

template <class Self, class ControlType>
class AnimatedControlDescription {
public:
    using Control = ControlType;
    using Bridge = HostingBridge<Control>;
    using ConfigurationContext = typename Bridge::ConfigurationContext;
    using Configuration = typename Bridge::Configuration;

    const std::shared_ptr<const LottieAnimation>& animation() const { return animation_; }
    const LottieConfiguration& configuration() const { return configuration_; }
    std::size_t configurationCount() const { return configurations_.size(); }

    // Modifiers: each returns a copy with one closure appended.
    // Runs `configure` with the control on every update.
    Self appendingConfiguration(std::function<void(Control&)> configure) const {
        return appending([configure = std::move(configure)](const ConfigurationContext& context) {
            configure(context.view());
        });
    }
    // The configuration of a control made from this value, and kept equal on
    // the control's animation view.
    Self configuration(LottieConfiguration configuration) const {
        Self copy = appendingConfiguration([configuration](Control& control) {
            if (control.animationView().configuration() != configuration) {
                control.animationView().setConfiguration(configuration);
            }
        });
        copy.configuration_ = std::move(configuration);
        return copy;
    }
    // Installs the provider for the keypath unless the control's view already
    // holds one equal to it by P's equality.
    template <class P>
    Self valueProvider(std::shared_ptr<P> provider, AnimationKeypath keypath) const {
        return appendingConfiguration([provider, keypath = std::move(keypath)](Control& control) {
            installValueProviderUnlessEqual(control, control.animationView(), provider, keypath);
        });
    }

    // The bridge value for one update: the control's own update first, then
    // the appended closures.
    Bridge bridge() const {
        const Self& self = static_cast<const Self&>(*this);
        Bridge bridge;
        bridge.configurations.reserve(configurations_.size() + 1);
        bridge.configurations.push_back([self](const ConfigurationContext& context) { self.update(context); });
        bridge.configurations.insert(bridge.configurations.end(), configurations_.begin(), configurations_.end());
        bridge.sizing = MeasurementContainerStrategy::automatic;
        bridge.makeContent = [self] { return self.makeControl(); };
        return bridge;
    }

protected:
    AnimatedControlDescription(std::shared_ptr<const LottieAnimation> animation, LottieConfiguration configuration)
        : animation_(std::move(animation)), configuration_(std::move(configuration)) {}

    // A copy with one more closure.
    Self appending(Configuration configuration) const {
        Self copy = static_cast<const Self&>(*this);
        copy.configurations_.push_back(std::move(configuration));
        return copy;
    }

    // The first step of every update: a new animation object replaces the
    // control's, and the container measures again.
    void updateAnimation(const ConfigurationContext& context) const {
        Control& control = context.view();
        if (control.animation() == animation_) return;
        control.setAnimation(animation_);
        context.container.invalidateIntrinsicContentSize();
    }

private:
    std::vector<Configuration> configurations_;
    std::shared_ptr<const LottieAnimation> animation_;
    LottieConfiguration configuration_;
};

}  // namespace lottie
