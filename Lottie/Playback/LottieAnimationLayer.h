#pragma once
// The layer that owns one decoded animation and plays it. It keeps the playback
// settings (loop mode, speed, providers, value providers, configuration), builds
// the root layer of the chosen rendering engine as its only sublayer (the
// rendering layer), rebuilds it whenever the animation or the engine changes, and
// turns play, pause and stop requests into one compositor animation of the
// rendering layer's "currentFrame" (main-thread engine) or a pending
// configuration (Core Animation engine).
//
// Every view and control holds one of these, made by one of the make functions
// (the layer must be owned by a shared pointer before it can build). It owns the
// animation, providers and rendering layer; the rendering layer points back to it
// weakly. Main thread only; completion blocks and deferred work arrive through the
// main run loop.
//
// Completion blocks of play requests are called at most once: true when the
// request ran to its end, false when it was stopped, paused, replaced or its
// rendering layer rebuilt. A request restarted for a new loop mode or speed, or
// resumed after a fallback or a return from the background, keeps its block.

#include <any>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "Lottie/Model/LottieAnimation.h"
#include "Lottie/Playback/AnimationContext.h"
#include "Lottie/DotLottie/DotLottieFile.h"
#include "Lottie/Playback/DotLottieEntry.h"
#include "Lottie/Playback/Engine/CompatibilityIssue.h"
#include "Lottie/Playback/Engine/CompatibilityTracker.h"
#include "Lottie/Playback/Engine/CoreAnimationRootLayer.h"
#include "Lottie/Playback/Engine/PreparedRenderingLayer.h"
#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/LottieLogger.h"
#include "Lottie/Playback/PlaybackModes/LottieBackgroundBehavior.h"
#include "Lottie/Playback/PlaybackModes/LottieLoopMode.h"
#include "Lottie/Playback/PlaybackModes/LottiePlaybackMode.h"
#include "Lottie/Playback/Providers/AnimationFontProvider.h"
#include "Lottie/Playback/Providers/AnimationImageProvider.h"
#include "Lottie/Playback/Providers/AnimationKeypathTextProvider.h"
#include "Lottie/Playback/RootAnimationLayer.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Platform/Compositor/Layer.h"

namespace lottie {

class LottieAnimationLayer : public platform::compositor::Layer {
public:
    using CompletionBlock = std::function<void(bool finished)>;
    using AnimationLayerDidLoad = std::function<void(LottieAnimationLayer&, const RenderingEngineOption&)>;
    using AnimationLoaded = std::function<void(LottieAnimationLayer&, const std::shared_ptr<const LottieAnimation>&)>;
    using ValueProviders = std::unordered_map<AnimationKeypath, std::shared_ptr<AnyValueProvider>>;

    // From an animation (or none). A missing image provider means the main bundle's
    // images; missing text and font providers mean the default ones.
    static std::shared_ptr<LottieAnimationLayer> make(
        std::shared_ptr<const LottieAnimation> animation,
        std::shared_ptr<AnimationImageProvider> imageProvider = nullptr,
        std::shared_ptr<AnimationKeypathTextProvider> textProvider = nullptr,
        std::shared_ptr<AnimationFontProvider> fontProvider = nullptr,
        LottieConfiguration configuration = LottieConfiguration::shared(),
        std::shared_ptr<LottieLogger> logger = LottieLogger::shared());
    // From a dotLottie package: its animation of that identifier (the first without
    // one) with the entry's loop mode and speed, and the package's image provider.
    static std::shared_ptr<LottieAnimationLayer> makeWithDotLottie(
        const DotLottieContents* package, const std::optional<std::string>& animationId = std::nullopt,
        std::shared_ptr<AnimationKeypathTextProvider> textProvider = nullptr,
        std::shared_ptr<AnimationFontProvider> fontProvider = nullptr,
        LottieConfiguration configuration = LottieConfiguration::shared(),
        std::shared_ptr<LottieLogger> logger = LottieLogger::shared());
    // The same from a loaded package (or none).
    static std::shared_ptr<LottieAnimationLayer> makeWithDotLottie(
        const std::shared_ptr<const DotLottieFile>& file, const std::optional<std::string>& animationId = std::nullopt,
        std::shared_ptr<AnimationKeypathTextProvider> textProvider = nullptr,
        std::shared_ptr<AnimationFontProvider> fontProvider = nullptr,
        LottieConfiguration configuration = LottieConfiguration::shared(),
        std::shared_ptr<LottieLogger> logger = LottieLogger::shared());
    // Without an animation: no rendering layer until one is set.
    static std::shared_ptr<LottieAnimationLayer> makeEmpty(
        LottieConfiguration configuration = LottieConfiguration::shared(),
        std::shared_ptr<LottieLogger> logger = LottieLogger::shared());

    // A presentation copy: the animation, providers, logger, scale and configuration,
    // never a rendering layer.
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override;

    // Playback.
    void play(CompletionBlock completion = {});
    void playFromProgress(std::optional<double> fromProgress, double toProgress,
                          std::optional<LottieLoopMode> loopMode = std::nullopt, CompletionBlock completion = {});
    void playFromFrame(std::optional<double> fromFrame, double toFrame,
                       std::optional<LottieLoopMode> loopMode = std::nullopt, CompletionBlock completion = {});
    void playFromMarker(std::optional<std::string> fromMarker, const std::string& toMarker,
                        bool playEndMarkerFrame = true, std::optional<LottieLoopMode> loopMode = std::nullopt,
                        CompletionBlock completion = {});
    void playMarker(const std::string& marker, std::optional<LottieLoopMode> loopMode = std::nullopt,
                    CompletionBlock completion = {});
    // Plays the markers one after another, each once; the completion hears true
    // after the last one and false when one is interrupted.
    void playMarkers(const std::vector<std::string>& markers, CompletionBlock completion = {});
    // Drops the request and moves to frame 0.
    void stop();
    // Drops the request and keeps the frame on screen.
    void pause();
    void pauseAt(const LottiePlaybackMode::PausedState& state);
    void adoptPlaybackMode(const LottiePlaybackMode& mode, CompletionBlock completion = {});
    void playPlaybackMode(const LottiePlaybackMode::PlaybackMode& mode, CompletionBlock completion = {});

    // The host's background hooks.
    void animationWillMoveToBackground();
    void animationWillEnterForeground(bool waitingToPlay);

    // State.
    const std::optional<LottiePlaybackMode>& currentPlaybackMode() const { return currentPlaybackMode_; }
    const ValueProviders& valueProviders() const { return valueProviders_; }
    const AnimationLayerDidLoad& animationLayerDidLoad() const { return animationLayerDidLoad_; }
    void setAnimationLayerDidLoad(AnimationLayerDidLoad callback) { animationLayerDidLoad_ = std::move(callback); }
    const LottieConfiguration& configuration() const { return configuration_; }
    void setConfiguration(const LottieConfiguration& configuration);
    // The rendering layer, or none.
    std::shared_ptr<RootAnimationLayer> renderingLayer() const { return rootAnimationLayer_; }
    double screenScale() const { return screenScale_; }
    void setScreenScale(double scale);
    LottieBackgroundBehavior backgroundBehavior() const;
    void setBackgroundBehavior(std::optional<LottieBackgroundBehavior> behavior) { backgroundBehavior_ = behavior; }
    const std::shared_ptr<const LottieAnimation>& animation() const { return animation_; }
    void setAnimation(std::shared_ptr<const LottieAnimation> animation);
    // The same, with a rendering layer built ahead for the animation (on the
    // thread that decoded it): adopted instead of building one here when it
    // was built for what this layer holds now (PreparedRenderingLayer::Request),
    // else left and built anew. Either way it is spent.
    void setAnimation(std::shared_ptr<const LottieAnimation> animation,
                      std::shared_ptr<PreparedRenderingLayer> prepared);
    // What a rendering layer for `animation` would be built from now.
    PreparedRenderingLayer::Request renderingLayerRequest(std::shared_ptr<const LottieAnimation> animation) const;
    const AnimationLoaded& animationLoaded() const { return animationLoaded_; }
    void setAnimationLoaded(AnimationLoaded callback);
    const std::shared_ptr<AnimationImageProvider>& imageProvider() const { return imageProvider_; }
    void setImageProvider(std::shared_ptr<AnimationImageProvider> provider);
    const std::shared_ptr<AnimationKeypathTextProvider>& textProvider() const { return textProvider_; }
    void setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider);
    const std::shared_ptr<AnimationFontProvider>& fontProvider() const { return fontProvider_; }
    void setFontProvider(std::shared_ptr<AnimationFontProvider> provider);
    bool maskAnimationToBounds() const { return maskAnimationToBounds_; }
    void setMaskAnimationToBounds(bool mask);
    bool isPlaying() const;
    LottieLoopMode loopMode() const { return loopMode_; }
    void setLoopMode(LottieLoopMode mode);
    bool shouldRasterizeWhenIdle() const { return shouldRasterizeWhenIdle_; }
    void setShouldRasterizeWhenIdle(bool rasterize);
    double playheadProgress() const;
    void setPlayheadProgress(double progress);
    // Seconds from the start frame.
    double playheadTime() const;
    void setPlayheadTime(double seconds);
    double currentFrame() const;
    void setCurrentFrame(double frame);
    // The frame and progress on screen while an animation runs.
    double presentedFrame() const;
    double presentedProgress() const;
    double animationSpeed() const { return animationSpeed_; }
    void setAnimationSpeed(double speed);
    bool respectAnimationFrameRate() const { return respectAnimationFrameRate_; }
    void setRespectAnimationFrameRate(bool respect);
    std::optional<RenderingEngine> activeEngine() const;
    bool mainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame() const { return forceDisplayUpdate_; }
    void setMainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame(bool force);
    const std::optional<AnimationContext>& animationContext() const { return animationContext_; }
    // The key of the playback animation on the rendering layer.
    std::string playbackAnimationKey() const;
    const std::shared_ptr<LottieLogger>& logger() const { return logger_; }

    // dotLottie entries. A negative index or one past the end does nothing.
    void loadDotLottieAnimation(const DotLottieEntry& entry,
                                std::shared_ptr<PreparedRenderingLayer> prepared = nullptr);
    void loadDotLottieAnimationById(const std::optional<std::string>& animationId, const DotLottieContents& package);
    void loadDotLottieAnimationAtIndex(std::ptrdiff_t index, const DotLottieContents& package);
    void loadDotLottieAnimationById(const std::optional<std::string>& animationId, const DotLottieFile& file) {
        loadDotLottieAnimationById(animationId, file.contents());
    }
    void loadDotLottieAnimationAtIndex(std::ptrdiff_t index, const DotLottieFile& file) {
        loadDotLottieAnimationAtIndex(index, file.contents());
    }

    // Keypath services, forwarded to the rendering layer; without one they give
    // nothing and do nothing.
    void refreshImages();
    void redrawCurrentFrame();
    // Remembered (and replayed into every later rendering layer) only while a
    // rendering layer exists.
    void installValueProvider(std::shared_ptr<AnyValueProvider> provider, const AnimationKeypath& keypath);
    // Takes away every remembered provider whose keypath the pattern matches.
    void uninstallValueProvider(const AnimationKeypath& keypath);
    std::any valueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame = std::nullopt);
    std::any unoverriddenValueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame = std::nullopt);
    void logAllKeypaths();
    std::vector<std::string> collectAllKeypaths();
    std::optional<platform::graphics::Rect> convertRectToKeypath(const platform::graphics::Rect& rect,
                                                                 const std::optional<AnimationKeypath>& keypath);
    std::optional<platform::graphics::Point> convertPointToKeypath(platform::graphics::Point point,
                                                                   const std::optional<AnimationKeypath>& keypath);
    void setAnimatorNodesEnabled(bool enabled, const AnimationKeypath& keypath);
    std::optional<double> progressForMarker(const std::string& name) const;
    std::optional<double> frameForMarker(const std::string& name) const;
    std::optional<double> durationForMarker(const std::string& name) const;

    // The reduced-motion marker, when reduced motion is in effect now.
    std::shared_ptr<const Marker> markerForReducedMotion() const;

    // Stops a running, unfinished request without reporting its completion and
    // starts it again from the frame shown, so that a rendering engine that
    // builds its animations ahead picks up changed providers. Nothing without a
    // running request.
    void restartRunningAnimation();

    // Use the make functions; public only for std::make_shared.
    struct Private {};
    LottieAnimationLayer(Private, LottieConfiguration configuration, std::shared_ptr<LottieLogger> logger);
    LottieAnimationLayer(Private, const LottieAnimationLayer& layer);

private:
    std::shared_ptr<LottieAnimationLayer> self();

    // Playback internals.
    void setFrameWithoutActions(double frame);
    void refreshRasterization();
    void dropRunningAnimation();
    void dropRunningAnimationIfAny();
    void startAnimationForContext(const AnimationContext& context);
    void startMainThreadAnimation(const AnimationContext& context);
    void startCoreAnimation(const AnimationContext& context);
    void playReducedMotionMarker(CompletionBlock completion);
    void playMarkers(const std::vector<std::string>& markers, CompletionBlock completion, bool continuing);
    void record(LottiePlaybackMode mode) { currentPlaybackMode_ = std::move(mode); }
    bool reducedMotionMarkerApplies() const { return markerForReducedMotion() != nullptr; }
    // Mutes the request's delegate and makes a new one that carries its block,
    // unless the old one has already reported.
    static std::shared_ptr<AnimationCompletionDelegate> takeOverDelegate(const AnimationContext& context);
    bool coreAnimationEngineInUse() const;
    bool renderingLayerIsPlaying() const;

    // Engine construction.
    // `textCutReports`: what the engine taken over from has said of its texts.
    void buildEngineLayer(const RenderingEngineOption& option,
                          std::shared_ptr<platform::text::TextCutReports> textCutReports = nullptr);
    std::shared_ptr<RootAnimationLayer> buildMainThreadEngineLayer(
        std::shared_ptr<platform::text::TextCutReports> textCutReports);
    std::shared_ptr<RootAnimationLayer> buildCoreAnimationEngineLayer();
    // The prepared Core Animation root layer when there is one, else one built
    // now with a tracker in `mode`; throws what that build throws.
    std::shared_ptr<CoreAnimationRootLayer> makeCoreAnimationEngineLayer(CompatibilityTracker::Mode mode);
    std::shared_ptr<RootAnimationLayer> buildAutomaticEngineLayer();
    void fallBackToMainThreadEngine(const std::vector<CompatibilityIssue>& issues, bool warn = true);

    std::optional<LottiePlaybackMode> currentPlaybackMode_;
    ValueProviders valueProviders_;
    AnimationLayerDidLoad animationLayerDidLoad_;
    LottieConfiguration configuration_;
    double screenScale_ = 1;
    std::shared_ptr<const LottieAnimation> animation_;
    AnimationLoaded animationLoaded_;
    std::shared_ptr<AnimationImageProvider> imageProvider_;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider_;
    std::shared_ptr<AnimationFontProvider> fontProvider_;
    bool maskAnimationToBounds_ = true;
    LottieLoopMode loopMode_ = LottieLoopMode::playOnce();
    bool shouldRasterizeWhenIdle_ = false;
    double animationSpeed_ = 1;
    bool respectAnimationFrameRate_ = false;
    bool forceDisplayUpdate_ = false;
    std::shared_ptr<RootAnimationLayer> rootAnimationLayer_;
    // A rendering layer built ahead, offered to the build under way (setAnimation).
    std::shared_ptr<PreparedRenderingLayer> prepared_;
    std::optional<AnimationContext> animationContext_;
    std::string activeAnimationName_ = "Lottie";
    std::int64_t animationID_ = 0;
    std::shared_ptr<LottieLogger> logger_;
    std::optional<LottieBackgroundBehavior> backgroundBehavior_;
};

}  // namespace lottie
