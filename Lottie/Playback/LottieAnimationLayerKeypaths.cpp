// The keypath services and marker queries of LottieAnimationLayer: thin steps
// over the rendering layer, except the value providers, which are remembered so
// that every later rendering layer receives them again.

#include <iterator>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/Playback/LottieAnimationLayer.h"

namespace lottie {

void LottieAnimationLayer::refreshImages() {
    if (rootAnimationLayer_) rootAnimationLayer_->refreshImages();
}

void LottieAnimationLayer::redrawCurrentFrame() {
    if (rootAnimationLayer_) rootAnimationLayer_->redrawCurrentFrame();
}

void LottieAnimationLayer::installValueProvider(std::shared_ptr<AnyValueProvider> provider,
                                                const AnimationKeypath& keypath) {
    if (!rootAnimationLayer_ || !provider) return;
    valueProviders_[keypath] = provider;
    rootAnimationLayer_->installValueProvider(std::move(provider), keypath);
}

void LottieAnimationLayer::uninstallValueProvider(const AnimationKeypath& keypath) {
    if (!rootAnimationLayer_) return;
    std::erase_if(valueProviders_, [&](const auto& entry) { return keypath.matches(entry.first); });
    rootAnimationLayer_->uninstallValueProvider(keypath);
}

std::any LottieAnimationLayer::valueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) {
    return rootAnimationLayer_ ? rootAnimationLayer_->valueAtKeypath(keypath, atFrame) : std::any();
}

std::any LottieAnimationLayer::unoverriddenValueAtKeypath(const AnimationKeypath& keypath,
                                                          std::optional<double> atFrame) {
    return rootAnimationLayer_ ? rootAnimationLayer_->unoverriddenValueAtKeypath(keypath, atFrame) : std::any();
}

void LottieAnimationLayer::logAllKeypaths() {
    if (rootAnimationLayer_) rootAnimationLayer_->logAllKeypaths();
}

std::vector<std::string> LottieAnimationLayer::collectAllKeypaths() {
    return rootAnimationLayer_ ? rootAnimationLayer_->collectAllKeypaths() : std::vector<std::string>{};
}

std::optional<platform::graphics::Rect> LottieAnimationLayer::convertRectToKeypath(
    const platform::graphics::Rect& rect, const std::optional<AnimationKeypath>& keypath) {
    if (!rootAnimationLayer_) return std::nullopt;
    if (!keypath) return convertRectTo(rect, rootAnimationLayer_.get());
    auto target = rootAnimationLayer_->layerForKeypath(*keypath);
    if (!target) return std::nullopt;
    // Every sublayer must have the geometry of the frame shown before converting.
    setNeedsLayout();
    layoutIfNeeded();
    rootAnimationLayer_->redrawCurrentFrame();
    return rootAnimationLayer_->convertRectTo(rect, target.get());
}

std::optional<platform::graphics::Point> LottieAnimationLayer::convertPointToKeypath(
    platform::graphics::Point point, const std::optional<AnimationKeypath>& keypath) {
    if (!rootAnimationLayer_) return std::nullopt;
    if (!keypath) return convertPointTo(point, rootAnimationLayer_.get());
    auto target = rootAnimationLayer_->layerForKeypath(*keypath);
    if (!target) return std::nullopt;
    setNeedsLayout();
    layoutIfNeeded();
    rootAnimationLayer_->redrawCurrentFrame();
    return rootAnimationLayer_->convertPointTo(point, target.get());
}

void LottieAnimationLayer::setAnimatorNodesEnabled(bool enabled, const AnimationKeypath& keypath) {
    if (!rootAnimationLayer_) return;
    auto nodes = rootAnimationLayer_->nodesAtKeypath(keypath);
    if (!nodes) return;
    for (const auto& node : *nodes) {
        if (node) node->setEnabled(enabled);
    }
    rootAnimationLayer_->redrawCurrentFrame();
}

std::optional<double> LottieAnimationLayer::progressForMarker(const std::string& name) const {
    return animation_ ? animation_->progressForMarker(name) : std::nullopt;
}

std::optional<double> LottieAnimationLayer::frameForMarker(const std::string& name) const {
    return animation_ ? animation_->frameForMarker(name) : std::nullopt;
}

std::optional<double> LottieAnimationLayer::durationForMarker(const std::string& name) const {
    return animation_ ? animation_->durationForMarker(name) : std::nullopt;
}

}  // namespace lottie
