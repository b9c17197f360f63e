#pragma once
// A widget whose look is an animation. It hosts one LottieAnimationView over
// its whole area, follows a press of the left mouse button until its release,
// keeps a control state (highlighted while the pressed pointer is inside),
// and can show one named layer of the animation per state. AnimatedButton and
// AnimatedSwitch act on the tracked events through handleTrackedEvent().
//
// Tracking: Qt's press, move and release handlers follow the press from start
// to finish, without a loop of the control's own. Qt sends the pressed widget
// every move and the release, also outside its bounds (an implicit grab), so
// each event is reported with whether the pointer was inside, which is what
// the play ranges and the highlighted state are keyed by. Only the left
// button tracks. Qt sends a disabled
// widget no mouse events, so a disabled control ignores input; a control that
// is not shown ignores the events a caller sends it directly.
//
// Owns its animation view (a Qt child that lets mouse events through to the
// control). Owned by its Qt parent or its creator; main thread only.

#include <QWidget>
#include <map>
#include <memory>
#include <string>

#include "Lottie/Playback/Keypaths/AnimationKeypath.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "Lottie/Views/Controls/LottieNSControlEvent.h"
#include "Lottie/Views/Controls/LottieNSControlState.h"
#include "Lottie/Views/LottieAnimationView.h"

namespace lottie {

class AnimatedControl : public QWidget {
    Q_OBJECT

public:
    // A control without an animation; its view has the shared configuration.
    explicit AnimatedControl(QWidget* parent = nullptr);
    // A control of the animation's size (zero without one), showing it with
    // the default text and font providers and the shared logger.
    AnimatedControl(std::shared_ptr<const LottieAnimation> animation,
                    LottieConfiguration configuration = LottieConfiguration::shared(), QWidget* parent = nullptr);

    LottieAnimationView& animationView() const { return *animationView_; }

    const std::shared_ptr<const LottieAnimation>& animation() const { return animationView_->animation(); }
    // Shows the animation (none clears it) at its own size, applies the state
    // layers to it, then tells the subclass (animationDidSet()).
    void setAnimation(std::shared_ptr<const LottieAnimation> animation);
    double animationSpeed() const { return animationView_->animationSpeed(); }
    // Restarts a running animation at the new speed.
    void setAnimationSpeed(double speed) { animationView_->setAnimationSpeed(speed); }

    // Shows only the layer at the keypath (dotted text) while the control is
    // in `state`; a name that no layer answers to shows every layer.
    void assignStateLayer(const std::string& keypath, LottieNSControlState state);
    // The state-layer names by raw state value.
    const std::map<unsigned, std::string>& stateMap() const { return stateMap_; }
    LottieNSControlState currentState() const { return currentState_; }

    void installValueProvider(std::shared_ptr<AnyValueProvider> provider, const AnimationKeypath& keypath) {
        animationView_->installValueProvider(std::move(provider), keypath);
    }
    void uninstallValueProvider(const AnimationKeypath& keypath) { animationView_->uninstallValueProvider(keypath); }

    // A highlight an application may set, as on any control; the state layers
    // are applied again after each change.
    bool isHighlighted() const { return highlighted_; }
    void setHighlighted(bool highlighted);

    // Hides or shows the animation's layers for the current state (see the .cpp).
    void updateStateLayers();

    // The animation view's: the animation's size.
    QSize sizeHint() const override;

protected:
    // Receives every tracked event; does nothing here.
    virtual void handleTrackedEvent(const LottieNSControlEvent& event) { (void)event; }
    // Runs after setAnimation(); does nothing here.
    virtual void animationDidSet() {}

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUpAnimationView();
    bool isInside(const QMouseEvent& event) const;
    void setCurrentState(LottieNSControlState state);

    LottieAnimationView* animationView_;
    std::map<unsigned, std::string> stateMap_;
    LottieNSControlState currentState_ = LottieNSControlState::normal;
    bool highlighted_ = false;
    // Between a left press and its release.
    bool tracking_ = false;
};

}  // namespace lottie
