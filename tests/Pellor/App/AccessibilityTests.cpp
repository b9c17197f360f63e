// Every control of the player, welcome, about and settings windows has a name
// for assistive tools and a tooltip, and the tooltip of a control with a key
// names the key.
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QToolBar>
#include <QToolButton>

#include "Pellor/App/AboutWindow.h"
#include "Pellor/App/RecentDocuments.h"
#include "Pellor/App/SettingsWindow.h"
#include "Pellor/App/WelcomeWindow.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/FrameSlider.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Player/PlaybackControlRow.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellortest::accessibleName;
using pellortest::PellorTest;

// The controls a keyboard user can reach in the window, as shown now (a
// widget that hands its focus to another, as a tab widget to its tab bar, is
// that other).
QList<QWidget*> controls(QWidget& window) {
    QList<QWidget*> found;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        const bool reachable = (widget->focusPolicy() & Qt::TabFocus) && !widget->focusProxy();
        if (reachable && widget->isVisibleTo(&window)) found << widget;
    }
    return found;
}

void expectEveryControlNamedWithATooltip(QWidget& window, const QList<QWidget*>& exceptions = {}) {
    const QList<QWidget*> found = controls(window);
    EXPECT_FALSE(found.isEmpty());
    for (QWidget* control : found) {
        if (exceptions.contains(control)) continue;
        SCOPED_TRACE(testing::Message() << control->metaObject()->className() << " " << control->objectName().toStdString());
        EXPECT_FALSE(accessibleName(control).isEmpty()) << "a name for assistive tools";
        EXPECT_FALSE(control->toolTip().isEmpty()) << "a tooltip";
    }
}

TEST_F(PellorTest, EveryPlayerControlHasANameAndATooltipThatNamesItsKey) {
    pellor::DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument()));
    pellor::LottiePlayerView& player = *window.player();
    pellor::PlaybackControlRow& row = *player.controls();
    player.setShowInspector(true);
    settle();
    struct Case {
        const char* name;
        QWidget* control;
        QString accessibleName;
        QString toolTip;
    };
    auto* info = qobject_cast<QToolButton*>(window.findChild<QToolBar*>()->widgetForAction(window.infoAction()));
    ASSERT_NE(info, nullptr);
    const Case cases[] = {
        {"play/pause while playing", row.playPauseButton(), "Pause", "Pause (Space)"},
        {"slider", row.slider(), "Frame", "Frame (arrow keys: one frame; Home, End: first, last)"},
        {"loop mode", row.loopModeButton(), "Loop Mode", "Loop"},
        {"speed", row.speedButton(), "Playback Speed", "Playback Speed"},
        {"info", info, "Info", "Show or hide the inspector (Ctrl+I)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(accessibleName(c.control), c.accessibleName);
        EXPECT_EQ(c.control->toolTip(), c.toolTip);
    }
    EXPECT_EQ(accessibleName(row.readout()), QStringLiteral("Current frame"));
    EXPECT_EQ(accessibleName(&player), QStringLiteral("Animation"));

    // The play/pause button is named for what a press does now.
    player.setAnimationPlaying(false);
    settle();
    EXPECT_EQ(accessibleName(row.playPauseButton()), QStringLiteral("Play"));
    EXPECT_EQ(row.playPauseButton()->toolTip(), QStringLiteral("Play (Space)"));
    EXPECT_EQ(row.loopModeButton()->accessibleDescription(), QStringLiteral("Loop"));
    EXPECT_EQ(row.speedButton()->accessibleDescription(), QStringLiteral("1.0\u00D7"));

    // Every other control too (the inspector's included); the animation itself
    // is named but carries no tooltip over the picture.
    expectEveryControlNamedWithATooltip(window, {&player});
}

TEST_F(PellorTest, EveryWelcomeAboutAndSettingsControlHasANameAndATooltip) {
    app->recentDocuments().note(write("clip.json", pellortest::animationDocument()));
    auto& welcome = *qobject_cast<pellor::WelcomeWindow*>(app->openWindow(QStringLiteral("welcome")));
    EXPECT_EQ(accessibleName(welcome.closeButton()), QStringLiteral("Close"));
    EXPECT_EQ(welcome.closeButton()->toolTip(), QStringLiteral("Close (Esc)"));
    EXPECT_EQ(accessibleName(welcome.openButton()), QStringLiteral("Open..."));
    EXPECT_EQ(welcome.openButton()->toolTip(), QStringLiteral("Open a Lottie JSON document or a dotLottie package (Ctrl+O)"));
    ASSERT_EQ(welcome.recentDocumentRows().size(), 1);
    EXPECT_EQ(accessibleName(welcome.recentDocumentRows()[0]), QStringLiteral("clip.json"));
    expectEveryControlNamedWithATooltip(welcome);

    auto& about = *qobject_cast<pellor::AboutWindow*>(app->openWindow(QStringLiteral("about")));
    EXPECT_EQ(accessibleName(about.acknowledgementsButton()), QStringLiteral("Acknowledgements"));
    EXPECT_EQ(accessibleName(about.reviewButton()), QStringLiteral("Review"));
    expectEveryControlNamedWithATooltip(about);

    auto& settings = *qobject_cast<pellor::SettingsWindow*>(app->openWindow(QStringLiteral("settings")));
    EXPECT_EQ(accessibleName(settings.automaticallyChecksSwitch()), QStringLiteral("Automatically check for updates"));
    expectEveryControlNamedWithATooltip(settings);
}

TEST_F(PellorTest, TheReadOutAndTheSliderGiveAssistiveToolsTheFrame) {
    pellor::DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument(90)));
    pellor::LottiePlayerView& player = *window.player();
    pellor::PlaybackControlRow& row = *player.controls();
    player.setAnimationPlaying(false);
    QAccessibleInterface* readout = QAccessible::queryAccessibleInterface(row.readout());
    QAccessibleInterface* slider = QAccessible::queryAccessibleInterface(row.slider());
    ASSERT_NE(readout, nullptr);
    ASSERT_NE(slider, nullptr);
    QAccessibleValueInterface* value = slider->valueInterface();
    ASSERT_NE(value, nullptr);
    struct Case {
        double frame;
        const char* text;
        qlonglong sliderValue;
    };
    const Case cases[] = {{0, "#00/90", 0}, {28, "#28/90", 28}, {44.6, "#45/90", 45}, {90, "#90/90", 90}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.frame);
        player.setAnimationFrame(c.frame);
        settle();
        EXPECT_EQ(readout->text(QAccessible::Name), QStringLiteral("Current frame"));
        EXPECT_EQ(readout->text(QAccessible::Value), QLatin1String(c.text)) << "what the read-out shows";
        EXPECT_EQ(slider->text(QAccessible::Name), QStringLiteral("Frame"));
        EXPECT_EQ(slider->role(), QAccessible::Slider);
        EXPECT_EQ(value->currentValue().toLongLong(), c.sliderValue) << "the frame, not the slider's steps";
        EXPECT_EQ(value->minimumValue().toLongLong(), 0);
        EXPECT_EQ(value->maximumValue().toLongLong(), 90);
        EXPECT_EQ(value->minimumStepSize().toLongLong(), 1);
        EXPECT_EQ(slider->text(QAccessible::Value), QString::number(c.sliderValue));
    }

    // A frame set by the tool moves the player there, paused, within the animation.
    player.setAnimationPlaying(true);
    value->setCurrentValue(60);
    settle();
    EXPECT_FALSE(player.animationPlaying());
    EXPECT_DOUBLE_EQ(player.animationFrame(), 60);
    value->setCurrentValue(500);
    settle();
    EXPECT_DOUBLE_EQ(player.animationFrame(), 90);
}

}  // namespace
