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
// Modifiers return a modified copy and never touch a widget. The design's
// declarative-toolkit view is played here by this value together with
// LottieViewHost, which keeps the state that outlives each value (the
// loader's result) and plays the toolkit's update.
//
// Loaders run wherever they like and deliver once, from any thread, through
// the callback they are given; the host takes the delivery on the main run
// loop. Values only; main thread only where widgets are touched.

#include <QWidget>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "Lottie/DotLottie/DotLottieConfigurationComponents.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/PlaybackModes/LottiePlaybackMode.h"
#include "Lottie/Playback/Providers/AnimationFontProvider.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"
#include "Lottie/Views/AnyEquatable.h"
#include "Lottie/Views/HostingBridge.h"
#include "Lottie/Views/LottieAnimationSource.h"
#include "Lottie/Views/LottieAnimationView.h"

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
    Bridge bridge(const std::optional<LottieAnimationSource>& remote) const;
    // Makes the hosted view (once per host).
    LottieAnimationView* makeAnimationView(const std::optional<LottieAnimationSource>& source) const;
    // Applies this value's state to the hosted view, comparing before each step.
    void updateAnimationView(const std::optional<LottieAnimationSource>& source, const ConfigurationContext& context) const;

    // Modifiers: each returns a copy with one change.
    LottieView playbackMode(LottiePlaybackMode mode) const;
    LottieView animationSpeed(double speed) const;
    LottieView animationDidLoad(std::function<void(const LottieAnimationSource&)> callback) const;
    // The provider, compared with the layer's by P's equality (another type is
    // always different).
    template <class P>
    LottieView imageProvider(std::shared_ptr<P> provider) const {
        LottieView copy = *this;
        copy.imageProviderConfiguration_ = ImageProviderConfiguration{
            provider, [](const AnimationImageProvider* a, const AnimationImageProvider* b) {
                const P* left = dynamic_cast<const P*>(a);
                const P* right = dynamic_cast<const P*>(b);
                return left != nullptr && right != nullptr && *left == *right;
            }};
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

    const SourceLoader& loader() const { return loadAnimation_; }
    const Placeholder& placeholder() const { return placeholder_; }
    const std::optional<AnyEquatable>& reloadAnimationTrigger() const { return reloadAnimationTrigger_; }
    bool showPlaceholderWhileReloading() const { return showPlaceholderWhileReloading_; }
    const std::shared_ptr<LottieLogger>& logger() const { return logger_; }

private:
    LottieView() = default;

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
};

}  // namespace lottie
