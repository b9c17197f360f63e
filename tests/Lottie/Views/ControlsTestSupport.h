#pragma once
// Shared by the animated controls' tests: the play requests a view received,
// read off its animation layer, and the pointer gestures the tests make.

#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Lottie/Playback/AnimationCompletionDelegate.h"
#include "Lottie/Views/LottieAnimationView.h"

namespace viewstest {

// A progress range, from its first value to its second.
using Range = std::pair<double, double>;

// The main-thread engine, so that play requests become compositor animations.
lottie::LottieConfiguration mainThreadConfiguration();

// The test document with markers "start" (frame 0), "middle" (frame 15) and
// "quarter" (frame 7.5, as 7.5 is not a whole frame it reads back as written).
std::shared_ptr<const lottie::LottieAnimation> markedAnimation();

// Notes each new play request of a view (a request with a new completion
// delegate) as the progress range it plays, in the order the requests came.
class PlayLog {
public:
    explicit PlayLog(const lottie::LottieAnimationView& view) : view_(view) { look(); }
    // Takes note of the request in force now, if it is new; returns the log.
    const std::vector<Range>& look();
    const std::vector<Range>& ranges() const { return ranges_; }

private:
    const lottie::LottieAnimationView& view_;
    // The last request's delegate, compared by its owner: a finished request's
    // delegate may be freed and a new one made at the same address, but not
    // while this holds its control block.
    std::weak_ptr<lottie::AnimationCompletionDelegate> last_;
    std::vector<Range> ranges_;
};

// Pointer gestures on a widget, with the left button. `look` runs after each
// event, so that a log sees every request the gesture made.
enum class Step { press, move, release };
struct PointerStep {
    Step step;
    QPoint at;
};
void perform(QWidget& widget, const std::vector<PointerStep>& steps, const std::function<void()>& look = {});
// Press and release at the widget's centre.
void click(QWidget& widget, const std::function<void()>& look = {});

// Expects the ranges to agree, each value to within a hundredth of a frame
// of the test document.
void expectRanges(const std::vector<Range>& actual, const std::vector<Range>& expected, const std::string& label);

}  // namespace viewstest
