#include "Lottie/Views/Controls/AnimatedControl.h"

#include <QMouseEvent>
#include <QPointer>

#include "Lottie/Playback/Providers/DefaultFontProvider.h"
#include "Lottie/Playback/Providers/DefaultTextProvider.h"

namespace lottie {

AnimatedControl::AnimatedControl(QWidget* parent) : QWidget(parent), animationView_(new LottieAnimationView(this)) {
    setUpAnimationView();
}

AnimatedControl::AnimatedControl(std::shared_ptr<const LottieAnimation> animation, LottieConfiguration configuration,
                                 QWidget* parent)
    : QWidget(parent),
      animationView_(new LottieAnimationView(std::move(animation), nullptr, std::make_shared<DefaultTextProvider>(),
                                             std::make_shared<DefaultFontProvider>(), std::move(configuration),
                                             LottieLogger::shared(), this)) {
    setUpAnimationView();
    resize(animationView_->sizeHint());
}

void AnimatedControl::setUpAnimationView() {
    // A control's animation shows where its last play request was headed when
    // it leaves its window, never a frame part-way.
    animationView_->setBackgroundBehavior(LottieBackgroundBehavior::forceFinish);
    // The control, not its view, takes the mouse: it tracks presses itself.
    animationView_->setAttribute(Qt::WA_TransparentForMouseEvents);
    animationView_->setContentMode(LottieContentMode::scaleAspectFit);
    animationView_->setGeometry(rect());
    animationView_->setNeedsLayout();
}

void AnimatedControl::setAnimation(std::shared_ptr<const LottieAnimation> animation) {
    animationView_->setAnimation(std::move(animation));
    updateGeometry();
    updateStateLayers();
    animationDidSet();
}

void AnimatedControl::assignStateLayer(const std::string& keypath, LottieNSControlState state) {
    stateMap_[static_cast<unsigned>(state)] = keypath;
    updateStateLayers();
}

void AnimatedControl::setHighlighted(bool highlighted) {
    highlighted_ = highlighted;
    updateStateLayers();
}

void AnimatedControl::updateStateLayers() {
    const std::shared_ptr<RootAnimationLayer> rendering = animationView_->lottieAnimationLayer()->renderingLayer();
    if (!rendering) return;
    std::shared_ptr<platform::compositor::Layer> chosen;
    if (const auto name = stateMap_.find(static_cast<unsigned>(currentState_)); name != stateMap_.end()) {
        chosen = rendering->layerForKeypath(AnimationKeypath(name->second));
    }
    // Every top-level layer hides except the one that holds the chosen layer.
    // The engine may answer with a layer inside a top-level one (its contents);
    // hiding that holder too would show nothing at all, and the chosen layer's
    // own visibility stays the engine's, which shows it only within its frames.
    for (const auto& layer : rendering->allAnimationLayers()) {
        bool holdsChosen = false;
        for (auto inner = chosen; inner && !holdsChosen; inner = inner->superlayer()) holdsChosen = inner == layer;
        layer->setHidden(chosen && !holdsChosen);
    }
    animationView_->scheduleFrame();
}

QSize AnimatedControl::sizeHint() const { return animationView_->sizeHint(); }

bool AnimatedControl::isInside(const QMouseEvent& event) const {
    // The bounds' far edges lie outside them, as a point on the next pixel does.
    const QPointF point = event.position();
    return point.x() >= 0 && point.y() >= 0 && point.x() < width() && point.y() < height();
}

void AnimatedControl::setCurrentState(LottieNSControlState state) {
    if (state == currentState_) return;
    currentState_ = state;
    updateStateLayers();
}

void AnimatedControl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || tracking_ || !isVisible()) {
        QWidget::mousePressEvent(event);
        return;
    }
    tracking_ = true;
    currentState_ = LottieNSControlState::highlighted;
    updateStateLayers();
    // A double click's second press is a press like the first.
    handleTrackedEvent({QEvent::MouseButtonPress, isInside(*event)});
}

void AnimatedControl::mouseMoveEvent(QMouseEvent* event) {
    if (!tracking_) {
        QWidget::mouseMoveEvent(event);
        return;
    }
    const bool inside = isInside(*event);
    handleTrackedEvent({QEvent::MouseMove, inside});
    setCurrentState(inside ? LottieNSControlState::highlighted : LottieNSControlState::normal);
}

void AnimatedControl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !tracking_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    tracking_ = false;
    // A click's action may delete the control (a button that closes what holds it).
    const QPointer<AnimatedControl> self(this);
    handleTrackedEvent({QEvent::MouseButtonRelease, isInside(*event)});
    if (self) setCurrentState(LottieNSControlState::normal);
}

void AnimatedControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    animationView_->setGeometry(rect());
}

void AnimatedControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange) return;
    // Disabled in the middle of a press, the control hears no release: the
    // press ends here, so that the control does not stay highlighted.
    if (!isEnabled() && tracking_) {
        tracking_ = false;
        currentState_ = LottieNSControlState::normal;
    }
    updateStateLayers();
}

}  // namespace lottie
