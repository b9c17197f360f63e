// LottieView's modifiers that are not templates.
#include "Lottie/Views/LottieView.h"

namespace lottie {

LottieView LottieView::playbackMode(LottiePlaybackMode mode) const {
    return with([&](LottieView& copy) { copy.playbackMode_ = std::move(mode); });
}

LottieView LottieView::playing(LottiePlaybackMode::PlaybackMode mode) const {
    return playbackMode(LottiePlaybackMode::playing(std::move(mode)));
}

LottieView LottieView::playingOnceToEnd() const { return playingToEnd(LottieLoopMode::playOnce()); }

LottieView LottieView::playingToEnd(LottieLoopMode loopMode) const {
    return playing(LottiePlaybackMode::PlaybackMode::fromProgress(std::nullopt, 1, loopMode));
}

LottieView LottieView::playingLoop() const {
    return playing(LottiePlaybackMode::PlaybackMode::fromProgress(0, 1, LottieLoopMode::loop()));
}

LottieView LottieView::paused(LottiePlaybackMode::PausedState state) const {
    return playbackMode(LottiePlaybackMode::paused(std::move(state)));
}

LottieView LottieView::pausedAtProgress(std::optional<double> progress) const {
    return progress ? paused(LottiePausedState::progress(*progress)) : *this;
}

LottieView LottieView::pausedAtFrame(std::optional<double> frame) const {
    return frame ? paused(LottiePausedState::frame(*frame)) : *this;
}

LottieView LottieView::pausedAtTime(std::optional<double> seconds) const {
    return seconds ? paused(LottiePausedState::time(*seconds)) : *this;
}

LottieView LottieView::animationSpeed(double speed) const {
    return with([&](LottieView& copy) { copy.animationSpeed_ = speed; });
}

LottieView LottieView::animationDidLoad(std::function<void(const LottieAnimationSource&)> callback) const {
    return with([&](LottieView& copy) { copy.animationDidLoad_ = std::move(callback); });
}

LottieView LottieView::onAnimationCompletion(std::function<void(bool)> handler) const {
    return with([&](LottieView& copy) {
        copy.animationCompletionHandler_ = [previous = animationCompletionHandler_,
                                            handler = std::move(handler)](bool finished) {
            if (previous) previous(finished);
            if (handler) handler(finished);
        };
    });
}

LottieView LottieView::dotLottieConfigurationComponents(DotLottieConfigurationComponents components) const {
    return with([&](LottieView& copy) { copy.dotLottieConfigurationComponents_ = components; });
}

LottieView LottieView::logger(std::shared_ptr<LottieLogger> logger) const {
    return with([&](LottieView& copy) { copy.logger_ = std::move(logger); });
}

LottieView LottieView::sizing(MeasurementContainerStrategy strategy) const {
    return with([&](LottieView& copy) { copy.sizing_ = strategy; });
}

LottieView LottieView::appendingConfiguration(std::function<void(LottieAnimationView&)> configure) const {
    return with([&](LottieView& copy) {
        copy.configurations_.push_back(
            [configure = std::move(configure)](const ConfigurationContext& context) { configure(context.view()); });
    });
}

LottieView LottieView::backgroundBehavior(LottieBackgroundBehavior behavior) const {
    return appendingConfiguration([behavior](LottieAnimationView& view) { view.setBackgroundBehavior(behavior); });
}

LottieView LottieView::accessibilityLabel(std::optional<std::string> label) const {
    // Every Qt widget is in the accessibility tree already; what marks the view
    // as an element of its own to assistive tools is a name, so none clears it.
    return appendingConfiguration([label = std::move(label)](LottieAnimationView& view) {
        view.setAccessibleName(label ? QString::fromStdString(*label) : QString());
    });
}

LottieView LottieView::configuration(LottieConfiguration configuration) const {
    LottieView copy = appendingConfiguration([configuration](LottieAnimationView& view) {
        if (view.configuration() != configuration) view.setConfiguration(configuration);
    });
    copy.configuration_ = std::move(configuration);
    return copy;
}

}  // namespace lottie
