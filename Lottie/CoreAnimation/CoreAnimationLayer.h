#pragma once
// The root layer of the Core Animation engine. It builds its layer tree once,
// when it is made, and afterwards only replaces animations: every play, pause
// or seek becomes a pending configuration that the next display pass applies by
// removing the tree's animations, adding one "animationProgress" animation from
// 0 to 1 to itself and asking each layer of the tree to install its property
// animations, all in the request's timing (AnimationTimingWrapper). The
// compositor then plays the tree with no work from the library per frame.
//
// Playing and pausing:
//
//   play request   -> pending (configuration, playing)  -> display pass installs
//   pause at f     -> pending (paused configuration, paused f) -> display pass installs
//   pause at f'    -> while that paused configuration stands: timeOffset only
//
// The paused configuration spans the whole animation (one frame longer, so that
// the end frame can show) at speed 0; this layer's speed is the request's, and
// its time offset, (f - startFrame) / framerate, picks the frame shown.
//
// Keyframe values the engine makes itself (combined, sampled, resampled and
// mapped) are charged to one sampling budget per document: what building the
// tree spends stays charged, and each display pass may spend the rest. Past it
// the document is a compatibility issue; in track mode (an explicitly chosen
// engine) the layer then refuses it: it shows nothing and installs nothing
// again, so that later plays and pauses repeat no work, until a change of
// providers could make the document cheaper.
//
// Made by the animation layer through CoreAnimationLayerFactory (install() puts
// this engine there), owned by it as its rendering layer, and driven through
// RootAnimationLayer and CoreAnimationRootLayer. Main thread only, once it is
// handed over: a layer built ahead on a loading thread (PreparedRenderingLayer)
// derives its first display pass there too (deriveAhead).

#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Lottie/CoreAnimation/LayerAnimationContext.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/CoreAnimation/LoggingState.h"
#include "Lottie/CoreAnimation/ValueProviderStore.h"
#include "Lottie/Playback/Engine/CoreAnimationLayerFactory.h"
#include "Lottie/Playback/Engine/CoreAnimationRootLayer.h"
#include "Platform/Graphics/OpeningDeadline.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "Platform/Text/TextLayoutCache.h"

namespace lottie {

class CoreAnimationLayer final : public CoreAnimationRootLayer {
public:
    static constexpr const char* animationProgressKey = "animationProgress";

    // Builds the layer and its tree; throws CompatibilityTracker::Error in abort
    // mode (the animation layer then falls back to the main-thread engine).
    static std::shared_ptr<CoreAnimationLayer> make(const CoreAnimationLayerRequest& request);
    // Makes this engine the one CoreAnimationLayerFactory builds.
    static void install();
    // The issue of an animation whose remapped layers times its frames are too
    // many to resample (one keyframe per frame each); none when they are few
    // enough or the frame count is no number.
    static std::optional<std::string> timeRemappingCostMessage(double layerCount, const LottieAnimation& animation);

    // Use make(); the layer tree needs a shared pointer to hang from.
    explicit CoreAnimationLayer(const CoreAnimationLayerRequest& request);
    // The presentation copy: the animation, the configuration in force, the
    // providers, the callback, the tracker, the logger and the store.
    CoreAnimationLayer(const CoreAnimationLayer& layer);

    // The display pass: applies the pending configuration, if any. The root layer
    // draws nothing of its own.
    void display() override;
    void layoutSublayers() override;
    std::shared_ptr<platform::compositor::Layer> makePresentationCopy() const override;
    // Logs, once for this layer, what a limit of the renderer left out of the
    // tree below it, as the main-thread engine's root layer does.
    bool reportRenderLimit(const std::string& message) override;

    void setPendingAnimationConfiguration(std::optional<PendingAnimationConfiguration> configuration) override;
    // A pass over the tree that attaches nothing, its results kept for the
    // first display pass: that pass charges them to its sampling budget, and
    // the time they took to its deadline, as if it had made them. Reports
    // nothing: the display pass meets what this one met.
    void deriveAhead() override;
    const std::optional<PendingAnimationConfiguration>& pendingAnimationConfiguration() const override {
        return pendingAnimationConfiguration_;
    }
    // Changes the pending configuration in the next display pass, once.
    void setPendingAnimationConfigurationModification(std::function<void(AnimationConfiguration&)> modification) {
        pendingAnimationConfigurationModification_ = std::move(modification);
    }
    const std::optional<AnimationConfiguration>& currentAnimationConfiguration() const {
        return currentAnimationConfiguration_;
    }
    const std::optional<PlaybackState>& currentPlaybackState() const { return currentPlaybackState_; }
    // The animation's progress as this layer holds it (the compositor presents
    // the animated value on the presentation copy).
    double animationProgress() const;
    bool isAnimationPlaying() const;
    const std::shared_ptr<CompatibilityTracker>& compatibilityTracker() const { return compatibilityTracker_; }
    const std::shared_ptr<ValueProviderStore>& valueProviderStore() const { return valueProviderStore_; }
    const std::shared_ptr<const LottieAnimation>& lottieAnimation() const { return animation_; }

    // RootAnimationLayer.
    double currentFrame() const override;
    void setCurrentFrame(double frame) override;
    double renderScale() const override { return contentsScale(); }
    void setRenderScale(double scale) override;
    bool respectAnimationFrameRate() const override { return false; }
    void setRespectAnimationFrameRate(bool respect) override;
    std::vector<std::shared_ptr<platform::compositor::Layer>> allAnimationLayers() const override;
    std::shared_ptr<AnimationImageProvider> imageProvider() const override { return imageProvider_; }
    void setImageProvider(std::shared_ptr<AnimationImageProvider> provider) override;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider() const override { return textProvider_; }
    void setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider) override;
    std::shared_ptr<AnimationFontProvider> fontProvider() const override { return fontProvider_; }
    std::shared_ptr<platform::text::TextCutReports> textCutReports() const override { return textLayouts_->reports(); }
    void setFontProvider(std::shared_ptr<AnimationFontProvider> provider) override;
    std::optional<std::string> playbackAnimationKey() const override { return std::string(animationProgressKey); }
    std::optional<bool> isAnimationPlayingIfKnown() const override { return isAnimationPlaying(); }
    void refreshImages() override;
    void redrawCurrentFrame() override {}
    void logAllKeypaths() override;
    std::vector<std::string> collectAllKeypaths() override;
    void installValueProvider(std::shared_ptr<AnyValueProvider> provider, const AnimationKeypath& keypath) override;
    void uninstallValueProvider(const AnimationKeypath& keypath) override;
    std::any valueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) override;
    std::any unoverriddenValueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) override;
    std::shared_ptr<platform::compositor::Layer> layerForKeypath(const AnimationKeypath& keypath) override;
    std::optional<std::vector<std::shared_ptr<AnimatorNode>>> nodesAtKeypath(const AnimationKeypath& keypath) override;

private:
    // The context of building layers: the animation, the current providers and the tracker.
    LayerContext layerContext() const;
    void setUpLayerTree();
    // Whether the animation's frame rate and frames allow any time to be worked
    // out; reports a compatibility issue when they do not.
    bool checkTimeline();
    void checkTimeRemappingCost();
    void applyAnimationConfiguration(const AnimationConfiguration& configuration);
    // The context of a pass of `configuration` over the tree, charged to a
    // copy of what building the tree charged.
    LayerAnimationContext passContext(const AnimationConfiguration& configuration,
                                      const std::shared_ptr<platform::graphics::ProcessorDeadline>& deadline,
                                      std::shared_ptr<PassResults> results) const;
    void animateProgress(const LayerAnimationContext& context);
    void removeAllAnimationsRecursively();
    // Removes the animations of every layer below `root`, masks included.
    static void removeAnimationsBelow(const Layer& root);
    void setCurrentPlaybackState(std::optional<PlaybackState> state);
    AnimationConfiguration pausedConfiguration() const;
    void rebuildCurrentAnimation();
    // Tells the playback core of an error that is no compatibility issue and stops
    // the animations it left half installed.
    void stopAfterUnexpectedError(const std::string& description);
    // After the sampling budget ran out in track mode: nothing half installed
    // stays, and nothing shows.
    void refuseOverBudgetAnimations();
    // Lets a change of providers try the document again.
    void forgetSamplingRefusal();
    // What was derived ahead may not be what the providers now give.
    void forgetAheadResults();

    std::shared_ptr<AnimationImageProvider> imageProvider_;
    std::shared_ptr<AnimationKeypathTextProvider> textProvider_;
    std::shared_ptr<AnimationFontProvider> fontProvider_;
    std::optional<PendingAnimationConfiguration> pendingAnimationConfiguration_;
    std::function<void(AnimationConfiguration&)> pendingAnimationConfigurationModification_;
    std::optional<AnimationConfiguration> currentAnimationConfiguration_;
    std::optional<double> animationStartedAt_;
    std::shared_ptr<const LottieAnimation> animation_;
    std::shared_ptr<ValueProviderStore> valueProviderStore_;
    std::shared_ptr<CompatibilityTracker> compatibilityTracker_;
    std::shared_ptr<LottieLogger> logger_;
    std::shared_ptr<LoggingState> loggingState_;
    std::optional<PlaybackState> currentPlaybackState_;
    // False for an animation whose frame rate or frames are no usable numbers,
    // or whose tree could not be built within the sampling budget: then nothing
    // is timed or installed.
    bool hasUsableTimeline_ = true;
    // What building the tree charged; each display pass starts from a copy.
    std::shared_ptr<SamplingBudget> treeSampling_ = std::make_shared<SamplingBudget>();
    // Set when a display pass ran out of the sampling budget in track mode.
    bool samplingRefused_ = false;
    // What the pass run ahead derived, for the first display pass; dropped
    // by any change of providers.
    std::shared_ptr<PassResults> aheadResults_;
    // The opening of the document this layer was set up in: its set-up
    // passes take their deadlines from it until its first frame is drawn.
    std::shared_ptr<platform::graphics::OpeningDeadline> opening_;
    // A deadline of setUpDeadlineSeconds for a pass of the set-up, a share
    // of the opening's while it lasts.
    std::shared_ptr<platform::graphics::ProcessorDeadline> setUpDeadline(
        platform::graphics::OpeningDeadline::Phase phase = platform::graphics::OpeningDeadline::Phase::setUp) const;
    // The layouts of the animation's texts, kept across rebuilds of the tree.
    std::shared_ptr<platform::text::TextLayoutCache> textLayouts_ = std::make_shared<platform::text::TextLayoutCache>();
};

}  // namespace lottie
