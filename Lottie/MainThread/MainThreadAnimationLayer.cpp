#include "Lottie/MainThread/MainThreadAnimationLayer.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "Lottie/MainThread/CompositionLayers/ComposedTimeline.h"
#include "Lottie/MainThread/CompositionLayers/CompositionLayerFactory.h"
#include "Lottie/MainThread/Text/TextCompositionLayer.h"
#include "Lottie/Model/Assets/AssetLibrary.h"
#include "Lottie/Model/Assets/PrecompAsset.h"
#include "Lottie/Playback/Engine/LayerBuildWeight.h"
#include "Lottie/Playback/Keypaths/KeypathSearch.h"
#include "Platform/Compositor/BasicAnimation.h"
#include "Platform/Compositor/FrameThread.h"
#include "Platform/Compositor/MediaClock.h"
#include "Platform/Foundation/MainRunLoop.h"

namespace lottie {

using platform::compositor::Layer;

std::shared_ptr<MainThreadAnimationLayer> MainThreadAnimationLayer::make(
    std::shared_ptr<const LottieAnimation> animation, std::shared_ptr<AnimationImageProvider> imageProvider,
    std::shared_ptr<AnimationKeypathTextProvider> textProvider, std::shared_ptr<AnimationFontProvider> fontProvider,
    bool maskAnimationToBounds, std::shared_ptr<LottieLogger> logger,
    std::shared_ptr<platform::text::TextCutReports> textCutReports) {
    auto layer = std::make_shared<MainThreadAnimationLayer>(std::move(animation), std::move(imageProvider),
                                                            std::move(textProvider), std::move(fontProvider),
                                                            std::move(logger));
    if (textCutReports) layer->textCutReports_ = std::move(textCutReports);
    layer->build(maskAnimationToBounds);
    return layer;
}

MainThreadAnimationLayer::MainThreadAnimationLayer(std::shared_ptr<const LottieAnimation> animation,
                                                   std::shared_ptr<AnimationImageProvider> imageProvider,
                                                   std::shared_ptr<AnimationKeypathTextProvider> textProvider,
                                                   std::shared_ptr<AnimationFontProvider> fontProvider,
                                                   std::shared_ptr<LottieLogger> logger)
    : animation_(std::move(animation)),
      imageProvider_(std::move(imageProvider)),
      textProvider_(std::move(textProvider)),
      fontProvider_(std::move(fontProvider)),
      logger_(logger ? std::move(logger) : LottieLogger::shared()) {
    opening_ = platform::graphics::OpeningDeadline::current();
    declareAnimatableNumber(currentFrameKey, 0, true);
}

void MainThreadAnimationLayer::build(bool maskAnimationToBounds) {
    setMasksToBounds(maskAnimationToBounds);
    if (!animation_) return;
    const platform::graphics::Rect bounds(0, 0, animation_->width, animation_->height);
    setBounds(bounds);
    CompositionLayerContext context;
    context.assetLibrary = animation_->assetLibrary;
    context.frameRate = animation_->framerate;
    context.logger = logger_;
    context.textLayouts = std::make_shared<platform::text::TextLayoutCache>(textCutReports_);
    context.setUpDeadline = freshSetUpDeadline();
    const platform::graphics::ProcessorDeadline::Scope counting(context.setUpDeadline);
    setUpDeadline_ = context.setUpDeadline;
    std::vector<std::shared_ptr<CompositionLayer>> layers =
        CompositionLayerFactory::makeCompositionLayers(animation_->layers, context);
    CompositionLayerFactory::stack(layers, *this, bounds, animationLayers_);
    LayerImageProvider::Assets imageAssets;
    if (animation_->assetLibrary) imageAssets = animation_->assetLibrary->imageAssets;
    layerImageProvider_ = std::make_unique<LayerImageProvider>(imageProvider_, std::move(imageAssets));
    layerImageProvider_->addImageLayers(LayerImageProvider::collectImageLayers(animationLayers_));
    refreshImages();
    setNeedsDisplay();
}

std::optional<AnimationKeypath> MainThreadAnimationLayer::textLayerKeypath(
    const std::shared_ptr<TextCompositionLayer>& layer) {
    if (textLayerKeypathsSource_ != animationLayers_.size()) {
        textLayerKeypaths_.clear();
        // A layer sits in one place of the tree, so the first top layer that
        // holds it is the only one.
        for (const auto& top : animationLayers_) textLayerKeypaths_.merge(layerKeypaths<TextCompositionLayer>(top));
        textLayerKeypathsSource_ = animationLayers_.size();
    }
    const auto found = textLayerKeypaths_.find(layer);
    if (found == textLayerKeypaths_.end()) return std::nullopt;
    return found->second;
}

std::shared_ptr<platform::graphics::ProcessorDeadline> MainThreadAnimationLayer::freshSetUpDeadline() const {
    using platform::graphics::OpeningDeadline;
    return OpeningDeadline::deadline(opening_, OpeningDeadline::Phase::setUp, LayerBuildWeight::setUpDeadlineSeconds);
}

double MainThreadAnimationLayer::currentFrame() const {
    const auto value = Layer::value(currentFrameKey);
    return value ? value->number().value_or(0) : 0;
}

void MainThreadAnimationLayer::setCurrentFrame(double frame) { setValue(currentFrameKey, frame); }

double MainThreadAnimationLayer::presentedFrame() const {
    if (hasAnimations() && hasBeenPresented()) {
        if (auto value = presentedValue(currentFrameKey, platform::compositor::MediaClock::currentTime())) {
            if (auto number = value->number()) return *number;
        }
    }
    return currentFrame();
}

void MainThreadAnimationLayer::display() {
    if (!platform::foundation::isMainThread()) return;
    double frame = presentedFrame();
    if (respectAnimationFrameRate_) frame = std::floor(frame);
    std::optional<AnimatorNode::ForcedUpdates> forced;
    if (forceDisplayUpdateOnEachFrame_) forced.emplace();
    const bool animationEnd = isAnimationEnd(frame);
    std::optional<platform::graphics::ProcessorDeadline::Scope> counting;
    if (!platform::graphics::ProcessorDeadline::current()) {
        counting.emplace(setUpDeadline_ ? std::move(setUpDeadline_) : freshSetUpDeadline());
    }
    // Between layers, a frame drawn in turns with the main thread lets it
    // turn its event loop (FrameThread).
    for (const auto& layer : animationLayers_) {
        platform::compositor::FrameThread::checkpoint();
        layer->showFrame(frame, forceDisplayUpdateOnEachFrame_, animationEnd);
    }
}

namespace {

bool holdsText(const LottieAnimation& animation) {
    const auto anyText = [](const std::vector<std::shared_ptr<const LayerModel>>& layers) {
        return std::any_of(layers.begin(), layers.end(), [](const std::shared_ptr<const LayerModel>& layer) {
            return layer && layer->type == LayerType::text;
        });
    };
    if (anyText(animation.layers)) return true;
    if (!animation.assetLibrary) return false;
    const auto& precompositions = animation.assetLibrary->precompAssets;
    return std::any_of(precompositions.begin(), precompositions.end(),
                       [&](const auto& entry) { return entry.second && anyText(entry.second->layers); });
}

}  // namespace

void MainThreadAnimationLayer::showFirstFrameAhead() {
    if (!animation_ || !setUpDeadline_ || holdsText(*animation_)) return;
    const double frame = animation_->startFrame;
    const bool animationEnd = isAnimationEnd(frame);
    const platform::graphics::ProcessorDeadline::Scope counting(setUpDeadline_);
    for (const auto& layer : animationLayers_) layer->showFrame(frame, false, animationEnd);
}

bool MainThreadAnimationLayer::isAnimationEnd(double frame) const {
    // The end frame is on the root time line.
    return animation_ && ComposedTimeline{}.reaches(frame, animation_->endFrame);
}

bool MainThreadAnimationLayer::reportRenderLimit(const std::string& message) {
    return warnOfRenderLimitOnce(*logger_, message, "Lottie/MainThreadAnimationLayer", 0);
}

std::shared_ptr<platform::compositor::Animation> MainThreadAnimationLayer::action(std::string_view key) const {
    if (key != currentFrameKey) return Layer::action(key);
    auto animation = platform::compositor::BasicAnimation::make(currentFrameKey);
    animation->setTimingFunction(platform::compositor::TimingFunction::linear());
    if (hasBeenPresented()) animation->setFromValue(presentedFrame());
    return animation;
}

void MainThreadAnimationLayer::setRenderScale(double scale) {
    renderScale_ = scale;
    for (const auto& layer : animationLayers_) {
        layer->setRenderScale(scale);
        layer->applyRenderScale();
    }
}

std::vector<std::shared_ptr<Layer>> MainThreadAnimationLayer::allAnimationLayers() const {
    return {animationLayers_.begin(), animationLayers_.end()};
}

void MainThreadAnimationLayer::setImageProvider(std::shared_ptr<AnimationImageProvider> provider) {
    imageProvider_ = std::move(provider);
    if (!layerImageProvider_) return;
    layerImageProvider_->setImageProvider(imageProvider_);
    refreshImages();
}

void MainThreadAnimationLayer::refreshImages() {
    if (!layerImageProvider_) return;
    if (auto refused = layerImageProvider_->refreshImages()) reportRenderLimit(*refused);
}

void MainThreadAnimationLayer::setTextProvider(std::shared_ptr<AnimationKeypathTextProvider> provider) {
    textProvider_ = std::move(provider);
}

void MainThreadAnimationLayer::setFontProvider(std::shared_ptr<AnimationFontProvider> provider) {
    fontProvider_ = std::move(provider);
}

void MainThreadAnimationLayer::redrawCurrentFrame() {
    const double frame = currentFrame();
    const AnimatorNode::ForcedUpdates forced;
    const bool animationEnd = isAnimationEnd(frame);
    for (const auto& layer : animationLayers_) layer->showFrame(frame, true, animationEnd);
}

void MainThreadAnimationLayer::logAllKeypaths() {
    logger_->info([] { return std::string("Lottie: Logging Animation Keypaths"); });
    for (std::string& keypath : collectAllKeypaths()) {
        logger_->info([keypath = std::move(keypath)] { return keypath; });
    }
}

std::vector<std::string> MainThreadAnimationLayer::collectAllKeypaths() {
    std::vector<std::string> keypaths;
    for (const auto& layer : animationLayers_) {
        std::vector<std::string> list = layer->keypathList();
        keypaths.insert(keypaths.end(), list.begin(), list.end());
    }
    return keypaths;
}

void MainThreadAnimationLayer::installValueProvider(std::shared_ptr<AnyValueProvider> provider,
                                                    const AnimationKeypath& keypath) {
    changeProviders(keypath, [&](AnyNodeProperty& property) { property.replaceProvider(provider); });
}

void MainThreadAnimationLayer::uninstallValueProvider(const AnimationKeypath& keypath) {
    changeProviders(keypath, [](AnyNodeProperty& property) { property.restoreOriginalProvider(); });
}

void MainThreadAnimationLayer::changeProviders(const AnimationKeypath& keypath,
                                               const std::function<void(AnyNodeProperty&)>& change) {
    // Every provider changes before any layer shows the frame again, so that a
    // layer parented to a later one sees its parent's new values.
    std::vector<CompositionLayer*> changed;
    std::unordered_set<const AnimatorNode*> changedTransforms;
    for (const auto& layer : animationLayers_) {
        auto properties = layer->propertiesAtKeypath(keypath);
        if (!properties) continue;
        for (const auto& property : *properties) change(*property);
        changed.push_back(layer.get());
        changedTransforms.insert(layer->transformNode().get());
    }
    // The layers parented to a changed one, however far down, move with it:
    // each is taken as current for the frame it shows, so it is shown again too.
    for (const auto& layer : animationLayers_) {
        if (changedTransforms.contains(layer->transformNode().get())) continue;
        for (const AnimatorNode* parent = layer->transformNode()->parentNode().get(); parent;
             parent = parent->parentNode().get()) {
            if (!changedTransforms.contains(parent)) continue;
            changed.push_back(layer.get());
            break;
        }
    }
    const double frame = presentedFrame();
    const AnimatorNode::ForcedUpdates forced;
    const bool animationEnd = isAnimationEnd(frame);
    for (CompositionLayer* layer : changed) layer->showFrame(frame, true, animationEnd);
}

std::any MainThreadAnimationLayer::valueOfFirstMatch(const AnimationKeypath& keypath, std::optional<double> atFrame,
                                                     bool original) {
    for (const auto& layer : animationLayers_) {
        auto properties = layer->propertiesAtKeypath(keypath);
        if (!properties || properties->empty()) continue;
        return properties->front()->queriedValue(atFrame.value_or(currentFrame()), original);
    }
    return {};
}

std::any MainThreadAnimationLayer::valueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) {
    return valueOfFirstMatch(keypath, atFrame, false);
}

std::any MainThreadAnimationLayer::unoverriddenValueAtKeypath(const AnimationKeypath& keypath,
                                                              std::optional<double> atFrame) {
    return valueOfFirstMatch(keypath, atFrame, true);
}

std::shared_ptr<Layer> MainThreadAnimationLayer::layerForKeypath(const AnimationKeypath& keypath) {
    if (keypath.keys().empty()) return nullptr;
    // A layer named by the keypath answers with its contents layer, a node below
    // it with its own container.
    for (const auto& layer : animationLayers_) {
        if (auto found = layerAtKeypath(*layer, keypath)) return found;
    }
    return nullptr;
}

std::optional<std::vector<std::shared_ptr<AnimatorNode>>> MainThreadAnimationLayer::nodesAtKeypath(
    const AnimationKeypath& keypath) {
    std::vector<std::shared_ptr<AnimatorNode>> nodes;
    for (const auto& layer : animationLayers_) {
        if (auto found = layer->nodesAtKeypath(keypath)) nodes.insert(nodes.end(), found->begin(), found->end());
    }
    if (nodes.empty()) return std::nullopt;
    return nodes;
}

}  // namespace lottie
