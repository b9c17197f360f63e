#include "Lottie/CoreAnimation/CoreAnimationLayer.h"

#include <cmath>
#include <cstdio>
#include <sstream>
#include <limits>
#include <optional>
#include <utility>

#include "Lottie/CoreAnimation/AnimationLayer.h"
#include "Lottie/CoreAnimation/AnimationTimingWrapper.h"
#include "Lottie/CoreAnimation/BaseAnimationLayer.h"
#include "Lottie/CoreAnimation/ImageLayer.h"
#include "Lottie/CoreAnimation/TextLayer.h"
#include "Lottie/CoreAnimation/LayerContext.h"
#include "Lottie/CoreAnimation/LayerTreeBuilder.h"
#include "Lottie/Playback/Engine/LayerBuildWeight.h"
#include "Lottie/Playback/LottieAnimationLayer.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/FrameThread.h"
#include "Platform/Compositor/LayerTreeWalk.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace lottie {

using platform::compositor::Layer;
using platform::graphics::ProcessorDeadline;

namespace {

constexpr const char* sourceFile = "Lottie/CoreAnimationLayer";
// Layers under remapped precompositions times frames up to this are cheap enough.
constexpr double timeRemappingCostLimit = 59999;

double now() { return platform::compositor::MediaClock::currentTime(); }

// Every layer below `layer`, depth first, each before its own sublayers (masks are not visited).
std::vector<std::shared_ptr<Layer>> allSublayersRecursively(const Layer& layer) {
    std::vector<std::shared_ptr<Layer>> layers;
    platform::compositor::forEachLayerBelow(layer, [&layers](const std::shared_ptr<Layer>& sublayer) {
        layers.push_back(sublayer);
        return true;
    });
    return layers;
}

double timeRemappedLayerCount(const Layer& layer) {
    double count = 0;
    platform::compositor::forEachLayerBelow(layer, [&count](const std::shared_ptr<Layer>& sublayer) {
        const auto* animationLayer = dynamic_cast<const AnimationLayer*>(sublayer.get());
        if (!animationLayer || !animationLayer->remapsTime()) return true;
        platform::compositor::forEachLayerBelow(*sublayer, [&count](const std::shared_ptr<Layer>&) {
            ++count;
            return true;
        });
        return false;
    });
    return count;
}

// A number as a message shows it: 0, 29.97, nan, inf.
std::string shortNumber(double value) {
    std::ostringstream text;
    text << value;
    return text.str();
}

std::string wholeNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%.0f", value);
    return text;
}

}  // namespace

std::shared_ptr<CoreAnimationLayer> CoreAnimationLayer::make(const CoreAnimationLayerRequest& request) {
    auto layer = std::make_shared<CoreAnimationLayer>(request);
    layer->setUpLayerTree();
    return layer;
}

void CoreAnimationLayer::install() {
    CoreAnimationLayerFactory::install(
        [](const CoreAnimationLayerRequest& request) -> std::shared_ptr<CoreAnimationRootLayer> { return make(request); });
}

CoreAnimationLayer::CoreAnimationLayer(const CoreAnimationLayerRequest& request)
    : imageProvider_(request.imageProvider),
      textProvider_(request.textProvider),
      fontProvider_(request.fontProvider),
      animation_(request.animation),
      logger_(request.logger ? request.logger : LottieLogger::shared()),
      loggingState_(std::make_shared<LoggingState>()),
      opening_(platform::graphics::OpeningDeadline::current()) {
    valueProviderStore_ = std::make_shared<ValueProviderStore>(logger_);
    compatibilityTracker_ = request.compatibilityTracker
                                ? request.compatibilityTracker
                                : std::make_shared<CompatibilityTracker>(CompatibilityTracker::Mode::track, logger_);
    declareAnimatableNumber(animationProgressKey, 0, false);
    setMasksToBounds(request.maskAnimationToBounds);
    if (animation_) setBounds({0, 0, animation_->width, animation_->height});
}

CoreAnimationLayer::CoreAnimationLayer(const CoreAnimationLayer& layer)
    : CoreAnimationRootLayer(layer),
      imageProvider_(layer.imageProvider_),
      textProvider_(layer.textProvider_),
      fontProvider_(layer.fontProvider_),
      currentAnimationConfiguration_(layer.currentAnimationConfiguration_),
      animation_(layer.animation_),
      valueProviderStore_(layer.valueProviderStore_),
      compatibilityTracker_(layer.compatibilityTracker_),
      logger_(layer.logger_),
      loggingState_(std::make_shared<LoggingState>()),
      hasUsableTimeline_(layer.hasUsableTimeline_) {}

std::shared_ptr<Layer> CoreAnimationLayer::makePresentationCopy() const {
    return std::make_shared<CoreAnimationLayer>(*this);
}

bool CoreAnimationLayer::reportRenderLimit(const std::string& message) {
    return warnOfRenderLimitOnce(*logger_, message, sourceFile, __LINE__);
}

// Set-up.

LayerContext CoreAnimationLayer::layerContext() const {
    LayerContext context;
    context.animation = animation_;
    context.imageProvider = imageProvider_;
    context.textProvider = textProvider_;
    context.fontProvider = fontProvider_;
    context.tracker = compatibilityTracker_;
    context.textLayouts = textLayouts_;
    return context;
}

void CoreAnimationLayer::setUpLayerTree() {
    LayerContext context = layerContext();
    context.samplingBudget = treeSampling_;
    if (!animation_) {
        hasUsableTimeline_ = false;
        context.reportCompatibilityIssue("There is no animation to set up");
        return;
    }
    hasUsableTimeline_ = checkTimeline();
    if (!hasUsableTimeline_) return;
    // Past the deadline the build budget leaves the layers not yet built out.
    const auto deadline = setUpDeadline();
    context.buildBudget->setDeadline(deadline);
    const ProcessorDeadline::Scope counting(deadline);
    context.imageRequests = std::make_shared<ImageAssetRequests>(imageProvider_);
    try {
        LayerTreeBuilder::buildChildLayers(*this, context, animation_->layers);
        if (auto refused = context.imageRequests->refusalMessage()) reportRenderLimit(*refused);
    } catch (const SamplingBudget::Exceeded&) {
        // The issue is recorded (track mode) and reaches the owner with the first
        // display pass; what was built is no drawing of the document.
        const std::vector<std::shared_ptr<Layer>> built = sublayers();
        for (const std::shared_ptr<Layer>& layer : built) layer->removeFromSuperlayer();
        hasUsableTimeline_ = false;
        return;
    }
    checkTimeRemappingCost();
}

bool CoreAnimationLayer::checkTimeline() {
    const LayerContext context = layerContext();
    const double framerate = animation_->framerate;
    // Every time of this engine is divided by the frame rate: one that is 0 or no
    // number would time the whole tree with infinities.
    if (!(framerate > 0) || !std::isfinite(framerate)) {
        context.reportCompatibilityIssue("The animation's frame rate (" + shortNumber(framerate) +
                                         ") is not a positive number of frames per second");
        return false;
    }
    if (!std::isfinite(animation_->startFrame) || !std::isfinite(animation_->endFrame)) {
        context.reportCompatibilityIssue("The animation's start frame (" + shortNumber(animation_->startFrame) +
                                         ") or end frame (" + shortNumber(animation_->endFrame) +
                                         ") is not a finite number");
        return false;
    }
    return true;
}

void CoreAnimationLayer::checkTimeRemappingCost() {
    if (auto message = timeRemappingCostMessage(timeRemappedLayerCount(*this), *animation_)) {
        layerContext().reportCompatibilityIssue(std::move(*message));
    }
}

std::optional<std::string> CoreAnimationLayer::timeRemappingCostMessage(double layerCount,
                                                                         const LottieAnimation& animation) {
    const double frames =
        std::trunc(animation.framerate * ((animation.endFrame - animation.startFrame) / animation.framerate));
    // Compared as doubles: the count is never made an integer, so neither a frame
    // count that is no number nor a product beyond every integer type goes wrong.
    if (!std::isfinite(frames) || !(layerCount * frames > timeRemappingCostLimit)) return std::nullopt;
    return "This animation has a very large number of layers with time remapping (" + wholeNumber(layerCount) +
           " layers over " + wholeNumber(frames) +
           " frames) so will perform poorly with the Core Animation rendering engine.";
}

std::shared_ptr<ProcessorDeadline> CoreAnimationLayer::setUpDeadline(
    platform::graphics::OpeningDeadline::Phase phase) const {
    return platform::graphics::OpeningDeadline::deadline(opening_, phase, LayerBuildWeight::setUpDeadlineSeconds);
}

// The display pass.

void CoreAnimationLayer::display() {
    if (!pendingAnimationConfiguration_) return;
    // A fallback from here goes on with the opening (LottieAnimationLayer).
    std::optional<platform::graphics::OpeningDeadline::Scope> opening;
    if (opening_ && !opening_->hasDrawnFirstFrame()) opening.emplace(opening_);
    // A fallback triggered below may drop the owner's reference to this layer.
    const std::shared_ptr<Layer> keepAlive = shared_from_this();
    if (pendingAnimationConfigurationModification_) {
        auto modification = std::move(pendingAnimationConfigurationModification_);
        pendingAnimationConfigurationModification_ = nullptr;
        modification(pendingAnimationConfiguration_->animationConfiguration);
    }
    const PendingAnimationConfiguration taken = *pendingAnimationConfiguration_;
    pendingAnimationConfiguration_.reset();
    try {
        applyAnimationConfiguration(taken.animationConfiguration);
    } catch (const platform::compositor::FrameThread::Abandoned&) {
        // The frame was given up half way: its next display sets up again.
        pendingAnimationConfiguration_ = taken;
        throw;
    } catch (const CompatibilityTracker::Error& error) {
        setCurrentPlaybackState(taken.playbackState);
        if (DidSetUpAnimation callback = didSetUpAnimation()) callback({error.issue()});
        return;
    } catch (const SamplingBudget::Exceeded&) {
        // The issue is among the tracker's, reported below like any other.
        refuseOverBudgetAnimations();
    } catch (const std::exception& error) {
        setCurrentPlaybackState(taken.playbackState);
        stopAfterUnexpectedError(error.what());
        return;
    }
    setCurrentPlaybackState(taken.playbackState);
    const std::vector<CompatibilityIssue> issues = compatibilityTracker_->issues();
    compatibilityTracker_->clearIssues();
    if (DidSetUpAnimation callback = didSetUpAnimation()) callback(issues);
}

void CoreAnimationLayer::stopAfterUnexpectedError(const std::string& description) {
    const std::string message = "Encountered unexpected error while setting up the animation: " + description;
    logger_->assertionFailure([message] { return message; }, sourceFile, __LINE__);
    // Nothing half installed keeps playing; the owner hears of it as of an issue,
    // so that the automatic engine choice falls back. The error may be that
    // memory ran out: what the way out needs again is not proportional to the
    // tree, and if even that fails, the owner is told all the same.
    try {
        removeAllAnimationsRecursively();
    } catch (const std::exception&) {
    }
    if (DidSetUpAnimation callback = didSetUpAnimation()) callback({{message, LayerContext::rootLayerName}});
}

void CoreAnimationLayer::refuseOverBudgetAnimations() {
    removeAllAnimationsRecursively();
    samplingRefused_ = true;
    // Transparent rather than hidden: the views show and hide the rendering
    // layer as their layout asks, and the tree without its animations would show
    // a picture the document never has.
    setOpacity(0);
}

void CoreAnimationLayer::forgetAheadResults() { aheadResults_.reset(); }

void CoreAnimationLayer::forgetSamplingRefusal() {
    if (!samplingRefused_) return;
    samplingRefused_ = false;
    setOpacity(1);
}

LayerAnimationContext CoreAnimationLayer::passContext(const AnimationConfiguration& configuration,
                                                     const std::shared_ptr<ProcessorDeadline>& deadline,
                                                     std::shared_ptr<PassResults> results) const {
    LayerAnimationContext context;
    context.animation = animation_;
    context.timingConfiguration = configuration.timingConfiguration;
    context.startFrame = configuration.animationContext.playFrom;
    context.endFrame = configuration.animationContext.playTo;
    context.valueProviderStore = valueProviderStore_;
    context.tracker = compatibilityTracker_;
    context.logger = logger_;
    context.loggingState = loggingState_;
    context.samplingBudget = std::make_shared<SamplingBudget>(*treeSampling_);
    context.samplingBudget->setDeadline(deadline);
    context.passResults = std::move(results);
    context.textProvider = textProvider_;
    context.recordHierarchyKeypath = configuration.recordHierarchyKeypath;
    return context;
}

void CoreAnimationLayer::deriveAhead() {
    if (!hasUsableTimeline_ || samplingRefused_ || aheadResults_) return;
    // Under a set-up deadline of its own; the display pass counts the time
    // of what was made here toward its deadline.
    const auto deadline = setUpDeadline(platform::graphics::OpeningDeadline::Phase::firstPass);
    const ProcessorDeadline::Scope counting(deadline);
    LayerAnimationContext context =
        passContext(pausedConfiguration(), deadline, std::make_shared<PassResults>(PassResults::Ahead{}));
    // Stops where the display pass would stop, and says nothing: an issue, a
    // warning or the budget running out is the display pass's to report.
    auto silent = std::make_shared<LottieLogger>([](const auto&, const auto&, auto, auto) {},
                                                 [](const auto&, auto, auto) {}, [](const auto&, auto, auto) {},
                                                 [](const auto&) {});
    const LottieLogger::Scope quiet(silent);
    context.tracker = std::make_shared<CompatibilityTracker>(compatibilityTracker_->mode(), silent);
    context.logger = silent;
    context.loggingState = std::make_shared<LoggingState>();
    context.textProvider = nullptr;
    context.derivesOnly = true;
    try {
        for (const std::shared_ptr<Layer>& sublayer : sublayers()) {
            if (auto* animationLayer = dynamic_cast<AnimationLayer*>(sublayer.get())) {
                animationLayer->setupAnimations(context);
            }
        }
    } catch (const std::exception&) {
        // What was derived stays; the display pass meets the rest itself.
    }
    aheadResults_ = context.passResults;
}

void CoreAnimationLayer::applyAnimationConfiguration(const AnimationConfiguration& configuration) {
    removeAllAnimationsRecursively();
    currentAnimationConfiguration_ = configuration;
    // What a pass run ahead derived serves the first pass only.
    std::shared_ptr<PassResults> ahead = std::exchange(aheadResults_, nullptr);
    // A refused document costs nothing more however often it is played or paused.
    if (!hasUsableTimeline_ || samplingRefused_) return;
    // A deadline of its own: a build that passed its deadline still has the
    // layers it built set up. What was made ahead for it counts as if made here.
    const auto deadline = setUpDeadline(platform::graphics::OpeningDeadline::Phase::firstPass);
    if (ahead) deadline->charge(ahead->derivedSeconds());
    const ProcessorDeadline::Scope counting(deadline);
    LayerAnimationContext context =
        passContext(configuration, deadline, ahead ? std::move(ahead) : std::make_shared<PassResults>());
    layoutIfNeeded();
    setSpeed(configuration.timingConfiguration.speed);
    animateProgress(context);
    animationStartedAt_ = now();
    // Between layers, a frame drawn in turns with the main thread lets it
    // turn its event loop (FrameThread).
    for (const std::shared_ptr<Layer>& sublayer : sublayers()) {
        if (auto* animationLayer = dynamic_cast<AnimationLayer*>(sublayer.get())) {
            platform::compositor::FrameThread::checkpoint();
            animationLayer->setupAnimations(context);
        }
    }
}

void CoreAnimationLayer::animateProgress(const LayerAnimationContext& context) {
    auto progress = platform::compositor::BasicAnimation::make(animationProgressKey);
    progress->setFromValue(0);
    progress->setToValue(1);
    auto group = AnimationTimingWrapper::wrappedInTimingGroup(progress, context, *this);
    if (currentAnimationConfiguration_) group->setDelegate(currentAnimationConfiguration_->animationContext.closure);
    group->setRemovedOnCompletion(true);
    addAnimation(group, animationProgressKey);
}

void CoreAnimationLayer::removeAllAnimationsRecursively() {
    currentAnimationConfiguration_.reset();
    setCurrentPlaybackState(std::nullopt);
    animationStartedAt_.reset();
    removeAllAnimations();
    removeAnimationsBelow(*this);
}

void CoreAnimationLayer::removeAnimationsBelow(const Layer& root) {
    // Walked in place rather than listed first: this is also the way out of a
    // set-up that ran out of memory. Masks and mattes are set up like
    // sublayers, so their animations go too: one a value provider gave would
    // otherwise outlive the provider.
    platform::compositor::forEachLayerBelow(root, [](const std::shared_ptr<Layer>& layer) {
        layer->removeAllAnimations();
        // A mask may have a mask of its own (masks that cut each other).
        for (Layer* mask = layer->mask().get(); mask; mask = mask->mask().get()) {
            mask->removeAllAnimations();
            removeAnimationsBelow(*mask);
        }
        return true;
    });
}

void CoreAnimationLayer::setCurrentPlaybackState(std::optional<PlaybackState> state) {
    const std::optional<PlaybackState> previous = currentPlaybackState_;
    currentPlaybackState_ = std::move(state);
    const std::optional<PlaybackState> effective =
        pendingAnimationConfiguration_ ? std::optional<PlaybackState>(pendingAnimationConfiguration_->playbackState)
                                       : currentPlaybackState_;
    if (previous && previous == effective) return;
    if (!pendingAnimationConfiguration_ && !previous && !currentPlaybackState_) return;
    if (!effective || effective->isPlaying() || !hasUsableTimeline_) {
        setTimeOffset(0);
    } else {
        setTimeOffset((*effective->pausedFrame - animation_->startFrame) / animation_->framerate);
    }
}

// Playback state.

CoreAnimationLayer::AnimationConfiguration CoreAnimationLayer::pausedConfiguration() const {
    AnimationConfiguration configuration;
    configuration.animationContext = {animation_ ? animation_->startFrame : 0,
                                      animation_ ? animation_->endFrame + 1 : 1, animation_ ? animation_->framerate : 0,
                                      std::make_shared<AnimationCompletionDelegate>(nullptr)};
    configuration.timingConfiguration = {false, 0, 0, 0};
    return configuration;
}

void CoreAnimationLayer::setPendingAnimationConfiguration(std::optional<PendingAnimationConfiguration> configuration) {
    pendingAnimationConfiguration_ = std::move(configuration);
}

double CoreAnimationLayer::animationProgress() const {
    const auto value = Layer::value(animationProgressKey);
    return value ? value->number().value_or(0) : 0;
}

double CoreAnimationLayer::currentFrame() const {
    if (pendingAnimationConfiguration_) {
        if (const auto& frame = pendingAnimationConfiguration_->playbackState.pausedFrame) return *frame;
    } else if (currentPlaybackState_ && currentPlaybackState_->pausedFrame) {
        return *currentPlaybackState_->pausedFrame;
    }
    if (!animation(animationProgressKey) && currentAnimationConfiguration_) {
        return currentAnimationConfiguration_->animationContext.playTo;
    }
    if (!animation_) return 0;
    double progress = animationProgress();
    if (hasBeenPresented() && hasAnimations()) {
        if (const auto presented = presentedValue(animationProgressKey, now())) progress = presented->number().value_or(progress);
    }
    // The progress spans the frames as the installed animations were built
    // (LayerAnimationContext::innerDuration): one frame more at speed 0, as
    // the paused configuration has it. Read over the animation alone, a pause
    // at frame f would read back f x (end - start) / (end + 1 - start) until
    // a play request from it is applied, and the frame reported would step
    // back before the pause point.
    const bool stillSpan = currentAnimationConfiguration_ && currentAnimationConfiguration_->timingConfiguration.speed == 0;
    const double end = stillSpan ? animation_->endFrame + 1 : animation_->endFrame;
    return animation_->startFrame + progress * (end - animation_->startFrame);
}

void CoreAnimationLayer::setCurrentFrame(double frame) {
    AnimationConfiguration paused = pausedConfiguration();
    if (!pendingAnimationConfiguration_ && currentAnimationConfiguration_ == paused) {
        setCurrentPlaybackState(PlaybackState::paused(frame));
        return;
    }
    pendingAnimationConfiguration_ = PendingAnimationConfiguration{std::move(paused), PlaybackState::paused(frame)};
    setNeedsDisplay();
}

bool CoreAnimationLayer::isAnimationPlaying() const {
    if (pendingAnimationConfiguration_) return pendingAnimationConfiguration_->playbackState.isPlaying();
    if (!currentPlaybackState_ || !currentPlaybackState_->isPlaying()) return false;
    if (animation(animationProgressKey)) return true;
    if (!animationStartedAt_ || !currentAnimationConfiguration_) return false;
    const MediaTimingConfiguration& timing = currentAnimationConfiguration_->timingConfiguration;
    if (timing.repeatCount >= std::numeric_limits<float>::max()) return true;
    // At speed 0 the progress animation never ends: once it is gone nothing plays.
    // A repeat count of 0 plays once, as the compositor plays it.
    if (timing.speed == 0) return false;
    const AnimationContext& request = currentAnimationConfiguration_->animationContext;
    const double repeats = timing.repeatCount > 0 ? static_cast<double>(timing.repeatCount) : 1.0;
    const double elapsed = now() - *animationStartedAt_;
    return elapsed < (request.playTo - request.playFrom) / request.framerate * (timing.autoreverses ? 2 : 1) /
                             static_cast<double>(timing.speed) * repeats -
                         timing.timeOffset;
}

void CoreAnimationLayer::rebuildCurrentAnimation() {
    if (pendingAnimationConfiguration_) return;
    if (!isAnimationPlaying()) {
        const double frame = currentFrame();
        removeAllAnimationsRecursively();
        setCurrentFrame(frame);
        return;
    }
    if (auto owner = lottieAnimationLayer()) owner->restartRunningAnimation();
}

void CoreAnimationLayer::layoutSublayers() {
    CoreAnimationRootLayer::layoutSublayers();
    BaseAnimationLayer::layOutManagedLayers(*this, sublayers());
    const auto& size = bounds().size;
    if (!pendingAnimationConfiguration_ && !currentAnimationConfiguration_ && (size.width != 0 || size.height != 0) &&
        animation_) {
        setCurrentFrame(animation_->startFrame + animationProgress() * (animation_->endFrame - animation_->startFrame));
    }
}

// The rest of the root-layer contract.

void CoreAnimationLayer::setRenderScale(double scale) {
    setContentsScale(scale);
    platform::compositor::forEachLayerBelow(*this, [scale](const std::shared_ptr<Layer>& layer) {
        layer->setContentsScale(scale);
        return true;
    });
}

void CoreAnimationLayer::setRespectAnimationFrameRate(bool respect) {
    if (!respect) return;
    logger_->assertionFailure(
        [] {
            return std::string(
                "The Core Animation rendering engine currently doesn't support `respectAnimationFrameRate`)");
        },
        sourceFile, __LINE__);
}

std::vector<std::shared_ptr<Layer>> CoreAnimationLayer::allAnimationLayers() const {
    std::vector<std::shared_ptr<Layer>> layers;
    for (const std::shared_ptr<Layer>& sublayer : sublayers()) {
        if (dynamic_cast<const AnimationLayer*>(sublayer.get())) layers.push_back(sublayer);
    }
    return layers;
}

void CoreAnimationLayer::setImageProvider(std::shared_ptr<AnimationImageProvider> provider) {
    imageProvider_ = std::move(provider);
    refreshImages();
}

void CoreAnimationLayer::refreshImages() {
    // The images are decoded under a deadline of their own (ImageAssetRequests);
    // the rest counts toward the set-up under way, else a set-up deadline of
    // its own.
    std::optional<ProcessorDeadline::Scope> counting;
    if (!ProcessorDeadline::current()) {
        counting.emplace(setUpDeadline());
    }
    LayerContext context = layerContext();
    context.imageRequests = std::make_shared<ImageAssetRequests>(imageProvider_);
    for (const std::shared_ptr<Layer>& layer : allSublayersRecursively(*this)) {
        if (auto* image = dynamic_cast<ImageLayer*>(layer.get())) image->setUpImage(context);
    }
    if (auto refused = context.imageRequests->refusalMessage()) reportRenderLimit(*refused);
}

void CoreAnimationLayer::setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider) {
    textProvider_ = std::move(provider);
    forgetAheadResults();
    forgetSamplingRefusal();
    rebuildCurrentAnimation();
}

void CoreAnimationLayer::setFontProvider(std::shared_ptr<AnimationFontProvider> provider) {
    fontProvider_ = std::move(provider);
    // The text layers take their fonts once, when configured: they are configured
    // again with the new provider. An issue found then was already found when the
    // tree was built, so it is not reported twice.
    LayerContext context = layerContext();
    context.tracker = std::make_shared<CompatibilityTracker>(CompatibilityTracker::Mode::track, logger_);
    for (const std::shared_ptr<Layer>& layer : allSublayersRecursively(*this)) {
        if (auto* text = dynamic_cast<TextLayer*>(layer.get())) text->configureRenderLayer(context);
    }
}

void CoreAnimationLayer::logAllKeypaths() {
    for (const std::string& keypath : collectAllKeypaths()) logger_->info([keypath] { return keypath; });
}

std::vector<std::string> CoreAnimationLayer::collectAllKeypaths() {
    if (!pendingAnimationConfiguration_ && !currentAnimationConfiguration_) {
        logger_->info(
            [] { return std::string("Cannot log hierarchy keypaths until animation has been set up at least once"); });
        return {};
    }
    logger_->info([] { return std::string("Lottie: Rebuilding animation with hierarchy keypath logging enabled"); });
    auto keypaths = std::make_shared<std::vector<std::string>>();
    pendingAnimationConfigurationModification_ = [keypaths](AnimationConfiguration& configuration) {
        configuration.recordHierarchyKeypath = [keypaths](const std::string& keypath) { keypaths->push_back(keypath); };
    };
    rebuildCurrentAnimation();
    displayIfNeeded();
    return *keypaths;
}

void CoreAnimationLayer::installValueProvider(std::shared_ptr<AnyValueProvider> provider,
                                              const AnimationKeypath& keypath) {
    valueProviderStore_->installValueProvider(std::move(provider), keypath);
    forgetAheadResults();
    forgetSamplingRefusal();
    rebuildCurrentAnimation();
}

void CoreAnimationLayer::uninstallValueProvider(const AnimationKeypath& keypath) {
    valueProviderStore_->uninstallValueProvider(keypath);
    forgetAheadResults();
    forgetSamplingRefusal();
    rebuildCurrentAnimation();
}

std::any CoreAnimationLayer::valueAtKeypath(const AnimationKeypath&, std::optional<double>) {
    logger_->assertionFailure(
        [] { return std::string("The Core Animation rendering engine doesn't support querying values for individual frames"); },
        sourceFile, __LINE__);
    return {};
}

std::any CoreAnimationLayer::unoverriddenValueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) {
    return valueAtKeypath(keypath, atFrame);
}

std::shared_ptr<Layer> CoreAnimationLayer::layerForKeypath(const AnimationKeypath&) {
    logger_->assertionFailure(
        [] { return std::string("The Core Animation rendering engine doesn't support retrieving `CALayer`s by keypath"); },
        sourceFile, __LINE__);
    return nullptr;
}

std::optional<std::vector<std::shared_ptr<AnimatorNode>>> CoreAnimationLayer::nodesAtKeypath(const AnimationKeypath&) {
    logger_->assertionFailure(
        [] { return std::string("The Core Animation rendering engine does not use `AnimatorNode`s"); }, sourceFile,
        __LINE__);
    return std::nullopt;
}

}  // namespace lottie
