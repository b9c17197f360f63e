// The animation view's forwarding of the animation layer's API. Each call that
// may change what the tree shows restarts the display link afterwards; play
// requests made outside any window are also kept as waiting to play.
#include "Lottie/Views/LottieAnimationView.h"

namespace lottie {

void LottieAnimationView::noteWaiting() {
    if (!isInWindow() && layer_->animationContext()) waitingToPlayAnimation_ = true;
    scheduleFrame();
}

void LottieAnimationView::playPlaybackMode(const LottiePlaybackMode::PlaybackMode& mode, CompletionBlock completion) {
    layer_->playPlaybackMode(mode, std::move(completion));
    noteWaiting();
}

void LottieAnimationView::play(CompletionBlock completion) {
    layer_->play(std::move(completion));
    noteWaiting();
}

void LottieAnimationView::playFromProgress(std::optional<double> fromProgress, double toProgress,
                                           std::optional<LottieLoopMode> loopMode, CompletionBlock completion) {
    layer_->playFromProgress(fromProgress, toProgress, std::move(loopMode), std::move(completion));
    noteWaiting();
}

void LottieAnimationView::playFromFrame(std::optional<double> fromFrame, double toFrame,
                                        std::optional<LottieLoopMode> loopMode, CompletionBlock completion) {
    layer_->playFromFrame(fromFrame, toFrame, std::move(loopMode), std::move(completion));
    noteWaiting();
}

void LottieAnimationView::playFromMarker(std::optional<std::string> fromMarker, const std::string& toMarker,
                                         bool playEndMarkerFrame, std::optional<LottieLoopMode> loopMode,
                                         CompletionBlock completion) {
    layer_->playFromMarker(std::move(fromMarker), toMarker, playEndMarkerFrame, std::move(loopMode),
                           std::move(completion));
    noteWaiting();
}

void LottieAnimationView::playMarker(const std::string& marker, std::optional<LottieLoopMode> loopMode,
                                     CompletionBlock completion) {
    layer_->playMarker(marker, std::move(loopMode), std::move(completion));
    noteWaiting();
}

void LottieAnimationView::playMarkers(const std::vector<std::string>& markers, CompletionBlock completion) {
    layer_->playMarkers(markers, std::move(completion));
    noteWaiting();
}

void LottieAnimationView::stop() {
    layer_->stop();
    scheduleFrame();
}

void LottieAnimationView::pause() {
    layer_->pause();
    scheduleFrame();
}

void LottieAnimationView::adoptPlaybackMode(const LottiePlaybackMode& mode, CompletionBlock completion) {
    layer_->adoptPlaybackMode(mode, std::move(completion));
    noteWaiting();
}

void LottieAnimationView::setConfiguration(const LottieConfiguration& configuration) {
    layer_->setConfiguration(configuration);
    scheduleFrame();
}

void LottieAnimationView::setAnimation(std::shared_ptr<const LottieAnimation> animation) {
    layer_->setAnimation(std::move(animation));
    animationDidChange();
}

void LottieAnimationView::setAnimation(std::shared_ptr<const LottieAnimation> animation,
                                       std::shared_ptr<PreparedRenderingLayer> prepared) {
    layer_->setAnimation(std::move(animation), std::move(prepared));
    animationDidChange();
}

void LottieAnimationView::setAnimationLoaded(AnimationLoaded callback) {
    animationLoaded_ = std::move(callback);
    if (animationLoaded_ && layer_->animation()) animationLoaded_(*this, layer_->animation());
}

void LottieAnimationView::setImageProvider(std::shared_ptr<AnimationImageProvider> provider) {
    layer_->setImageProvider(std::move(provider));
    scheduleFrame();
}

void LottieAnimationView::setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider) {
    layer_->setTextProvider(std::move(provider));
    scheduleFrame();
}

void LottieAnimationView::setFontProvider(std::shared_ptr<AnimationFontProvider> provider) {
    layer_->setFontProvider(std::move(provider));
    scheduleFrame();
}

void LottieAnimationView::setMaskAnimationToBounds(bool mask) {
    layer_->setMaskAnimationToBounds(mask);
    scheduleFrame();
}

void LottieAnimationView::setLoopMode(LottieLoopMode mode) {
    layer_->setLoopMode(std::move(mode));
    scheduleFrame();
}

void LottieAnimationView::setCurrentProgress(double progress) {
    layer_->setPlayheadProgress(progress);
    scheduleFrame();
}

void LottieAnimationView::setCurrentTime(double seconds) {
    layer_->setPlayheadTime(seconds);
    scheduleFrame();
}

void LottieAnimationView::setCurrentFrame(double frame) {
    layer_->setCurrentFrame(frame);
    scheduleFrame();
}

void LottieAnimationView::setAnimationSpeed(double speed) {
    layer_->setAnimationSpeed(speed);
    scheduleFrame();
}

void LottieAnimationView::setViewportFrame(std::optional<platform::graphics::Rect> viewport) {
    viewportFrame_ = viewport;
    setNeedsLayout();
}

void LottieAnimationView::loadDotLottieAnimationById(const std::optional<std::string>& animationId,
                                                     const DotLottieFile& file) {
    layer_->loadDotLottieAnimationById(animationId, file);
    scheduleFrame();
}

void LottieAnimationView::loadDotLottieAnimationAtIndex(std::ptrdiff_t index, const DotLottieFile& file) {
    if (index < 0) return;
    layer_->loadDotLottieAnimationAtIndex(index, file);
    scheduleFrame();
}

void LottieAnimationView::redrawCurrentFrame() {
    layer_->redrawCurrentFrame();
    scheduleFrame();
}

void LottieAnimationView::installValueProvider(std::shared_ptr<AnyValueProvider> provider,
                                               const AnimationKeypath& keypath) {
    layer_->installValueProvider(std::move(provider), keypath);
    scheduleFrame();
}

void LottieAnimationView::uninstallValueProvider(const AnimationKeypath& keypath) {
    layer_->uninstallValueProvider(keypath);
    scheduleFrame();
}

}  // namespace lottie
