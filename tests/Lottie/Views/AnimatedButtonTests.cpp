// The animated button and the tracking it shares with every animated control:
// each press, move and release plays the range assigned to it, a release
// inside runs the action once, a press dragged out and released runs nothing,
// and a disabled button ignores the mouse.
#include <QAccessible>
#include <QtTest/QTest>
#include <string>

#include "Lottie/Views/Controls/AnimatedButton.h"
#include "tests/Lottie/Views/ControlsTestSupport.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::AnimatedButton;
using lottie::LottieNSControlEvent;
using lottie::LottieNSControlState;
using viewstest::PointerStep;
using viewstest::Range;
using viewstest::Step;
using viewstest::ViewsTest;

// The button is 100 x 50.
const QPoint inside(50, 25);
const QPoint nearEdge(99, 49);
const QPoint outside(150, 25);
const QPoint justOutside(100, 25);

TEST_F(ViewsTest, ButtonPlaysTheRangeOfEachTrackedEventAndActsOnAReleaseInside) {
    const LottieNSControlEvent dragInside{QEvent::MouseMove, true};
    const LottieNSControlEvent dragOutside{QEvent::MouseMove, false};
    struct Case {
        const char* name;
        bool allRanges;  // else only the default: release inside plays 0 to 1
        std::vector<PointerStep> steps;
        std::vector<Range> played;
        int actions;
        // The control state after each step.
        std::vector<LottieNSControlState> states;
    };
    using S = LottieNSControlState;
    const Case cases[] = {
        {"click", false, {{Step::press, inside}, {Step::release, inside}}, {{0, 1}}, 1, {S::highlighted, S::normal}},
        {"click on the last pixel", false, {{Step::press, nearEdge}, {Step::release, nearEdge}}, {{0, 1}}, 1,
         {S::highlighted, S::normal}},
        {"drag out and release",
         false,
         {{Step::press, inside}, {Step::move, outside}, {Step::release, outside}},
         {},
         0,
         {S::highlighted, S::normal, S::normal}},
        {"release just past the far edge",
         false,
         {{Step::press, inside}, {Step::move, justOutside}, {Step::release, justOutside}},
         {},
         0,
         {S::highlighted, S::normal, S::normal}},
        {"drag out and back in",
         false,
         {{Step::press, inside}, {Step::move, outside}, {Step::move, inside}, {Step::release, inside}},
         {{0, 1}},
         1,
         {S::highlighted, S::normal, S::highlighted, S::normal}},
        {"every range, click",
         true,
         {{Step::press, inside}, {Step::move, inside}, {Step::release, inside}},
         {{0, 0.25}, {0.25, 0.3}, {0.3, 1}},
         1,
         {S::highlighted, S::highlighted, S::normal}},
        {"every range, drag out and release",
         true,
         {{Step::press, inside}, {Step::move, outside}, {Step::release, outside}},
         {{0, 0.25}, {0.5, 0.25}, {0.25, 0}},
         0,
         {S::highlighted, S::normal, S::normal}},
    };
    for (const Case& c : cases) {
        AnimatedButton button(viewstest::animation(), viewstest::mainThreadConfiguration());
        if (c.allRanges) {
            button.assignPlayRange(0, 0.25, LottieNSControlEvent::mouseDown());
            button.assignPlayRange(0.25, 0.3, dragInside);
            button.assignPlayRange(0.5, 0.25, dragOutside);
            button.assignPlayRange(0.3, 1, LottieNSControlEvent::mouseUpInside());
            button.assignPlayRange(0.25, 0, LottieNSControlEvent::mouseUpOutside());
        }
        int actions = 0;
        button.setPerformAction([&actions] { ++actions; });
        button.show();
        settle();
        ASSERT_EQ(button.size(), QSize(100, 50));
        viewstest::PlayLog log(button.animationView());
        std::vector<LottieNSControlState> states;
        viewstest::perform(button, c.steps, [&] {
            log.look();
            states.push_back(button.currentState());
        });
        viewstest::expectRanges(log.ranges(), c.played, c.name);
        EXPECT_EQ(actions, c.actions) << c.name;
        EXPECT_EQ(states, c.states) << c.name;
    }
}

TEST_F(ViewsTest, ButtonActsOnceAfterItsPlayIsUnderWayAndIgnoresOtherButtons) {
    AnimatedButton button(viewstest::animation(), viewstest::mainThreadConfiguration());
    bool playingWhenActed = false;
    int actions = 0;
    button.setPerformAction([&] {
        ++actions;
        playingWhenActed = button.animationView().isPlaying();
    });
    button.show();
    settle();
    viewstest::click(button);
    EXPECT_EQ(actions, 1);
    EXPECT_TRUE(playingWhenActed) << "the range starts before the action runs";

    // Assistive tools see a push button.
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&button);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::Button);

    // The right button neither tracks nor acts.
    QTest::mouseClick(&button, Qt::RightButton, {}, inside);
    EXPECT_EQ(actions, 1);
    EXPECT_EQ(button.currentState(), LottieNSControlState::normal);

    // The play runs to the range's end.
    for (int tick = 0; tick < 70 && button.animationView().isPlaying(); ++tick) frame(button.animationView());
    EXPECT_FALSE(button.animationView().isPlaying());
    EXPECT_NEAR(button.animationView().currentProgress(), 1, 1e-9);
}

TEST_F(ViewsTest, DisabledOrHiddenButtonIgnoresTheMouse) {
    struct Case {
        const char* name;
        bool disable;
    };
    for (const Case& c : {Case{"disabled", true}, Case{"not shown", false}}) {
        AnimatedButton button(viewstest::animation(), viewstest::mainThreadConfiguration());
        button.assignPlayRange(0, 0.5, LottieNSControlEvent::mouseDown());
        int actions = 0;
        button.setPerformAction([&actions] { ++actions; });
        if (c.disable) {
            button.show();
            button.setEnabled(false);
        }
        settle();
        viewstest::PlayLog log(button.animationView());
        std::vector<LottieNSControlState> states;
        viewstest::perform(button, {{Step::press, inside}, {Step::move, outside}, {Step::release, inside}}, [&] {
            log.look();
            states.push_back(button.currentState());
        });
        EXPECT_TRUE(log.ranges().empty()) << c.name;
        EXPECT_EQ(actions, 0) << c.name;
        EXPECT_EQ(states, std::vector<LottieNSControlState>(3, LottieNSControlState::normal)) << c.name;
    }
}

TEST_F(ViewsTest, ButtonDisabledMidPressEndsThePressWithoutActing) {
    AnimatedButton button(viewstest::animation(), viewstest::mainThreadConfiguration());
    int actions = 0;
    button.setPerformAction([&actions] { ++actions; });
    button.show();
    settle();
    QTest::mousePress(&button, Qt::LeftButton, {}, inside);
    ASSERT_EQ(button.currentState(), LottieNSControlState::highlighted);
    button.setEnabled(false);
    EXPECT_EQ(button.currentState(), LottieNSControlState::normal);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, inside);
    button.setEnabled(true);
    EXPECT_EQ(actions, 0);
    // The next press starts a new one.
    viewstest::click(button);
    EXPECT_EQ(actions, 1);
}

TEST_F(ViewsTest, ButtonRangeFromMarkersNeedsBothMarkers) {
    const LottieNSControlEvent event = LottieNSControlEvent::mouseDown();
    struct Case {
        const char* name;
        bool withAnimation;
        const char* from;
        const char* to;
        std::optional<Range> stored;
    };
    const Case cases[] = {
        {"both", true, "quarter", "middle", Range{0.25, 0.5}},
        {"backwards", true, "middle", "start", Range{0.5, 0}},
        {"missing start", true, "nowhere", "middle", std::nullopt},
        {"missing end", true, "start", "nowhere", std::nullopt},
        {"no animation", false, "start", "middle", std::nullopt},
    };
    for (const Case& c : cases) {
        AnimatedButton button(c.withAnimation ? viewstest::markedAnimation() : nullptr,
                              viewstest::mainThreadConfiguration());
        button.assignPlayRange(c.from, c.to, event);
        const auto& ranges = button.rangesForEvents();
        const auto found = ranges.find(event);
        ASSERT_EQ(found != ranges.end(), c.stored.has_value()) << c.name;
        if (c.stored) viewstest::expectRanges({found->second}, {*c.stored}, c.name);
        EXPECT_EQ(ranges.count(LottieNSControlEvent::mouseUpInside()), 1u) << c.name << ": the default stays";
    }
}

}  // namespace
