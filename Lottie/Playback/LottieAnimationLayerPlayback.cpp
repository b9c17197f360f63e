// The play, pause and stop operations of LottieAnimationLayer, and the playhead.

#include <algorithm>
#include <cmath>
#include <string>

#include "Lottie/Playback/Engine/CoreAnimationRootLayer.h"
#include "Lottie/Playback/LottieAnimationLayer.h"
#include "Lottie/Playback/PlaybackModes/Overloaded.h"
#include "Platform/Compositor/MediaClock.h"

namespace lottie {

namespace {

constexpr const char* sourceFile = "Lottie/LottieAnimationLayer";

const Marker* findMarker(const LottieAnimation* animation, const std::string& name) {
    return animation ? animation->markerNamed(name).get() : nullptr;
}

std::shared_ptr<AnimationCompletionDelegate> delegateFor(LottieAnimationLayer::CompletionBlock completion) {
    return std::make_shared<AnimationCompletionDelegate>(std::move(completion));
}

}  // namespace

// Play requests.

void LottieAnimationLayer::play(CompletionBlock completion) {
    if (!animation_) return;
    if (reducedMotionMarkerApplies()) {
        playReducedMotionMarker(std::move(completion));
    } else {
        dropRunningAnimationIfAny();
        startAnimationForContext(
            {animation_->startFrame, animation_->endFrame, animation_->framerate, delegateFor(std::move(completion))});
    }
    record(LottiePlaybackMode::playing(LottiePlayingMode::fromProgress(std::nullopt, 1, loopMode_)));
}

void LottieAnimationLayer::playFromProgress(std::optional<double> fromProgress, double toProgress,
                                            std::optional<LottieLoopMode> loopMode, CompletionBlock completion) {
    if (!animation_) return;
    if (reducedMotionMarkerApplies()) {
        playReducedMotionMarker(std::move(completion));
    } else {
        dropRunningAnimationIfAny();
        if (loopMode) {
            loopMode_ = *loopMode;
            restartRunningAnimation();
        }
        const double from = fromProgress.value_or(playheadProgress());
        startAnimationForContext({animation_->frameTime(from), animation_->frameTime(toProgress), animation_->framerate,
                                  delegateFor(std::move(completion))});
    }
    record(LottiePlaybackMode::playing(
        LottiePlayingMode::fromProgress(fromProgress, toProgress, loopMode.value_or(loopMode_))));
}

void LottieAnimationLayer::playFromFrame(std::optional<double> fromFrame, double toFrame,
                                         std::optional<LottieLoopMode> loopMode, CompletionBlock completion) {
    if (!animation_) return;
    if (reducedMotionMarkerApplies()) {
        playReducedMotionMarker(std::move(completion));
    } else {
        dropRunningAnimationIfAny();
        if (loopMode) {
            loopMode_ = *loopMode;
            restartRunningAnimation();
        }
        const double from = fromFrame.value_or(rootAnimationLayer_ ? rootAnimationLayer_->currentFrame() : 0);
        startAnimationForContext({from, toFrame, animation_->framerate, delegateFor(std::move(completion))});
    }
    record(LottiePlaybackMode::playing(LottiePlayingMode::fromFrame(fromFrame, toFrame, loopMode.value_or(loopMode_))));
}

void LottieAnimationLayer::playFromMarker(std::optional<std::string> fromMarker, const std::string& toMarker,
                                          bool playEndMarkerFrame, std::optional<LottieLoopMode> loopMode,
                                          CompletionBlock completion) {
    if (reducedMotionMarkerApplies()) {
        playReducedMotionMarker(std::move(completion));
    } else if (const Marker* to = findMarker(animation_.get(), toMarker)) {
        dropRunningAnimationIfAny();
        if (loopMode) {
            loopMode_ = *loopMode;
            restartRunningAnimation();
        }
        double fromFrame = rootAnimationLayer_ ? rootAnimationLayer_->currentFrame() : 0;
        if (fromMarker) {
            if (const Marker* from = findMarker(animation_.get(), *fromMarker)) fromFrame = from->frameTime;
        }
        const double toFrame = playEndMarkerFrame ? to->frameTime : to->frameTime - 1.0;
        startAnimationForContext({fromFrame, toFrame, animation_->framerate, delegateFor(std::move(completion))});
    }
    record(LottiePlaybackMode::playing(LottiePlayingMode::fromMarker(
        std::move(fromMarker), toMarker, playEndMarkerFrame, loopMode.value_or(loopMode_))));
}

void LottieAnimationLayer::playMarker(const std::string& marker, std::optional<LottieLoopMode> loopMode,
                                      CompletionBlock completion) {
    const Marker* found = findMarker(animation_.get(), marker);
    if (!found) return;
    if (reducedMotionMarkerApplies()) {
        playReducedMotionMarker(std::move(completion));
    } else {
        playFromFrame(found->frameTime, found->frameTime + found->durationFrameTime, loopMode, std::move(completion));
    }
    record(LottiePlaybackMode::playing(LottiePlayingMode::marker(marker, loopMode.value_or(loopMode_))));
}

void LottieAnimationLayer::playMarkers(const std::vector<std::string>& markers, CompletionBlock completion) {
    playMarkers(markers, std::move(completion), false);
}

// `continuing` marks the rest of a sequence whose earlier markers played to their
// end: running out of markers there completes the sequence. (A first call that
// finds nothing to play does nothing, like every other play request.)
void LottieAnimationLayer::playMarkers(const std::vector<std::string>& markers, CompletionBlock completion,
                                       bool continuing) {
    if (markers.empty()) {
        if (continuing && completion) completion(true);
        return;
    }
    if (reducedMotionMarkerApplies()) {
        playReducedMotionMarker(std::move(completion));
    } else {
        const std::vector<std::string> rest(markers.begin() + 1, markers.end());
        if (findMarker(animation_.get(), markers.front())) {
            std::weak_ptr<LottieAnimationLayer> weakSelf = self();
            playMarker(markers.front(), LottieLoopMode::playOnce(), [weakSelf, rest, completion](bool finished) {
                auto strongSelf = weakSelf.lock();
                if (!finished || !strongSelf) {
                    if (completion) completion(false);
                    return;
                }
                strongSelf->playMarkers(rest, completion, true);
            });
        } else {
            playMarkers(rest, std::move(completion), continuing);
        }
    }
    record(LottiePlaybackMode::playing(LottiePlayingMode::markers(markers)));
}

void LottieAnimationLayer::stop() {
    dropRunningAnimation();
    setCurrentFrame(0);
}

void LottieAnimationLayer::pause() {
    dropRunningAnimation();
    record(LottiePlaybackMode::paused(LottiePausedState::currentFrame()));
}

void LottieAnimationLayer::pauseAt(const LottiePlaybackMode::PausedState& state) {
    bool applied = true;
    std::visit(Overloaded{
                   [&](const LottiePausedState::Progress& value) { setPlayheadProgress(value.progress); },
                   [&](const LottiePausedState::Frame& value) { setCurrentFrame(value.frame); },
                   [&](const LottiePausedState::Time& value) { setPlayheadTime(value.seconds); },
                   [&](const LottiePausedState::Marker& value) {
                       const Marker* marker = findMarker(animation_.get(), value.name);
                       if (!marker) {
                           applied = false;
                           return;
                       }
                       setCurrentFrame(value.position == LottieMarkerPosition::start
                                           ? marker->frameTime
                                           : marker->frameTime + marker->durationFrameTime);
                   },
                   [&](const LottiePausedState::CurrentFrame&) { dropRunningAnimation(); },
               },
               state.value());
    if (applied) record(LottiePlaybackMode::paused(state));
}

void LottieAnimationLayer::adoptPlaybackMode(const LottiePlaybackMode& mode, CompletionBlock completion) {
    using Mode = LottiePlaybackMode;
    std::visit(
        Overloaded{
            [&](const Mode::Paused& value) { pauseAt(value.at); },
            [&](const Mode::Playing& value) { playPlaybackMode(value.mode, std::move(completion)); },
            [&](const Mode::Progress& value) {
                setPlayheadProgress(value.progress);
                record(Mode::paused(LottiePausedState::progress(value.progress)));
            },
            [&](const Mode::Frame& value) {
                setCurrentFrame(value.frame);
                record(Mode::paused(LottiePausedState::frame(value.frame)));
            },
            [&](const Mode::Time& value) {
                setPlayheadTime(value.seconds);
                record(Mode::paused(LottiePausedState::time(value.seconds)));
            },
            [&](const Mode::Pause&) {
                dropRunningAnimation();
                record(Mode::paused(LottiePausedState::currentFrame()));
            },
            [&](const LottiePlayingMode::FromProgress& value) { playPlaybackMode(value, std::move(completion)); },
            [&](const LottiePlayingMode::FromFrame& value) {
                playFromFrame(value.from, value.toFrame, value.loopMode, std::move(completion));
            },
            [&](const LottiePlayingMode::FromMarker& value) { playPlaybackMode(value, std::move(completion)); },
            [&](const LottiePlayingMode::Marker& value) {
                playMarker(value.name, value.loopMode, std::move(completion));
            },
            [&](const LottiePlayingMode::Markers& value) { playMarkers(value.names, std::move(completion)); },
        },
        mode.value());
}

void LottieAnimationLayer::playPlaybackMode(const LottiePlaybackMode::PlaybackMode& mode, CompletionBlock completion) {
    std::visit(Overloaded{
                   [&](const LottiePlayingMode::FromProgress& value) {
                       playFromProgress(value.from, value.toProgress, value.loopMode, std::move(completion));
                   },
                   [&](const LottiePlayingMode::FromFrame& value) {
                       playFromFrame(value.from, value.toFrame, value.loopMode, std::move(completion));
                   },
                   [&](const LottiePlayingMode::FromMarker& value) {
                       playFromMarker(value.from, value.toMarker, value.playEndMarkerFrame, value.loopMode,
                                      std::move(completion));
                   },
                   [&](const LottiePlayingMode::Marker& value) {
                       playMarker(value.name, value.loopMode, std::move(completion));
                   },
                   [&](const LottiePlayingMode::Markers& value) { playMarkers(value.names, std::move(completion)); },
               },
               mode.value());
}

// The playhead.

double LottieAnimationLayer::currentFrame() const {
    return rootAnimationLayer_ ? rootAnimationLayer_->currentFrame() : 0;
}

void LottieAnimationLayer::setCurrentFrame(double frame) {
    dropRunningAnimationIfAny();
    setFrameWithoutActions(frame);
    record(LottiePlaybackMode::paused(LottiePausedState::frame(currentFrame())));
}

double LottieAnimationLayer::playheadProgress() const {
    return animation_ ? animation_->progressForFrame(currentFrame(), true) : 0;
}

void LottieAnimationLayer::setPlayheadProgress(double progress) {
    if (!animation_) {
        setCurrentFrame(0);
        return;
    }
    setCurrentFrame(animation_->frameTime(progress));
    record(LottiePlaybackMode::paused(LottiePausedState::progress(progress)));
}

double LottieAnimationLayer::playheadTime() const {
    // A document without a usable frame rate has no time scale: its playhead
    // stays at time 0 rather than reading infinities.
    if (!animation_ || !(animation_->framerate > 0)) return 0;
    return animation_->time(currentFrame());
}

void LottieAnimationLayer::setPlayheadTime(double seconds) {
    if (!animation_) {
        setCurrentFrame(0);
        return;
    }
    setCurrentFrame(animation_->frameForTime(seconds));
    record(LottiePlaybackMode::paused(LottiePausedState::time(seconds)));
}

double LottieAnimationLayer::presentedFrame() const {
    if (!rootAnimationLayer_) return 0;
    if (renderingLayerIsPlaying() && rootAnimationLayer_->hasBeenPresented()) {
        const auto presented =
            rootAnimationLayer_->presentedValue("currentFrame", platform::compositor::MediaClock::currentTime());
        if (presented) {
            if (auto number = presented->number()) return *number;
        }
    }
    return rootAnimationLayer_->currentFrame();
}

double LottieAnimationLayer::presentedProgress() const {
    return animation_ ? animation_->progressForFrame(presentedFrame(), true) : 0;
}

bool LottieAnimationLayer::isPlaying() const { return rootAnimationLayer_ && renderingLayerIsPlaying(); }

bool LottieAnimationLayer::renderingLayerIsPlaying() const {
    if (auto known = rootAnimationLayer_->isAnimationPlayingIfKnown()) return *known;
    return rootAnimationLayer_->animation(playbackAnimationKey()) != nullptr;
}

std::string LottieAnimationLayer::playbackAnimationKey() const {
    if (rootAnimationLayer_) {
        if (auto key = rootAnimationLayer_->playbackAnimationKey()) return *key;
    }
    return activeAnimationName_;
}

void LottieAnimationLayer::setLoopMode(LottieLoopMode mode) {
    loopMode_ = mode;
    restartRunningAnimation();
}

void LottieAnimationLayer::setAnimationSpeed(double speed) {
    animationSpeed_ = speed;
    restartRunningAnimation();
}

void LottieAnimationLayer::setShouldRasterizeWhenIdle(bool rasterize) {
    shouldRasterizeWhenIdle_ = rasterize;
    refreshRasterization();
}

// Reduced motion.

std::shared_ptr<const Marker> LottieAnimationLayer::markerForReducedMotion() const {
    if (!animation_) return nullptr;
    if (configuration_.reducedMotionOption.currentReducedMotionMode() != ReducedMotionMode::reducedMotion) {
        return nullptr;
    }
    return animation_->markerForReducedMotion();
}

void LottieAnimationLayer::playReducedMotionMarker(CompletionBlock completion) {
    const auto marker = markerForReducedMotion();
    if (!marker) return;
    // Standard motion for the nested request only, so that it plays the marker
    // instead of turning to it again. The engine is unchanged: nothing rebuilds.
    const LottieConfiguration kept = configuration_;
    LottieConfiguration standard = kept;
    standard.reducedMotionOption = ReducedMotionOption::standardMotion();
    setConfiguration(standard);
    playMarker(marker->name, std::nullopt, std::move(completion));
    setConfiguration(kept);
}

// Background behaviour.

LottieBackgroundBehavior LottieAnimationLayer::backgroundBehavior() const {
    const bool coreAnimation = std::dynamic_pointer_cast<CoreAnimationRootLayer>(rootAnimationLayer_) != nullptr;
    const bool mainThread = rootAnimationLayer_ && !coreAnimation;
    if (backgroundBehavior_) {
        if (mainThread && *backgroundBehavior_ == LottieBackgroundBehavior::continuePlaying) {
            logger_->assertionFailure(
                [] {
                    return std::string(
                        "`LottieBackgroundBehavior.continuePlaying` should not be used with the Main Thread\n"
                        "rendering engine, since this would waste CPU resources on playing an animation\n"
                        "that is not visible. Consider using a different background mode, or switching to\n"
                        "the Core Animation rendering engine (which does not have any CPU overhead).");
                },
                sourceFile, __LINE__);
        }
        return *backgroundBehavior_;
    }
    return coreAnimation ? LottieBackgroundBehavior::continuePlaying : LottieBackgroundBehavior::pauseAndRestore;
}

void LottieAnimationLayer::animationWillMoveToBackground() {
    if (!animationContext_) return;
    const AnimationContext request = *animationContext_;
    switch (backgroundBehavior()) {
        case LottieBackgroundBehavior::stop:
            dropRunningAnimation();
            setFrameWithoutActions(request.playFrom);
            break;
        case LottieBackgroundBehavior::pause: dropRunningAnimation(); break;
        case LottieBackgroundBehavior::pauseAndRestore:
            if (request.closure) request.closure->setIgnoreDelegate(true);
            dropRunningAnimation();
            animationContext_ = request;
            break;
        case LottieBackgroundBehavior::forceFinish:
            dropRunningAnimation();
            setFrameWithoutActions(request.playTo);
            break;
        case LottieBackgroundBehavior::continuePlaying: break;
    }
}

void LottieAnimationLayer::animationWillEnterForeground(bool waitingToPlay) {
    if (!animationContext_) return;
    if (waitingToPlay) {
        // The stored request starts again, under a delegate that has not been muted
        // (a paused-and-kept request's has) and with any copy of it still attached
        // taken away first, so that its block is still called, and only once.
        const AnimationContext request = *animationContext_;
        auto delegate = takeOverDelegate(request);
        if (rootAnimationLayer_ && !coreAnimationEngineInUse()) {
            const double frame = presentedFrame();
            rootAnimationLayer_->removeAnimation(playbackAnimationKey());
            rootAnimationLayer_->setCurrentFrame(frame);
        }
        startAnimationForContext({request.playFrom, request.playTo, request.framerate, delegate});
    } else if (backgroundBehavior() == LottieBackgroundBehavior::pauseAndRestore) {
        restartRunningAnimation();
    }
}

}  // namespace lottie
