// Every control of the player, welcome, about and settings windows has a name
// for assistive tools and a tooltip, and the tooltip of a control with a key
// names the key. The read-out, the slider and the speed menu give a screen
// reader what it reads of them (over the desktop's bus too: see
// tests/Pellor/AccessibilityBus).
#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <functional>

#include "Pellor/App/AboutWindow.h"
#include "Pellor/App/RecentDocuments.h"
#include "Pellor/App/SettingsWindow.h"
#include "Pellor/App/WelcomeWindow.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/FrameReadoutLabel.h"
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
    // And every control a screen reader lists, hidden ones too (the toolbar's
    // button for items that do not fit).
    const std::function<void(QAccessibleInterface*)> expectNamed = [&](QAccessibleInterface* node) {
        if (!node) return;
        const QAccessible::Role role = node->role();
        if (role == QAccessible::Button || role == QAccessible::CheckBox || role == QAccessible::RadioButton ||
            role == QAccessible::ButtonMenu || role == QAccessible::Slider) {
            QObject* object = node->object();
            EXPECT_FALSE(node->text(QAccessible::Name).isEmpty())
                << "a control without a name: " << (object ? object->metaObject()->className() : "?") << " "
                << (object ? object->objectName().toStdString() : "");
        }
        for (int index = 0; index < node->childCount(); ++index) expectNamed(node->child(index));
    };
    expectNamed(QAccessible::queryAccessibleInterface(&window));
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

// What a screen reader on the desktop's bus reads of the read-out is its text
// interface (the bus has no place for a label's value): the text shown, and
// each character where the label draws it.
TEST_F(PellorTest, TheReadOutGivesItsTextThroughTheTextInterface) {
    pellor::DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument(90)));
    pellor::LottiePlayerView& player = *window.player();
    pellor::FrameReadoutLabel& label = *player.controls()->readout();
    player.setAnimationPlaying(false);
    window.show();
    settle();
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(&label)->textInterface();
    ASSERT_NE(text, nullptr) << "a screen reader reads the read-out's text";
    struct Case {
        double frame;
        const char* shown;
    };
    for (const Case& c : {Case{25, "#25/90"}, Case{7.4, "#07/90"}, Case{90, "#90/90"}}) {
        SCOPED_TRACE(c.shown);
        player.setAnimationFrame(c.frame);
        settle();
        EXPECT_EQ(text->characterCount(), 6);
        EXPECT_EQ(text->text(0, text->characterCount()), QLatin1String(c.shown));
        EXPECT_EQ(text->text(1, 3), QLatin1String(c.shown).mid(1, 2));
        EXPECT_EQ(text->text(0, -1), QLatin1String(c.shown)) << "to the end";
    }

    // Each character lies inside the label, after the one before it, and a
    // point on it finds it again.
    const QRect labelArea(label.mapToGlobal(QPoint(0, 0)), label.size());
    int previousRight = labelArea.left();
    for (int offset = 0; offset < text->characterCount(); ++offset) {
        SCOPED_TRACE(offset);
        const QRect character = text->characterRect(offset);
        EXPECT_FALSE(character.isEmpty());
        EXPECT_TRUE(labelArea.contains(character)) << "inside the label";
        EXPECT_GE(character.left(), previousRight);
        previousRight = character.left() + character.width();
        EXPECT_EQ(text->offsetAtPoint(character.center()), offset);
    }
    EXPECT_TRUE(text->characterRect(6).isNull()) << "past the end";
    EXPECT_EQ(text->offsetAtPoint(labelArea.topLeft() - QPoint(5, 5)), -1);
    int start = -1;
    int end = -1;
    EXPECT_TRUE(text->attributes(2, &start, &end).isEmpty());
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 6);
    EXPECT_EQ(text->selectionCount(), 0);
}

// The speed menu, while open, is the speed button's child in the tree, and its
// items the menu's, so that a screen reader finds them; a press on an item
// chooses it.
TEST_F(PellorTest, TheOpenSpeedMenuAndItsItemsAreInTheAccessibleTree) {
    pellor::DocumentWindow& window = *openPlayer(write("clip.json", pellortest::animationDocument(90)));
    pellor::PlaybackControlRow& row = *window.player()->controls();
    window.show();
    settle();
    QMenu& menu = *row.speedMenu();
    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(row.speedButton());
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->childCount(), 0) << "a closed menu is not in the tree";
    EXPECT_TRUE(button->state().hasPopup);
    EXPECT_TRUE(button->state().collapsed);
    ASSERT_NE(button->actionInterface(), nullptr);
    ASSERT_TRUE(button->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction()));

    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    settle();
    ASSERT_TRUE(menu.isVisible()) << "a press opens the menu";
    EXPECT_TRUE(button->state().expanded);
    ASSERT_EQ(button->childCount(), 1);
    QAccessibleInterface* popup = button->child(0);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(popup->object(), &menu);
    EXPECT_EQ(popup->role(), QAccessible::PopupMenu);
    EXPECT_EQ(popup->text(QAccessible::Name), QStringLiteral("Playback Speed"));
    EXPECT_EQ(popup->parent(), button) << "the menu's parent lists it";
    EXPECT_EQ(button->indexOfChild(popup), 0);

    const QStringList names{"0.25\u00D7", "0.5\u00D7", "0.75\u00D7", "\u2713 1.0\u00D7", "1.25\u00D7", "1.5\u00D7", "2.0\u00D7"};
    ASSERT_EQ(popup->childCount(), names.size());
    for (int index = 0; index < names.size(); ++index) {
        SCOPED_TRACE(index);
        QAccessibleInterface* item = popup->child(index);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item, popup->child(index)) << "one item for each action";
        EXPECT_EQ(item->role(), QAccessible::MenuItem);
        EXPECT_EQ(item->text(QAccessible::Name), names[index]);
        EXPECT_EQ(item->parent(), popup);
        EXPECT_EQ(popup->indexOfChild(item), index);
        EXPECT_EQ(static_cast<bool>(item->state().focused), index == 3) << "the menu starts on the current speed";
        EXPECT_FALSE(item->state().invisible);
        const QRect area = item->rect();
        EXPECT_TRUE(popup->rect().contains(area));
        EXPECT_EQ(popup->childAt(area.center().x(), area.center().y()), item);
    }

    // A press on "2.0x" closes the menu and sets the speed.
    QAccessibleInterface* fastest = popup->child(6);
    ASSERT_NE(fastest->actionInterface(), nullptr);
    fastest->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    settle();
    EXPECT_FALSE(menu.isVisible());
    EXPECT_EQ(window.player()->playbackSpeed().rawValue(), QStringLiteral("speed200"));
    EXPECT_EQ(button->childCount(), 0);
    EXPECT_TRUE(button->state().collapsed);
}

}  // namespace
