// How LottieAnimationLayer turns a play request into work for its rendering
// engine, and how it drops and restarts requests.
//
// Main-thread engine: one basic animation of the rendering layer's "currentFrame"
// from the request's first to its last frame (both clamped into the animation),
// with the loop mode's repeat count and auto-reverse and the layer's speed. Its
// begin time is moved into the past so that playback resumes at the frame shown:
//
//   lower                start                 upper
//     |--------------------|---------------------|      frames of the request
//     |<----- offset ----->|                            speed agrees with the range
//                          |<------ offset ----->|      speed runs against it
//   begin time = now - (offset / framerate) / |speed|
//
// Core Animation engine: the same request as a pending configuration that the
// engine's root layer applies in its next display pass.

#include <algorithm>
#include <cmath>
#include <string>

#include "Lottie/Playback/Engine/CoreAnimationRootLayer.h"
#include "Lottie/Playback/LottieAnimationLayer.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Compositor/Transaction.h"

namespace lottie {

namespace {

constexpr const char* sourceFile = "Lottie/LottieAnimationLayer";

}  // namespace

std::shared_ptr<AnimationCompletionDelegate> LottieAnimationLayer::takeOverDelegate(const AnimationContext& context) {
    const auto& old = context.closure;
    CompletionBlock block;
    if (old) {
        if (old->animationState() == AnimationContextState::playing) block = old->completionBlock();
        old->setIgnoreDelegate(true);
    }
    return std::make_shared<AnimationCompletionDelegate>(std::move(block));
}

bool LottieAnimationLayer::coreAnimationEngineInUse() const {
    if (auto engine = configuration_.renderingEngine.engine()) return *engine == RenderingEngine::coreAnimation;
    return !rootAnimationLayer_ || std::dynamic_pointer_cast<CoreAnimationRootLayer>(rootAnimationLayer_) != nullptr;
}

void LottieAnimationLayer::startAnimationForContext(const AnimationContext& context) {
    if (!rootAnimationLayer_ || !animation_) return;
    // Frames or a frame rate that are not numbers would reach the compositor's
    // timing as not-a-number; such a request cannot play.
    if (!(context.framerate > 0) || !std::isfinite(context.framerate) || !std::isfinite(context.playFrom) ||
        !std::isfinite(context.playTo)) {
        logger_->warn(
            [context] {
                return "Cannot play from frame " + std::to_string(context.playFrom) + " to " +
                       std::to_string(context.playTo) + " at " + std::to_string(context.framerate) +
                       " frames per second";
            },
            sourceFile, __LINE__);
        return;
    }
    animationContext_ = context;
    ++animationID_;
    activeAnimationName_ = "Lottie" + std::to_string(animationID_);
    if (std::dynamic_pointer_cast<CoreAnimationRootLayer>(rootAnimationLayer_)) {
        startCoreAnimation(context);
    } else {
        startMainThreadAnimation(context);
    }
}

void LottieAnimationLayer::startMainThreadAnimation(const AnimationContext& context) {
    const double lo = std::min(animation_->startFrame, animation_->endFrame);
    const double hi = std::max(animation_->startFrame, animation_->endFrame);
    const double from = std::clamp(context.playFrom, lo, hi);
    const double to = std::clamp(context.playTo, lo, hi);
    const double lower = std::min(from, to);
    const double upper = std::max(from, to);
    const bool agrees = (animationSpeed_ > 0 && from < to) || (animationSpeed_ < 0 && to < from);
    const double duration = (upper - lower) / context.framerate;
    const double shown = std::clamp(rootAnimationLayer_->currentFrame(), lower, upper);
    // A playhead resting where this playback would end starts it over. At a
    // negative speed the animation runs from `to` back to `from`, so that end is
    // `from`, and `to` is where it begins.
    const double playbackEnd = animationSpeed_ < 0 ? from : to;
    const double playbackBeginning = animationSpeed_ < 0 ? to : from;
    const double start = shown == playbackEnd ? playbackBeginning : shown;
    const double offset = agrees ? start - lower : upper - start;

    auto animation = platform::compositor::BasicAnimation::make("currentFrame");
    animation->setFromValue(from);
    animation->setToValue(to);
    animation->setSpeed(static_cast<float>(animationSpeed_));
    animation->setDuration(duration);
    animation->setFillMode(platform::compositor::FillMode::both);
    animation->setRepeatCount(loopMode_.repeatCount());
    animation->setAutoreverses(loopMode_.autoreverses());
    animation->setRemovedOnCompletion(false);
    if (offset / context.framerate != 0) {
        if (animationSpeed_ != 0) {
            const double now = convertTime(platform::compositor::MediaClock::currentTime(), nullptr);
            animation->setBeginTime(now - (offset / context.framerate) / std::fabs(animationSpeed_));
        } else {
            // A speed of 0 never advances, so no begin time could reach the start
            // frame; the time offset holds the animation there instead.
            animation->setTimeOffset(std::fabs(start - from) / context.framerate);
        }
    }

    const std::string key = playbackAnimationKey();
    context.closure->setAnimationLayer(rootAnimationLayer_);
    context.closure->setAnimationKey(key);
    animation->setDelegate(context.closure);
    rootAnimationLayer_->addAnimation(animation, key);
    refreshRasterization();
}

void LottieAnimationLayer::startCoreAnimation(const AnimationContext& context) {
    auto layer = std::static_pointer_cast<CoreAnimationRootLayer>(rootAnimationLayer_);
    double from = context.playFrom;
    double to = context.playTo;
    if (animationSpeed_ < 0) std::swap(from, to);
    const double lower = std::min(from, to);
    const double upper = std::max(from, to);
    double timeOffset = 0;
    const double shown = layer->currentFrame();
    const double rounded = std::round(shown);
    if (lower <= rounded && rounded < upper) {
        if (loopMode_ == LottieLoopMode::playOnce()) {
            // Continue from the frame shown instead of starting over.
            if (to != shown) from = shown;
        } else {
            auto time = [this](double frame) { return (frame - animation_->startFrame) / animation_->framerate; };
            timeOffset = animationSpeed_ >= 0 ? time(shown) - time(from) : time(from) - time(shown);
        }
    }
    if (from == to) {
        setCurrentFrame(to);
        if (context.closure && context.closure->hasCompletionBlock()) {
            CompletionBlock block = context.closure->completionBlock();
            block(true);
        }
        return;
    }
    CoreAnimationRootLayer::PendingAnimationConfiguration pending{
        {AnimationContext{from, to, context.framerate, context.closure},
         {loopMode_.autoreverses(), loopMode_.repeatCount(), static_cast<float>(std::fabs(animationSpeed_)),
          timeOffset},
         nullptr},
        CoreAnimationRootLayer::PlaybackState::playing()};
    layer->setPendingAnimationConfiguration(std::move(pending));
    layer->setNeedsDisplay();
}

void LottieAnimationLayer::dropRunningAnimation() {
    if (!animationContext_) return;
    const double frame = presentedFrame();
    if (rootAnimationLayer_) rootAnimationLayer_->removeAnimation(playbackAnimationKey());
    setFrameWithoutActions(frame);
    animationContext_.reset();
}

void LottieAnimationLayer::dropRunningAnimationIfAny() {
    if (coreAnimationEngineInUse()) {
        // The engine replaces its animations when it applies the next request; the
        // removal then reports this one as unfinished.
        animationContext_.reset();
    } else {
        dropRunningAnimation();
    }
}

void LottieAnimationLayer::restartRunningAnimation() {
    if (!animationContext_) return;
    const AnimationContext request = *animationContext_;
    if (request.closure && request.closure->animationState() == AnimationContextState::complete) {
        animationContext_.reset();
        return;
    }
    auto delegate = takeOverDelegate(request);
    const double frame = presentedFrame();
    if (rootAnimationLayer_) {
        rootAnimationLayer_->removeAnimation(playbackAnimationKey());
        rootAnimationLayer_->setCurrentFrame(frame);
    }
    startAnimationForContext({request.playFrom, request.playTo, request.framerate, delegate});
}

void LottieAnimationLayer::setFrameWithoutActions(double frame) {
    if (!rootAnimationLayer_) return;
    if (!std::isfinite(frame)) {
        logger_->warn([frame] { return "Ignored a move to frame " + std::to_string(frame); }, sourceFile, __LINE__);
        return;
    }
    platform::compositor::Transaction::begin();
    // Held strongly until the transaction completes. The frame is shown again
    // once the move has settled, updating only what changed: a forced redraw of
    // every node after each pause would undo the engine's change tracking.
    std::shared_ptr<RootAnimationLayer> layer = rootAnimationLayer_;
    platform::compositor::Transaction::setCompletionBlock([layer] { layer->setNeedsDisplay(); });
    platform::compositor::Transaction::setDisableActions(true);
    layer->setCurrentFrame(frame);
    platform::compositor::Transaction::commit();
}

void LottieAnimationLayer::refreshRasterization() {
    if (!rootAnimationLayer_) return;
    rootAnimationLayer_->setShouldRasterize(renderingLayerIsPlaying() ? false : shouldRasterizeWhenIdle_);
}

}  // namespace lottie
