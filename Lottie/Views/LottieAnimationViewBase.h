#pragma once
// The widget part of an animation view: its content mode, its layout pass, and
// its notion of being in a window, with hooks that LottieAnimationView fills in.
// It keeps what any Qt widget showing an animation needs apart from the
// animation itself; y grows downwards, as Qt's does.
//
// Layout: a resize, a new content mode or setNeedsLayout() marks the view; the
// pass runs on the next turn of the Qt event loop (a posted layout request), or
// at once through layoutIfNeeded(), and runs the layout hook inside a
// compositor transaction with actions disabled.
//
// Being in a window: Qt has no single "moved to a window" call, so the view is
// in a window exactly while it is visible as part of a shown window
// (QWidget::isVisible()). It re-checks that on these events only:
//   - QEvent::Show (not spontaneous): the window was shown, or the view (or an
//     ancestor) was shown inside a shown window;
//   - QEvent::Hide (not spontaneous): the window was closed or hidden, or the
//     view (or an ancestor) was hidden;
//   - QEvent::ParentChange: the view was re-parented (out of its window, or into
//     another).
// When the answer changes the window hook runs: into a window, the foreground
// routine; out of one, the background routine. Spontaneous show and hide
// events (the window system minimising and restoring a window) leave the view
// in its window, as they should: the window still holds it.
// The screen's pixel density is re-read on QEvent::Show and when the window
// moves to another screen (QEvent::ScreenChangeInternal, and
// QEvent::DevicePixelRatioChange where Qt has it).
//
// Owned by its Qt parent (or its creator); main thread only.

#include <QWidget>

#include "Lottie/Views/LottieContentMode.h"

namespace lottie {

class LottieAnimationViewBase : public QWidget {
    Q_OBJECT

public:
    explicit LottieAnimationViewBase(QWidget* parent = nullptr);

    LottieContentMode contentMode() const { return contentMode_; }
    void setContentMode(LottieContentMode mode);

    void setNeedsLayout();
    bool needsLayout() const { return needsLayout_; }
    // Runs a pending layout pass now.
    void layoutIfNeeded();
    // Whether the view is visible in a shown window (see above).
    bool isInWindow() const { return inWindow_; }

    // The host's background and foreground calls; empty here.
    virtual void animationWillMoveToBackground() {}
    virtual void animationWillEnterForeground() {}

protected:
    // Places the animation in the view; runs inside a transaction without actions.
    virtual void layoutAnimation() {}
    // Runs after the view moved into a window (true) or out of one (false).
    virtual void windowChanged(bool inWindow) { (void)inWindow; }
    // Runs when the pixel density of the view's screen may have changed.
    virtual void screenChanged() {}

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void checkWindow();

    LottieContentMode contentMode_ = LottieContentMode::scaleAspectFit;
    bool needsLayout_ = false;
    bool layoutPosted_ = false;
    bool inWindow_ = false;
};

}  // namespace lottie
