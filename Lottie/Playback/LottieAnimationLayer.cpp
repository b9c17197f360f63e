#include "Lottie/Playback/LottieAnimationLayer.h"

#include <set>
#include <string>

#include "Lottie/MainThread/MainThreadAnimationLayer.h"
#include "Lottie/Playback/Engine/CompatibilityTracker.h"
#include "Lottie/Playback/Engine/CoreAnimationLayerFactory.h"
#include "Lottie/Playback/Providers/BundleImageProvider.h"
#include "Lottie/Playback/Providers/CachedImageProvider.h"
#include "Lottie/Playback/Providers/DefaultFontProvider.h"
#include "Lottie/Playback/Providers/DefaultTextProvider.h"
#include "Platform/Foundation/Bundle.h"
#include "Platform/Graphics/OpeningDeadline.h"

namespace lottie {

namespace {

constexpr const char* sourceFile = "Lottie/LottieAnimationLayer";

std::shared_ptr<AnimationImageProvider> mainBundleImageProvider() {
    return std::make_shared<BundleImageProvider>(platform::foundation::Bundle::main(), std::nullopt,
                                                 platform::compositor::ContentsGravity::resize);
}

// One line per distinct issue: the layers of a precomposition are set up
// again on every level it is nested at, and meet the same issues there.
std::string issueLines(const std::vector<CompatibilityIssue>& issues) {
    std::string lines;
    std::set<std::string> said;
    for (const CompatibilityIssue& issue : issues) {
        std::string line = issue.description();
        if (!said.insert(line).second) continue;
        if (!lines.empty()) lines += "\n";
        lines += line;
    }
    return lines;
}

}  // namespace

LottieAnimationLayer::LottieAnimationLayer(Private, LottieConfiguration configuration,
                                           std::shared_ptr<LottieLogger> logger)
    : configuration_(std::move(configuration)),
      imageProvider_(mainBundleImageProvider()),
      textProvider_(std::make_shared<DefaultTextProvider>()),
      fontProvider_(std::make_shared<DefaultFontProvider>()),
      logger_(logger ? std::move(logger) : LottieLogger::shared()) {}

LottieAnimationLayer::LottieAnimationLayer(Private, const LottieAnimationLayer& layer)
    : Layer(layer),
      configuration_(layer.configuration_),
      screenScale_(layer.screenScale_),
      animation_(layer.animation_),
      imageProvider_(layer.imageProvider_),
      textProvider_(layer.textProvider_),
      fontProvider_(layer.fontProvider_),
      logger_(layer.logger_) {}

std::shared_ptr<LottieAnimationLayer> LottieAnimationLayer::make(
    std::shared_ptr<const LottieAnimation> animation, std::shared_ptr<AnimationImageProvider> imageProvider,
    std::shared_ptr<AnimationKeypathTextProvider> textProvider, std::shared_ptr<AnimationFontProvider> fontProvider,
    LottieConfiguration configuration, std::shared_ptr<LottieLogger> logger) {
    auto layer = std::make_shared<LottieAnimationLayer>(Private{}, std::move(configuration), std::move(logger));
    layer->animation_ = std::move(animation);
    if (imageProvider) layer->imageProvider_ = std::move(imageProvider);
    if (textProvider) layer->textProvider_ = std::move(textProvider);
    if (fontProvider) layer->fontProvider_ = std::move(fontProvider);
    layer->buildEngineLayer(layer->configuration_.renderingEngine);
    if (layer->animation_) layer->setFrame(layer->animation_->bounds());
    return layer;
}

std::shared_ptr<LottieAnimationLayer> LottieAnimationLayer::makeWithDotLottie(
    const DotLottieContents* package, const std::optional<std::string>& animationId,
    std::shared_ptr<AnimationKeypathTextProvider> textProvider, std::shared_ptr<AnimationFontProvider> fontProvider,
    LottieConfiguration configuration, std::shared_ptr<LottieLogger> logger) {
    auto layer = std::make_shared<LottieAnimationLayer>(Private{}, std::move(configuration), std::move(logger));
    const DotLottieEntry* entry = package ? package->findAnimation(animationId) : nullptr;
    if (entry) layer->animation_ = entry->animation();
    if (package && package->imageProvider) layer->imageProvider_ = package->imageProvider;
    if (textProvider) layer->textProvider_ = std::move(textProvider);
    if (fontProvider) layer->fontProvider_ = std::move(fontProvider);
    if (entry) {
        layer->loopMode_ = entry->configuration.loopMode;
        layer->animationSpeed_ = entry->configuration.speed;
    }
    layer->buildEngineLayer(layer->configuration_.renderingEngine);
    if (layer->animation_) layer->setFrame(layer->animation_->bounds());
    return layer;
}

std::shared_ptr<LottieAnimationLayer> LottieAnimationLayer::makeWithDotLottie(
    const std::shared_ptr<const DotLottieFile>& file, const std::optional<std::string>& animationId,
    std::shared_ptr<AnimationKeypathTextProvider> textProvider, std::shared_ptr<AnimationFontProvider> fontProvider,
    LottieConfiguration configuration, std::shared_ptr<LottieLogger> logger) {
    return makeWithDotLottie(file ? &file->contents() : nullptr, animationId, std::move(textProvider),
                             std::move(fontProvider), std::move(configuration), std::move(logger));
}

std::shared_ptr<LottieAnimationLayer> LottieAnimationLayer::makeEmpty(LottieConfiguration configuration,
                                                                      std::shared_ptr<LottieLogger> logger) {
    return std::make_shared<LottieAnimationLayer>(Private{}, std::move(configuration), std::move(logger));
}

std::shared_ptr<platform::compositor::Layer> LottieAnimationLayer::makePresentationCopy() const {
    return std::make_shared<LottieAnimationLayer>(Private{}, *this);
}

std::shared_ptr<LottieAnimationLayer> LottieAnimationLayer::self() {
    return std::static_pointer_cast<LottieAnimationLayer>(shared_from_this());
}

// Properties that reach the rendering layer.

void LottieAnimationLayer::setAnimation(std::shared_ptr<const LottieAnimation> animation) {
    animation_ = std::move(animation);
    buildEngineLayer(configuration_.renderingEngine);
    if (animation_ && animationLoaded_) {
        // A copy: the callback may replace itself.
        AnimationLoaded callback = animationLoaded_;
        callback(*this, animation_);
    }
}

void LottieAnimationLayer::setAnimation(std::shared_ptr<const LottieAnimation> animation,
                                        std::shared_ptr<PreparedRenderingLayer> prepared) {
    if (prepared && prepared->request().sameBuildAs(renderingLayerRequest(animation))) prepared_ = std::move(prepared);
    setAnimation(std::move(animation));
    prepared_.reset();
}

PreparedRenderingLayer::Request LottieAnimationLayer::renderingLayerRequest(
    std::shared_ptr<const LottieAnimation> animation) const {
    return {std::move(animation), imageProvider_,          textProvider_, fontProvider_,
            configuration_.renderingEngine, maskAnimationToBounds_, logger_};
}

void LottieAnimationLayer::setAnimationLoaded(AnimationLoaded callback) {
    animationLoaded_ = std::move(callback);
    if (animation_ && animationLoaded_) {
        AnimationLoaded copy = animationLoaded_;
        copy(*this, animation_);
    }
}

void LottieAnimationLayer::setConfiguration(const LottieConfiguration& configuration) {
    const bool engineChanged =
        configuration.renderingEngine.description() != configuration_.renderingEngine.description();
    configuration_ = configuration;
    if (engineChanged) buildEngineLayer(configuration_.renderingEngine);
}

void LottieAnimationLayer::setScreenScale(double scale) {
    screenScale_ = scale;
    if (rootAnimationLayer_) rootAnimationLayer_->setRenderScale(scale);
}

void LottieAnimationLayer::setImageProvider(std::shared_ptr<AnimationImageProvider> provider) {
    imageProvider_ = std::move(provider);
    if (rootAnimationLayer_) {
        rootAnimationLayer_->setImageProvider(wrappedInImageCache(imageProvider_, animation_));
        rootAnimationLayer_->refreshImages();
    }
}

void LottieAnimationLayer::setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider) {
    textProvider_ = std::move(provider);
    if (rootAnimationLayer_) rootAnimationLayer_->setTextProvider(textProvider_);
}

void LottieAnimationLayer::setFontProvider(std::shared_ptr<AnimationFontProvider> provider) {
    fontProvider_ = std::move(provider);
    if (rootAnimationLayer_) rootAnimationLayer_->setFontProvider(fontProvider_);
}

void LottieAnimationLayer::setMaskAnimationToBounds(bool mask) {
    maskAnimationToBounds_ = mask;
    if (rootAnimationLayer_) rootAnimationLayer_->setMasksToBounds(mask);
}

void LottieAnimationLayer::setRespectAnimationFrameRate(bool respect) {
    respectAnimationFrameRate_ = respect;
    if (rootAnimationLayer_) rootAnimationLayer_->setRespectAnimationFrameRate(respect);
}

void LottieAnimationLayer::setMainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame(bool force) {
    forceDisplayUpdate_ = force;
    if (auto mainThread = std::dynamic_pointer_cast<MainThreadAnimationLayer>(rootAnimationLayer_)) {
        mainThread->setForceDisplayUpdateOnEachFrame(force);
    }
}

std::optional<RenderingEngine> LottieAnimationLayer::activeEngine() const {
    if (auto engine = configuration_.renderingEngine.engine()) return engine;
    if (!rootAnimationLayer_) return std::nullopt;
    if (std::dynamic_pointer_cast<CoreAnimationRootLayer>(rootAnimationLayer_)) return RenderingEngine::coreAnimation;
    return RenderingEngine::mainThread;
}

// dotLottie entries.

void LottieAnimationLayer::loadDotLottieAnimation(const DotLottieEntry& entry,
                                                  std::shared_ptr<PreparedRenderingLayer> prepared) {
    loopMode_ = entry.configuration.loopMode;
    restartRunningAnimation();
    animationSpeed_ = entry.configuration.speed;
    restartRunningAnimation();
    if (auto provider = entry.configuration.imageProvider()) setImageProvider(std::move(provider));
    setAnimation(entry.animation(), std::move(prepared));
}

void LottieAnimationLayer::loadDotLottieAnimationById(const std::optional<std::string>& animationId,
                                                      const DotLottieContents& package) {
    if (const DotLottieEntry* entry = package.findAnimation(animationId)) loadDotLottieAnimation(*entry);
}

void LottieAnimationLayer::loadDotLottieAnimationAtIndex(std::ptrdiff_t index, const DotLottieContents& package) {
    // A negative index is refused like one past the end, rather than read before
    // the list.
    if (index < 0 || static_cast<std::size_t>(index) >= package.animations.size()) return;
    loadDotLottieAnimation(package.animations[static_cast<std::size_t>(index)]);
}

// Engine construction.

void LottieAnimationLayer::buildEngineLayer(const RenderingEngineOption& option,
                                            std::shared_ptr<platform::text::TextCutReports> textCutReports) {
    // Adding or removing the rendering layer is never animated.
    setActions({{"sublayers", nullptr}});
    dropRunningAnimation();
    if (rootAnimationLayer_) {
        rootAnimationLayer_->removeFromSuperlayer();
        rootAnimationLayer_.reset();
    }
    if (!animation_) return;

    // Decoding the document, the set-ups and the first frame share one
    // deadline: a fallback goes on with the opening under way, and a layer
    // built ahead was set up in an opening of its own.
    using platform::graphics::OpeningDeadline;
    std::shared_ptr<OpeningDeadline> opening = OpeningDeadline::current();
    if (!opening && prepared_) opening = prepared_->opening();
    if (!opening) opening = std::make_shared<OpeningDeadline>(animation_->decodingSeconds);
    const OpeningDeadline::Scope opened(opening);

    std::shared_ptr<RootAnimationLayer> layer;
    if (option.isAutomatic()) {
        layer = buildAutomaticEngineLayer();
    } else if (option.engine() == RenderingEngine::mainThread) {
        layer = buildMainThreadEngineLayer(std::move(textCutReports));
    } else {
        layer = buildCoreAnimationEngineLayer();
    }
    if (!layer) return;

    layer->setLottieAnimationLayer(self());
    for (const auto& [keypath, provider] : valueProviders_) layer->installValueProvider(provider, keypath);
    if (animationLayerDidLoad_) {
        AnimationLayerDidLoad callback = animationLayerDidLoad_;
        callback(*this, option);
    }
    layer->setRenderScale(screenScale_);
    addSublayer(layer);
    rootAnimationLayer_ = layer;
    layer->refreshImages();
    layer->setNeedsDisplay();
    setNeedsLayout();
    setCurrentFrame(animation_->startFrame);
    OpeningDeadline::awaitFirstFrame(opening);
}

std::shared_ptr<RootAnimationLayer> LottieAnimationLayer::buildMainThreadEngineLayer(
    std::shared_ptr<platform::text::TextCutReports> textCutReports) {
    std::shared_ptr<MainThreadAnimationLayer> layer;
    if (prepared_) layer = std::static_pointer_cast<MainThreadAnimationLayer>(prepared_->takeMainThreadLayer());
    if (!layer) {
        layer = MainThreadAnimationLayer::make(animation_, wrappedInImageCache(imageProvider_, animation_),
                                               textProvider_, fontProvider_, maskAnimationToBounds_, logger_,
                                               std::move(textCutReports));
    }
    layer->setForceDisplayUpdateOnEachFrame(forceDisplayUpdate_);
    return layer;
}

std::shared_ptr<CoreAnimationRootLayer> LottieAnimationLayer::makeCoreAnimationEngineLayer(
    CompatibilityTracker::Mode mode) {
    if (prepared_) {
        // Built ahead: what the build met is met again here, in the same order.
        if (const auto& issue = prepared_->compatibilityIssue()) throw CompatibilityTracker::Error(*issue);
        if (const auto& error = prepared_->unexpectedError()) throw std::runtime_error(*error);
        if (auto layer = prepared_->takeCoreAnimationLayer()) {
            return std::static_pointer_cast<CoreAnimationRootLayer>(layer);
        }
    }
    auto tracker = std::make_shared<CompatibilityTracker>(mode, logger_);
    return CoreAnimationLayerFactory::make({animation_, wrappedInImageCache(imageProvider_, animation_), textProvider_,
                                            fontProvider_, maskAnimationToBounds_, tracker, logger_});
}

std::shared_ptr<RootAnimationLayer> LottieAnimationLayer::buildCoreAnimationEngineLayer() {
    std::shared_ptr<CoreAnimationRootLayer> layer;
    try {
        layer = makeCoreAnimationEngineLayer(CompatibilityTracker::Mode::track);
    } catch (const std::exception& error) {
        std::string description = error.what();
        logger_->assertionFailure([description] { return "Encountered unexpected error " + description; }, sourceFile,
                                  __LINE__);
        return nullptr;
    }
    if (!layer) return nullptr;
    std::weak_ptr<LottieLogger> weakLogger = logger_;
    layer->setDidSetUpAnimation([weakLogger](const std::vector<CompatibilityIssue>& issues) {
        auto logger = weakLogger.lock();
        if (!logger) return;
        logger->assert_(
            [empty = issues.empty()] { return empty; },
            [issues] {
                return "Encountered Core Animation compatibility issues while setting up animation:\n" +
                       issueLines(issues) + "\n\n" +
                       "This animation cannot be rendered correctly by the Core Animation engine.\n"
                       "To resolve this issue, you can use `RenderingEngineOption.automatic`, which automatically "
                       "falls back\nto the Main Thread rendering engine when necessary, or just use "
                       "`RenderingEngineOption.mainThread`.\n";
            },
            sourceFile, __LINE__);
    });
    return layer;
}

std::shared_ptr<RootAnimationLayer> LottieAnimationLayer::buildAutomaticEngineLayer() {
    std::shared_ptr<CoreAnimationRootLayer> layer;
    try {
        layer = makeCoreAnimationEngineLayer(CompatibilityTracker::Mode::abort);
    } catch (const CompatibilityTracker::Error& error) {
        fallBackToMainThreadEngine({error.issue()});
        return nullptr;
    } catch (const std::exception& error) {
        std::string description = error.what();
        logger_->assertionFailure([description] { return "Encountered unexpected error " + description; }, sourceFile,
                                  __LINE__);
        fallBackToMainThreadEngine({}, false);
        return nullptr;
    }
    if (!layer) {
        fallBackToMainThreadEngine({}, false);
        return nullptr;
    }
    std::weak_ptr<LottieAnimationLayer> weakSelf = self();
    layer->setDidSetUpAnimation([weakSelf](const std::vector<CompatibilityIssue>& issues) {
        if (auto strongSelf = weakSelf.lock()) strongSelf->fallBackToMainThreadEngine(issues);
    });
    return layer;
}

void LottieAnimationLayer::fallBackToMainThreadEngine(const std::vector<CompatibilityIssue>& issues, bool warn) {
    // An empty report from a set-up that met no issue; an unexpected error falls
    // back without one.
    if (warn && issues.empty()) return;
    if (warn) {
        logger_->warn(
            [issues] {
                return "Encountered Core Animation compatibility issue while setting up animation:\n" +
                       issueLines(issues) + "\n" +
                       "This animation may have additional compatibility issues, but animation setup was cancelled "
                       "early to avoid wasted work.\n\nAutomatically falling back to Main Thread rendering engine. "
                       "This fallback comes with some additional performance\noverhead, which can be reduced by "
                       "manually specifying that this animation should always use the Main Thread engine.\n";
            },
            sourceFile, __LINE__);
    }
    std::optional<AnimationContext> request = animationContext_;
    // During the set-up there is no rendering layer yet: the playhead belongs at the
    // start frame then, not at frame 0.
    const double frame =
        rootAnimationLayer_ ? rootAnimationLayer_->currentFrame() : (animation_ ? animation_->startFrame : 0);
    std::shared_ptr<AnimationCompletionDelegate> delegate;
    if (request) delegate = takeOverDelegate(*request);

    // The Core Animation engine may have laid texts out and said they were
    // cut; the main-thread engine lays them out again and says it no more.
    buildEngineLayer(RenderingEngineOption::mainThread(),
                     rootAnimationLayer_ ? rootAnimationLayer_->textCutReports() : nullptr);
    setCurrentFrame(frame);

    if (request) startAnimationForContext({request->playFrom, request->playTo, request->framerate, delegate});
}

}  // namespace lottie
