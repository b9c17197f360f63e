#pragma once
// A description of an animation to show, as a value: an animation or package
// given up front, or an asynchronous loader with a placeholder widget shown
// until it delivers, together with the playback mode, speed, providers,
// configuration and sizing to apply. An application builds a new LottieView
// whenever what it wants to show changes and hands it to its LottieViewHost,
// which keeps the one LottieAnimationView it stands for and applies to it only
// what differs (updateAnimationView, then the configuration closures that
// modifiers appended, in the order they were applied).
//
// Modifiers return a modified copy and never touch a widget. The value holds no
// state of its own: LottieViewHost keeps what outlives each value (the loader's
// result) and turns each new value into changes to the one widget.
//
// Loaders run wherever they like and deliver once, from any thread, through
// the callback they are given; the host takes the delivery on the main run
// loop. A delivery made on a thread other than the main one also builds there
// the rendering layer of the animation delivered (PreparedRenderingLayer), as
// the hosted view would build it, so that the main thread only attaches it.
// Values only; main thread only where widgets are touched.

#include <QWidget>
#include <concepts>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/DotLottie/DotLottieConfigurationComponents.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/PlaybackModes/LottiePlaybackMode.h"
#include "Lottie/Playback/Providers/AnimationFontProvider.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"
#include "Lottie/Views/AnyEquatable.h"
#include "Lottie/Views/Binding.h"
#include "Lottie/Views/HostingBridge.h"
#include "Lottie/Views/LottieAnimationSource.h"
#include "Lottie/Views/LottieAnimationView.h"
#include "Lottie/Views/ProviderEquality.h"
#include "Lottie/Views/WritableProperty.h"

namespace lottie {

class LottieView {
public:
    // A loader's single delivery: its result (none is a valid result) or the
    // error that stopped it.
    template <class T>
    using Delivery = std::function<void(T result, std::exception_ptr error)>;
    template <class T>
    using Loader = std::function<void(Delivery<T> deliver)>;
    using SourceLoader = Loader<std::optional<LottieAnimationSource>>;
    using Placeholder = std::function<QWidget*()>;
    using Bridge = HostingBridge<LottieAnimationView>;
    using ConfigurationContext = Bridge::ConfigurationContext;
    using Configuration = Bridge::Configuration;
    struct ImageProviderConfiguration {
        std::shared_ptr<AnimationImageProvider> imageProvider;
        std::function<bool(const AnimationImageProvider*, const AnimationImageProvider*)> imageProvidersAreEqual;
    };

    // Shows the animation, or nothing; no loader, no placeholder.
    explicit LottieView(std::shared_ptr<const LottieAnimation> animation);
    // Shows the package's first animation, or nothing; no loader, no placeholder.
    explicit LottieView(std::shared_ptr<const DotLottieFile> dotLottieFile);
    // Loads asynchronously and shows the placeholder (an empty widget when
    // none is given) until the loader has delivered an animation.
    static LottieView loadAnimation(Loader<std::shared_ptr<const LottieAnimation>> loader, Placeholder placeholder = {});
    static LottieView loadDotLottieFile(Loader<std::shared_ptr<const DotLottieFile>> loader,
                                        Placeholder placeholder = {});
    static LottieView loadSource(SourceLoader loader, Placeholder placeholder = {});

    // What to show: the direct source, else the loader's result kept by the host.
    std::optional<LottieAnimationSource> animationSource(const std::optional<LottieAnimationSource>& remote) const;

    // The bridge value for one update, given the loader's current result.
    // `prepared`, built ahead for the loader's result, is offered to the
    // first configuration run that sets that animation, and let go then.
    Bridge bridge(const std::optional<LottieAnimationSource>& remote,
                  std::shared_ptr<PreparedRenderingLayer> prepared = nullptr) const;
    // Makes the hosted view (once per host).
    LottieAnimationView* makeAnimationView(const std::optional<LottieAnimationSource>& source) const;
    // Applies this value's state to the hosted view, comparing before each step.
    void updateAnimationView(const std::optional<LottieAnimationSource>& source, const ConfigurationContext& context,
                             std::shared_ptr<PreparedRenderingLayer> prepared = nullptr) const;

    // Modifiers: each returns a copy with one change. Those that set a field
    // serve the first creation of the hosted view and updateAnimationView;
    // those that append a configuration run it on every update after
    // updateAnimationView, in the order they were applied; the provider and
    // configuration modifiers do both, so that an existing view keeps in step.
    LottieView playbackMode(LottiePlaybackMode mode) const;
    LottieView playing(LottiePlaybackMode::PlaybackMode mode) const;
    // From wherever the playhead is to the end, once.
    LottieView playingOnceToEnd() const;
    LottieView playingToEnd(LottieLoopMode loopMode) const;
    // From the start to the end, looping.
    LottieView playingLoop() const;
    LottieView paused(LottiePlaybackMode::PausedState state) const;
    // Without a position these keep the playback mode as it was.
    LottieView pausedAtProgress(std::optional<double> progress) const;
    LottieView pausedAtFrame(std::optional<double> frame) const;
    LottieView pausedAtTime(std::optional<double> seconds) const;
    LottieView animationSpeed(double speed) const;
    // Replaces any earlier callback.
    LottieView animationDidLoad(std::function<void(const LottieAnimationSource&)> callback) const;
    // Adds to any earlier handler: all run, earliest first, with the same flag.
    LottieView onAnimationCompletion(std::function<void(bool finished)> handler) const;
    LottieView dotLottieConfigurationComponents(DotLottieConfigurationComponents components) const;
    LottieView logger(std::shared_ptr<LottieLogger> logger) const;
    LottieView sizing(MeasurementContainerStrategy strategy) const;
    LottieView proposedSizing() const { return sizing(MeasurementContainerStrategy::proposed); }
    LottieView intrinsicSizing() const { return sizing(MeasurementContainerStrategy::intrinsic); }

    // The provider, compared with the layer's by P's equality (another type is
    // always different).
    template <class P>
    LottieView imageProvider(std::shared_ptr<P> provider) const {
        LottieView copy = *this;
        copy.imageProviderConfiguration_ =
            ImageProviderConfiguration{provider, &providersAreEqualAs<P, AnimationImageProvider>};
        return copy;
    }

    // A change of `value` (by T's equality) between two updates reloads; with
    // `showPlaceholder` the placeholder shows while the reload runs.
    template <class T>
    LottieView reloadAnimationTrigger(T value, bool showPlaceholder = false) const {
        LottieView copy = *this;
        copy.reloadAnimationTrigger_ = AnyEquatable(std::move(value));
        copy.showPlaceholderWhileReloading_ = showPlaceholder;
        return copy;
    }

    // Runs `configure` with the hosted view on every update.
    LottieView appendingConfiguration(std::function<void(LottieAnimationView&)> configure) const;

    // Keeps the hosted view's property at `value`. A readable property of an
    // equality-comparable type is written only when it differs; any other is
    // written on every update.
    template <class T>
    LottieView configure(WritableProperty<LottieAnimationView, T> property, T value) const {
        return appendingConfiguration([property = std::move(property), value = std::move(value)](LottieAnimationView& view) {
            if constexpr (std::equality_comparable<T>) {
                if (property.get && property.get(view) == value) return;
            }
            property.set(view, value);
        });
    }

    // Set on every update, overriding whatever changed the layer's behaviour since.
    LottieView backgroundBehavior(LottieBackgroundBehavior behavior) const;
    // The hosted view's accessible name; none clears it.
    LottieView accessibilityLabel(std::optional<std::string> label) const;

    // Installs the provider for the keypath unless the layer already holds one
    // equal to it by P's equality.
    template <class P>
    LottieView valueProvider(std::shared_ptr<P> provider, AnimationKeypath keypath) const {
        return appendingConfiguration([provider, keypath = std::move(keypath)](LottieAnimationView& view) {
            installValueProviderUnlessEqual(view, view, provider, keypath);
        });
    }

    // The configuration of a view made from this value, and kept equal on the layer.
    LottieView configuration(LottieConfiguration configuration) const;

    template <class P>
    LottieView textProvider(std::shared_ptr<P> provider) const {
        LottieView copy =
            keepingProvider(provider, &LottieAnimationLayer::textProvider, &LottieAnimationView::setTextProvider);
        copy.textProvider_ = provider;
        return copy;
    }

    template <class P>
    LottieView fontProvider(std::shared_ptr<P> provider) const {
        LottieView copy =
            keepingProvider(provider, &LottieAnimationLayer::fontProvider, &LottieAnimationView::setFontProvider);
        copy.fontProvider_ = provider;
        return copy;
    }

    // While a binding is given, the host's view ticks on every display frame
    // and each tick writes the frame on screen (or its progress, see
    // progressOfFrame) to the binding, in a later pass of the main run loop
    // than the update that asked for it. None stops the ticking; a host whose
    // value has no binding never ticks for one.
    LottieView bindCurrentFrame(std::optional<Binding<double>> binding) const;
    LottieView bindCurrentProgress(std::optional<Binding<double>> binding) const;
    bool hasFrameBinding() const { return currentFrameBinding_ || currentProgressBinding_; }
    // The progress of `frame` in the animation, clamped to 0...1; 0 without an
    // animation or for one whose start and end frames are equal.
    static double progressOfFrame(const LottieAnimation* animation, double frame);

    const SourceLoader& loader() const { return loadAnimation_; }
    const Placeholder& placeholder() const { return placeholder_; }
    const std::optional<AnyEquatable>& reloadAnimationTrigger() const { return reloadAnimationTrigger_; }
    bool showPlaceholderWhileReloading() const { return showPlaceholderWhileReloading_; }
    const std::shared_ptr<LottieLogger>& logger() const { return logger_; }
    // What the modifiers set, for the host and for tests.
    const std::optional<LottiePlaybackMode>& playbackMode() const { return playbackMode_; }
    const std::optional<double>& animationSpeed() const { return animationSpeed_; }
    const std::function<void(bool)>& animationCompletionHandler() const { return animationCompletionHandler_; }
    const std::function<void(const LottieAnimationSource&)>& animationDidLoad() const { return animationDidLoad_; }
    const std::shared_ptr<AnimationKeypathTextProvider>& textProvider() const { return textProvider_; }
    const std::shared_ptr<AnimationFontProvider>& fontProvider() const { return fontProvider_; }
    const LottieConfiguration& configuration() const { return configuration_; }
    DotLottieConfigurationComponents dotLottieConfigurationComponents() const { return dotLottieConfigurationComponents_; }
    MeasurementContainerStrategy sizing() const { return sizing_; }
    const std::optional<ImageProviderConfiguration>& imageProviderConfiguration() const {
        return imageProviderConfiguration_;
    }
    std::size_t configurationCount() const { return configurations_.size(); }

private:
    LottieView() = default;

    // The configuration that writes the bindings, which runs last.
    Configuration bindingConfiguration() const;

    // A copy with a configuration that gives the view `provider` unless the
    // layer's (read by `held`) is equal to it by P's equality.
    template <class P, class Base>
    LottieView keepingProvider(std::shared_ptr<P> provider,
                               const std::shared_ptr<Base>& (LottieAnimationLayer::*held)() const,
                               void (LottieAnimationView::*set)(std::shared_ptr<Base>)) const {
        return appendingConfiguration([provider, held, set](LottieAnimationView& view) {
            if (providersAreEqualAs<P, Base>(((*view.lottieAnimationLayer()).*held)().get(), provider.get())) return;
            (view.*set)(provider);
        });
    }

    // A copy of this value with `change` applied to it.
    template <class Change>
    LottieView with(Change change) const {
        LottieView copy = *this;
        change(copy);
        return copy;
    }

    std::vector<Configuration> configurations_;
    std::optional<LottieAnimationSource> localAnimation_;
    std::optional<LottiePlaybackMode> playbackMode_;
    std::optional<double> animationSpeed_;
    std::optional<AnyEquatable> reloadAnimationTrigger_;
    SourceLoader loadAnimation_;
    std::function<void(const LottieAnimationSource&)> animationDidLoad_;
    std::function<void(bool)> animationCompletionHandler_;
    bool showPlaceholderWhileReloading_ = false;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider_;
    std::shared_ptr<AnimationFontProvider> fontProvider_;
    LottieConfiguration configuration_ = LottieConfiguration::shared();
    DotLottieConfigurationComponents dotLottieConfigurationComponents_ = DotLottieConfigurationComponents::imageProvider();
    std::shared_ptr<LottieLogger> logger_ = LottieLogger::shared();
    MeasurementContainerStrategy sizing_ = MeasurementContainerStrategy::automatic;
    Placeholder placeholder_;
    std::optional<ImageProviderConfiguration> imageProviderConfiguration_;
    std::optional<Binding<double>> currentFrameBinding_;
    std::optional<Binding<double>> currentProgressBinding_;
};

}  // namespace lottie
