#pragma once
// A button whose look is an animation: each tracked mouse event plays the
// progress range assigned to it (by default only a release inside plays, from
// 0 to 1), and a release inside runs the action, once per click, whether or
// not a range played. An application assigns ranges for the press
// (LottieNSControlEvent::mouseDown()), for moves inside or outside
// ({QEvent::MouseMove, inside}) and for either release.
//
// Assistive tools see it as a push button. Owned by its Qt parent or its
// creator; main thread only.

#include <functional>
#include <string>
#include <unordered_map>
#include <utility>

#include "Lottie/Views/Controls/AnimatedControl.h"

namespace lottie {

class AnimatedButton : public AnimatedControl {
    Q_OBJECT

public:
    // A progress range, from its first value to its second.
    using ProgressRange = std::pair<double, double>;

    explicit AnimatedButton(QWidget* parent = nullptr);
    AnimatedButton(std::shared_ptr<const LottieAnimation> animation,
                   LottieConfiguration configuration = LottieConfiguration::shared(), QWidget* parent = nullptr);

    const std::function<void()>& performAction() const { return performAction_; }
    void setPerformAction(std::function<void()> action) { performAction_ = std::move(action); }

    const std::unordered_map<LottieNSControlEvent, ProgressRange>& rangesForEvents() const { return rangesForEvents_; }
    void assignPlayRange(double fromProgress, double toProgress, const LottieNSControlEvent& event);
    // The range between two markers' progress values; nothing when there is no
    // animation or either marker is missing from it.
    void assignPlayRange(const std::string& fromMarker, const std::string& toMarker, const LottieNSControlEvent& event);

protected:
    void handleTrackedEvent(const LottieNSControlEvent& event) override;

private:
    std::function<void()> performAction_;
    std::unordered_map<LottieNSControlEvent, ProgressRange> rangesForEvents_{
        {LottieNSControlEvent::mouseUpInside(), {0.0, 1.0}}};
};

}  // namespace lottie
