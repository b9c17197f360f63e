// The animation view's keypath services, marker queries and animation
// subviews: steps over the animation layer, followed by a frame when they may
// change what the tree shows.
#include <QRectF>

#include "Lottie/Views/AnimationSubview.h"
#include "Lottie/Views/LottieAnimationView.h"

namespace lottie {

void LottieAnimationView::setShouldRasterizeWhenIdle(bool rasterize) {
    layer_->setShouldRasterizeWhenIdle(rasterize);
    scheduleFrame();
}

void LottieAnimationView::setRespectAnimationFrameRate(bool respect) {
    layer_->setRespectAnimationFrameRate(respect);
    scheduleFrame();
}

void LottieAnimationView::setMainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame(bool force) {
    layer_->setMainThreadRenderingEngineShouldForceDisplayUpdateOnEachFrame(force);
    scheduleFrame();
}

void LottieAnimationView::refreshImages() {
    layer_->refreshImages();
    scheduleFrame();
}

std::any LottieAnimationView::valueAtKeypath(const AnimationKeypath& keypath, std::optional<double> atFrame) {
    return layer_->valueAtKeypath(keypath, atFrame);
}

std::any LottieAnimationView::unoverriddenValueAtKeypath(const AnimationKeypath& keypath,
                                                         std::optional<double> atFrame) {
    return layer_->unoverriddenValueAtKeypath(keypath, atFrame);
}

void LottieAnimationView::logAllKeypaths() { layer_->logAllKeypaths(); }

std::vector<std::string> LottieAnimationView::collectAllKeypaths() { return layer_->collectAllKeypaths(); }

std::optional<platform::graphics::Rect> LottieAnimationView::convertRect(
    const platform::graphics::Rect& rect, const std::optional<AnimationKeypath>& keypath) {
    auto converted = layer_->convertRectToKeypath(rect, keypath);
    setNeedsLayout();
    return converted;
}

std::optional<platform::graphics::Point> LottieAnimationView::convertPoint(
    platform::graphics::Point point, const std::optional<AnimationKeypath>& keypath) {
    auto converted = layer_->convertPointToKeypath(point, keypath);
    setNeedsLayout();
    return converted;
}

void LottieAnimationView::setAnimatorNodesEnabled(bool enabled, const AnimationKeypath& keypath) {
    layer_->setAnimatorNodesEnabled(enabled, keypath);
    scheduleFrame();
}

std::optional<double> LottieAnimationView::progressForMarker(const std::string& name) const {
    return layer_->progressForMarker(name);
}

std::optional<double> LottieAnimationView::frameForMarker(const std::string& name) const {
    return layer_->frameForMarker(name);
}

std::optional<double> LottieAnimationView::durationForMarker(const std::string& name) const {
    return layer_->durationForMarker(name);
}

bool LottieAnimationView::addAnimationSubview(AnimationSubview* subview, const AnimationKeypath& keypath) {
    const auto rendering = layer_->renderingLayer();
    if (!subview || !rendering) return false;
    std::shared_ptr<platform::compositor::Layer> target = rendering->layerForKeypath(keypath);
    if (!target) return false;
    setNeedsLayout();
    layer_->redrawCurrentFrame();
    subview->setParent(this);
    const QRect frame = subview->geometry();
    subviews_.push_back({QPointer<AnimationSubview>(subview), target,
                         platform::graphics::Rect(frame.x(), frame.y(), frame.width(), frame.height())});
    placeAnimationSubviews();
    subview->show();
    scheduleFrame();
    return true;
}

void LottieAnimationView::placeAnimationSubviews() {
    std::erase_if(subviews_, [this](const SubviewPlacement& placement) {
        return !placement.subview || placement.subview->parentWidget() != this || placement.layer.expired();
    });
    for (const SubviewPlacement& placement : subviews_) {
        const auto target = placement.layer.lock();
        // Qt widgets stay upright rectangles: under a rotated or skewed layer
        // the subview takes the box around its frame.
        const platform::graphics::Rect box = target->convertRectTo(placement.frame, root_.get());
        if (box.isNull() || box.isEmpty()) {
            placement.subview->setGeometry(QRect());
            continue;
        }
        placement.subview->setGeometry(QRectF(box.minX(), box.minY(), box.width(), box.height()).toAlignedRect());
    }
}

}  // namespace lottie
