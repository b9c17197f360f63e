// The declarative button and switch: a host makes the control once from its
// first value and keeps it in step with every later one, and a bound switch
// and its binding follow each other: a click reaches the binding on the next
// turn of the main run loop, and a binding changed from outside moves the
// switch without being written back.
#include <QtTest/QTest>
#include <string>
#include <vector>

#include "Lottie/Playback/ValueProviders/ColorValueProvider.h"
#include "Lottie/Views/Controls/LottieButton.h"
#include "Lottie/Views/Controls/LottieControlHost.h"
#include "Lottie/Views/Controls/LottieSwitch.h"
#include "Platform/Foundation/MainRunLoop.h"
#include "tests/Lottie/Views/ControlsTestSupport.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::AnimatedSwitch;
using lottie::Binding;
using lottie::LottieButton;
using lottie::LottieControlHost;
using lottie::LottieNSControlEvent;
using lottie::LottieSwitch;
using viewstest::Range;
using viewstest::ViewsTest;

// A Boolean the application keeps, and every write the switch made to it.
struct BoundFlag {
    bool value = false;
    std::vector<bool> writes;
    Binding<bool> binding() {
        return {[this] { return value; },
                [this](bool on) {
                    value = on;
                    writes.push_back(on);
                }};
    }
};

void drainMainRunLoop() { platform::foundation::MainRunLoop::shared().drain(); }

TEST_F(ViewsTest, ButtonIsMadeOnceWithTheFirstActionAndKeepsItsAnimationInStep) {
    const auto first = viewstest::animation();
    int firstActions = 0;
    int laterActions = 0;
    const auto value = [&](std::shared_ptr<const lottie::LottieAnimation> animation, int& counter) {
        return LottieButton(std::move(animation), [&counter] { ++counter; }, viewstest::mainThreadConfiguration())
            .playRange(0, 0.5, LottieNSControlEvent::mouseDown());
    };
    LottieControlHost<LottieButton> host;
    host.apply(value(first, firstActions));
    host.resize(host.sizeHint());
    host.show();
    settle();
    auto* button = host.control();
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(host.size(), QSize(100, 50));
    auto* renderingBefore = button->animationView().lottieAnimationLayer()->renderingLayer().get();

    // The same animation object, a new action: nothing changes, and the action
    // of the first value stays.
    host.apply(value(first, laterActions));
    EXPECT_EQ(host.control(), button);
    EXPECT_EQ(button->animationView().lottieAnimationLayer()->renderingLayer().get(), renderingBefore);
    viewstest::PlayLog log(button->animationView());
    viewstest::click(*button, [&log] { log.look(); });
    viewstest::expectRanges(log.ranges(), {{0, 0.5}, {0, 1}}, "press, then release inside");
    EXPECT_EQ(firstActions, 1);
    EXPECT_EQ(laterActions, 0);

    // An equal document decoded again is another animation: it replaces the
    // control's, and the host measures it anew.
    const auto larger = viewstest::animation(160, 80);
    host.apply(value(larger, laterActions));
    EXPECT_EQ(host.control(), button);
    EXPECT_EQ(button->animation(), larger);
    EXPECT_EQ(host.sizeHint(), QSize(160, 80));
}

TEST_F(ViewsTest, ControlModifiersApplyOnlyWhatDiffers) {
    const auto animation = viewstest::animation();
    const lottie::AnimationKeypath fill("Square.Fill.Color");
    const auto red = std::make_shared<lottie::ColorValueProvider>(lottie::LottieColor{1, 0, 0, 1});
    int configured = 0;
    const auto value = LottieButton(animation, [] {}, viewstest::mainThreadConfiguration())
                           .valueProvider(red, fill)
                           .appendingConfiguration([&configured](lottie::AnimatedButton&) { ++configured; })
                           .playRange("start", "middle", LottieNSControlEvent::mouseUpOutside());
    EXPECT_EQ(value.configurationCount(), 3u);
    LottieControlHost<LottieButton> host;
    host.apply(value);
    auto& view = host.control()->animationView();
    const auto installed = view.valueProviders().at(fill);
    EXPECT_EQ(installed, red);
    EXPECT_EQ(configured, 1);
    // No markers in this document: the range is not assigned.
    EXPECT_EQ(host.control()->rangesForEvents().count(LottieNSControlEvent::mouseUpOutside()), 0u);

    // An equal provider of another identity is not installed again; a
    // different one is.
    host.apply(LottieButton(animation, [] {}).valueProvider(
        std::make_shared<lottie::ColorValueProvider>(lottie::LottieColor{1, 0, 0, 1}), fill));
    EXPECT_EQ(view.valueProviders().at(fill), red);
    const auto blue = std::make_shared<lottie::ColorValueProvider>(lottie::LottieColor{0, 0, 1, 1});
    host.apply(LottieButton(animation, [] {}).valueProvider(blue, fill));
    EXPECT_EQ(view.valueProviders().at(fill), blue);

    // The configuration modifier sets the view's when it differs.
    const lottie::LottieConfiguration other(lottie::RenderingEngineOption::automatic());
    host.apply(LottieButton(animation, [] {}).configuration(other));
    EXPECT_TRUE(view.configuration() == other);
}

TEST_F(ViewsTest, BoundSwitchStartsInTheBoundStateAndReportsAClickOnTheNextTurn) {
    BoundFlag flag;
    flag.value = true;
    const auto animation = viewstest::animation();
    const auto value = [&] {
        return LottieSwitch(animation, viewstest::mainThreadConfiguration()).isOn(flag.binding());
    };
    LottieControlHost<LottieSwitch> host;
    host.apply(value());
    host.show();
    settle();
    AnimatedSwitch& control = *host.control();
    EXPECT_TRUE(control.isOn());
    EXPECT_FALSE(control.animationView().isPlaying()) << "made in the bound state, at rest";
    EXPECT_NEAR(control.animationView().currentProgress(), 1, 1e-9);
    EXPECT_TRUE(flag.writes.empty());

    viewstest::click(control);
    EXPECT_FALSE(control.isOn());
    EXPECT_TRUE(flag.writes.empty()) << "not inside the click";
    EXPECT_TRUE(flag.value);
    drainMainRunLoop();
    EXPECT_EQ(flag.writes, std::vector<bool>{false});
    EXPECT_FALSE(flag.value);

    // The update that follows the write finds both equal: nothing plays anew.
    viewstest::PlayLog log(control.animationView());
    host.apply(value());
    drainMainRunLoop();
    log.look();
    EXPECT_EQ(log.ranges().size(), 1u) << "only the click's own play";
    EXPECT_EQ(flag.writes.size(), 1u);

    // Two clicks before the run loop turns reach the binding in order.
    viewstest::click(control);
    viewstest::click(control);
    drainMainRunLoop();
    EXPECT_EQ(flag.writes, (std::vector<bool>{false, true, false}));
    EXPECT_EQ(flag.value, control.isOn());
}

TEST_F(ViewsTest, BindingChangedFromOutsideMovesTheSwitchWithoutWritingBack) {
    BoundFlag flag;
    int reports = 0;
    const auto animation = viewstest::animation();
    const auto value = [&] {
        // A closure appended before the binding's: the binding's replaces it.
        return LottieSwitch(animation, viewstest::mainThreadConfiguration())
            .appendingConfiguration([&reports](AnimatedSwitch& control) {
                control.setStateUpdated([&reports](bool) { ++reports; });
            })
            .isOn(flag.binding());
    };
    LottieControlHost<LottieSwitch> host;
    host.apply(value());
    host.show();
    settle();
    AnimatedSwitch& control = *host.control();
    ASSERT_FALSE(control.isOn());
    viewstest::PlayLog log(control.animationView());

    flag.value = true;
    host.apply(value());
    log.look();
    EXPECT_TRUE(control.isOn());
    viewstest::expectRanges(log.ranges(), {{0, 1}}, "the on range, played");
    // The application changes its mind before the run loop turns: nothing
    // from the switch may overwrite that.
    flag.value = false;
    drainMainRunLoop();
    EXPECT_TRUE(flag.writes.empty());
    EXPECT_EQ(reports, 0);
    EXPECT_FALSE(flag.value);

    // Half-way through the on play, the binding's change turns it back.
    frame(control.animationView(), 0);
    frame(control.animationView(), 0.5);
    host.apply(value());
    log.look();
    EXPECT_FALSE(control.isOn());
    viewstest::expectRanges(log.ranges(), {{0, 1}, {0.5, 0}}, "and back off");
    drainMainRunLoop();
    EXPECT_TRUE(flag.writes.empty());
}

TEST_F(ViewsTest, UnboundSwitchKeepsItsOwnStateAndReport) {
    int reports = 0;
    const auto value = LottieSwitch(viewstest::animation(), viewstest::mainThreadConfiguration())
                           .appendingConfiguration([&reports](AnimatedSwitch& control) {
                               if (!control.stateUpdated()) control.setStateUpdated([&reports](bool) { ++reports; });
                           });
    LottieControlHost<LottieSwitch> host;
    host.apply(value);
    host.show();
    settle();
    viewstest::click(*host.control());
    drainMainRunLoop();
    host.apply(value);
    EXPECT_TRUE(host.control()->isOn()) << "an update without a binding leaves the state alone";
    EXPECT_EQ(reports, 1);
}

TEST_F(ViewsTest, SwitchProgressRangesAreSetOnlyWhenTheyDiffer) {
    BoundFlag flag;
    flag.value = true;
    const auto animation = viewstest::animation();
    const auto value = [&](Range on, Range off) {
        return LottieSwitch(animation, viewstest::mainThreadConfiguration())
            .isOn(flag.binding())
            .onProgressRange(on.first, on.second)
            .offProgressRange(off.first, off.second);
    };
    LottieControlHost<LottieSwitch> host;
    host.apply(value({0, 0.5}, {0.5, 1}));
    AnimatedSwitch& control = *host.control();
    EXPECT_EQ(control.onRange(), Range(0, 0.5));
    EXPECT_EQ(control.offRange(), Range(0.5, 1));
    EXPECT_NEAR(control.animationView().currentProgress(), 0.5, 1e-9) << "on, at the new on range's end";

    // The same ranges again leave the frame alone.
    control.animationView().setCurrentProgress(0.2);
    host.apply(value({0, 0.5}, {0.5, 1}));
    EXPECT_NEAR(control.animationView().currentProgress(), 0.2, 1e-9);
    // A new on range shows its end at once.
    host.apply(value({0.1, 0.4}, {0.5, 1}));
    EXPECT_NEAR(control.animationView().currentProgress(), 0.4, 1e-9);
    EXPECT_FALSE(control.animationView().isPlaying());
    drainMainRunLoop();
    EXPECT_TRUE(flag.writes.empty()) << "showing the same state again is no change to report";
}

}  // namespace
