// The animated switch: a click or setIsOn() plays the new state's range and
// reports the change once, the switch then rests at that range's end, a toggle
// part-way through a play turns back from the frame shown, and assistive
// tools read "On" or "Off".
#include <QAccessible>
#include <QtTest/QTest>
#include <string>
#include <vector>

#include "Lottie/Views/Controls/AnimatedSwitch.h"
#include "Lottie/Views/Controls/NullHapticGenerator.h"
#include "tests/Lottie/Views/ControlsTestSupport.h"
#include "tests/Lottie/Views/ViewsTestSupport.h"

namespace {

using lottie::AnimatedSwitch;
using viewstest::PointerStep;
using viewstest::Range;
using viewstest::Step;
using viewstest::ViewsTest;

// A shown switch of the test document, its play requests and its reports.
struct SwitchFixture {
    explicit SwitchFixture(std::shared_ptr<const lottie::LottieAnimation> animation = viewstest::animation())
        : control(std::move(animation), viewstest::mainThreadConfiguration()), log(control.animationView()) {
        control.setStateUpdated([this](bool on) { reports.push_back(on); });
        control.show();
    }
    // Notes a new play request, if any.
    void look() { log.look(); }
    double progress() const { return control.animationView().lottieAnimationLayer()->presentedProgress(); }

    AnimatedSwitch control;
    viewstest::PlayLog log;
    std::vector<bool> reports;
};

class SwitchTest : public ViewsTest {
public:
    // Ticks until the view's play request has ended.
    void playOut(SwitchFixture& s) {
        for (int tick = 0; tick < 200 && s.control.animationView().isPlaying(); ++tick) {
            frame(s.control.animationView());
        }
        ASSERT_FALSE(s.control.animationView().isPlaying());
        settle();
    }
    // Lets the play request in force run for `seconds` (the document plays
    // one unit of progress a second).
    void run(SwitchFixture& s, double seconds) {
        frame(s.control.animationView(), 0);
        frame(s.control.animationView(), seconds);
    }
};

TEST_F(SwitchTest, ClickOrSetIsOnPlaysTheNewStatesRangeReportsOnceAndRestsAtItsEnd) {
    struct Case {
        const char* name;
        std::function<void(SwitchFixture&, SwitchTest&)> act;
        std::vector<Range> played;
        std::vector<bool> reports;
        bool on;
        double rest;
    };
    const auto clickOnce = [](SwitchFixture& s, SwitchTest&) { viewstest::click(s.control, [&s] { s.look(); }); };
    const Case cases[] = {
        {"click", clickOnce, {{0, 1}}, {true}, true, 1},
        {"click twice",
         [](SwitchFixture& s, SwitchTest& test) {
             viewstest::click(s.control, [&s] { s.look(); });
             ASSERT_NO_FATAL_FAILURE(test.playOut(s));
             viewstest::click(s.control, [&s] { s.look(); });
         },
         {{0, 1}, {1, 0}},
         {true, false},
         false,
         0},
        {"double click",
         [](SwitchFixture& s, SwitchTest&) {
             // The second press comes as a double click; nothing has played yet.
             QTest::mousePress(&s.control, Qt::LeftButton);
             QTest::mouseRelease(&s.control, Qt::LeftButton);
             s.look();
             QTest::mouseDClick(&s.control, Qt::LeftButton);
             QTest::mouseRelease(&s.control, Qt::LeftButton);
             s.look();
         },
         {{0, 1}, {0, 0}},
         {true, false},
         false,
         0},
        {"setIsOn played", [](SwitchFixture& s, SwitchTest&) { s.control.setIsOn(true, true); }, {{0, 1}}, {true},
         true, 1},
        {"setIsOn shown", [](SwitchFixture& s, SwitchTest&) { s.control.setIsOn(true, false); }, {}, {true}, true, 1},
        {"isOn", [](SwitchFixture& s, SwitchTest&) { s.control.setIsOn(true); }, {}, {true}, true, 1},
        {"setIsOn to the state it is in", [](SwitchFixture& s, SwitchTest&) { s.control.setIsOn(false, true); }, {},
         {}, false, 0},
        {"press dragged out",
         [](SwitchFixture& s, SwitchTest&) {
             viewstest::perform(s.control, {{Step::press, {50, 25}}, {Step::move, {150, 25}}, {Step::release, {150, 25}}},
                                [&s] { s.look(); });
         },
         {},
         {},
         false,
         0},
        {"disabled click",
         [](SwitchFixture& s, SwitchTest&) {
             s.control.setEnabled(false);
             viewstest::click(s.control, [&s] { s.look(); });
         },
         {},
         {},
         false,
         0},
        {"new on range",
         [](SwitchFixture& s, SwitchTest&) {
             s.control.assignProgressRange(0.2, 0.6, true);
             viewstest::click(s.control, [&s] { s.look(); });
         },
         {{0.2, 0.6}},
         {true},
         true,
         0.6},
        {"new off range while off",
         [](SwitchFixture& s, SwitchTest&) { s.control.assignProgressRange(0.9, 0.7, false); },
         {},
         {},
         false,
         0.7},
    };
    for (const Case& c : cases) {
        SwitchFixture s;
        settle();
        c.act(s, *this);
        s.look();
        viewstest::expectRanges(s.log.ranges(), c.played, c.name);
        EXPECT_EQ(s.reports, c.reports) << c.name;
        EXPECT_EQ(s.control.isOn(), c.on) << c.name;
        EXPECT_EQ(s.control.accessibilityValue().toStdString(), c.on ? "On" : "Off") << c.name;
        ASSERT_NO_FATAL_FAILURE(playOut(s));
        EXPECT_NEAR(s.progress(), c.rest, 1e-9) << c.name;
    }
}

TEST_F(SwitchTest, ToggleDuringAPlayTurnsBackFromTheFrameShown) {
    using Cancel = AnimatedSwitch::CancelBehavior;
    struct Case {
        const char* name;
        Range on, off;
        Cancel cancel;
        // After turning on and playing for `runFor` seconds, a click turns off.
        double runFor;
        Range played;
        double firstShown;
        double rest;
    };
    const Case cases[] = {
        // The picture turns back from 0.3 to the on range's start, the off
        // picture it left, and rests there.
        {"split ranges", {0, 0.5}, {0.5, 1}, Cancel::reverse, 0.3, {0.3, 0}, 0.3, 0},
        // The off range plays from its start: the picture leaps from 0.3 to 0.5.
        {"split ranges, no cancel", {0, 0.5}, {0.5, 1}, Cancel::none, 0.3, {0.5, 1}, 0.5, 1},
        {"split ranges, on play over", {0, 0.5}, {0.5, 1}, Cancel::reverse, 0.7, {0.5, 1}, 0.5, 1},
        {"default ranges", {0, 1}, {1, 0}, Cancel::reverse, 0.4, {0.4, 0}, 0.4, 0},
        // The playback core resumes a range from the frame shown when it lies inside it.
        {"default ranges, no cancel", {0, 1}, {1, 0}, Cancel::none, 0.4, {1, 0}, 0.4, 0},
        {"backward on range", {1, 0.5}, {0, 0.5}, Cancel::reverse, 0.2, {0.8, 1}, 0.8, 1},
    };
    for (const Case& c : cases) {
        SwitchFixture s;
        s.control.assignProgressRange(c.on.first, c.on.second, true);
        s.control.assignProgressRange(c.off.first, c.off.second, false);
        s.control.setCancelBehavior(c.cancel);
        settle();
        viewstest::click(s.control, [&s] { s.look(); });
        run(s, c.runFor);
        s.look();
        viewstest::click(s.control, [&s] { s.look(); });
        ASSERT_EQ(s.log.ranges().size(), 2u) << c.name;
        viewstest::expectRanges({s.log.ranges()[1]}, {c.played}, c.name);
        frame(s.control.animationView(), 0);
        EXPECT_NEAR(s.progress(), c.firstShown, 1e-6) << c.name << ": the first frame after the click";
        ASSERT_NO_FATAL_FAILURE(playOut(s));
        EXPECT_NEAR(s.progress(), c.rest, 1e-9) << c.name;
        EXPECT_FALSE(s.control.isOn()) << c.name;
        EXPECT_EQ(s.reports, (std::vector<bool>{true, false})) << c.name;
    }
}

TEST_F(SwitchTest, DefaultRangesToggledQuicklyNeverLeap) {
    SwitchFixture s;
    settle();
    viewstest::click(s.control, [&s] { s.look(); });
    run(s, 0.4);
    viewstest::click(s.control, [&s] { s.look(); });
    run(s, 0.1);
    EXPECT_NEAR(s.progress(), 0.3, 1e-6) << "turning back from 0.4";
    viewstest::click(s.control);
    s.look();
    viewstest::expectRanges(s.log.ranges(), {{0, 1}, {0.4, 0}, {0.3, 1}}, "on, off, on");
    ASSERT_NO_FATAL_FAILURE(playOut(s));
    EXPECT_NEAR(s.progress(), 1, 1e-9);
    EXPECT_EQ(s.reports, (std::vector<bool>{true, false, true}));
}

TEST_F(SwitchTest, NewAnimationShowsTheStateAgainWithoutReportingIt) {
    struct Case {
        const char* name;
        bool on, animate;
        Range onRange, offRange;
        std::vector<Range> played;
        double rest;
    };
    const Case cases[] = {
        {"on, played", true, true, {0, 1}, {1, 0}, {{0, 1}}, 1},
        {"on, shown", true, false, {0, 1}, {1, 0}, {}, 1},
        // The new animation starts at its first frame, the on range's start:
        // at rest, not an on play to turn back.
        {"off, split ranges, played", false, true, {0, 0.5}, {0.5, 1}, {{0.5, 1}}, 1},
        {"on, split ranges, played", true, true, {0, 0.5}, {0.5, 1}, {{0, 0.5}}, 0.5},
    };
    for (const Case& c : cases) {
        SwitchFixture s;
        s.control.assignProgressRange(c.onRange.first, c.onRange.second, true);
        s.control.assignProgressRange(c.offRange.first, c.offRange.second, false);
        s.control.setIsOn(c.on);
        s.reports.clear();
        s.control.setAnimateUpdateWhenChangingAnimation(c.animate);
        settle();
        s.control.setAnimation(viewstest::animation(120, 60));
        s.look();
        viewstest::expectRanges(s.log.ranges(), c.played, c.name);
        EXPECT_TRUE(s.reports.empty()) << c.name;
        EXPECT_EQ(s.control.sizeHint(), QSize(120, 60)) << c.name;
        ASSERT_NO_FATAL_FAILURE(playOut(s));
        EXPECT_NEAR(s.progress(), c.rest, 1e-9) << c.name;
    }
}

TEST_F(SwitchTest, AssistiveToolsReadTheStateAsOnOrOff) {
    SwitchFixture s;
    settle();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&s.control);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::CheckBox);
    struct Step {
        const char* name;
        std::function<void()> act;
        const char* value;
        bool checked;
    };
    const Step steps[] = {
        {"made", [] {}, "Off", false},
        {"clicked", [&] { viewstest::click(s.control); }, "On", true},
        {"set to the same state", [&] { s.control.setIsOn(true, true); }, "On", true},
        {"new on range", [&] { s.control.assignProgressRange(0, 0.5, true); }, "On", true},
        {"set off", [&] { s.control.setIsOn(false); }, "Off", false},
        {"clicked again", [&] { viewstest::click(s.control); }, "On", true},
    };
    for (const Step& step : steps) {
        step.act();
        EXPECT_EQ(accessible->text(QAccessible::Value).toStdString(), step.value) << step.name;
        EXPECT_TRUE(accessible->state().checkable) << step.name;
        EXPECT_EQ(static_cast<bool>(accessible->state().checked), step.checked) << step.name;
    }
}

TEST_F(SwitchTest, HapticGeneratorIsTheNullOneAndNeverCalled) {
    struct Counting : lottie::ImpactGenerator {
        int impacts = 0;
        void generate() override { ++impacts; }
    };
    SwitchFixture s;
    EXPECT_NE(dynamic_cast<lottie::NullHapticGenerator*>(s.control.hapticGenerator().get()), nullptr);
    auto counting = std::make_shared<Counting>();
    s.control.setHapticGenerator(counting);
    settle();
    viewstest::click(s.control);
    s.control.setIsOn(false, true);
    ASSERT_NO_FATAL_FAILURE(playOut(s));
    EXPECT_EQ(counting->impacts, 0);
}

}  // namespace
