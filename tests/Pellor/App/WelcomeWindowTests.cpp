// The welcome window: its size and chrome, the recent list reloaded on each
// appearance, its rows opening documents (and dropping those that cannot be
// opened), and moving it by its background.
#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QSettings>
#include <QTest>

#include "Pellor/App/RecentDocuments.h"
#include "Pellor/App/WelcomeWindow.h"
#include "Pellor/Styles/StyledButton.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::WelcomeWindow;
using pellortest::PellorTest;

class WelcomeWindowTest : public PellorTest {
protected:
    WelcomeWindow& welcome() {
        return *qobject_cast<WelcomeWindow*>(app->openWindow(QStringLiteral("welcome")));
    }
    QStringList rowTexts(WelcomeWindow& window) {
        QStringList texts;
        for (const pellor::StyledButton* row : window.recentDocumentRows()) texts << row->text();
        return texts;
    }
    QStringList rowToolTips(WelcomeWindow& window) {
        QStringList tips;
        for (const pellor::StyledButton* row : window.recentDocumentRows()) tips << row->toolTip();
        return tips;
    }
};

TEST_F(WelcomeWindowTest, ListsAtMostTheTenNewestDocumentsByFileNameOrSaysThereAreNone) {
    struct Case {
        const char* name;
        int documents;
        int listed;
    };
    for (const Case& c : {Case{"none", 0, 0}, Case{"one", 1, 1}, Case{"exactly ten", 10, 10}, Case{"25", 25, 10}}) {
        SCOPED_TRACE(c.name);
        // Stored as the list would be after a run that kept more (newest first).
        QStringList stored;
        QStringList names;
        for (int index = 0; index < c.documents; ++index) {
            names << QStringLiteral("Ünïcode clip %1.json").arg(index);
            stored << missing(names.back().toStdString());
        }
        QSettings().setValue(QStringLiteral("recentDocuments"), stored);
        WelcomeWindow& window = welcome();
        EXPECT_EQ(window.recentDocumentPaths(), stored.mid(0, c.listed));
        EXPECT_EQ(rowTexts(window), names.mid(0, c.listed)) << "full file names, extension included, in list order";
        EXPECT_EQ(rowToolTips(window), names.mid(0, c.listed));
        for (const pellor::StyledButton* row : window.recentDocumentRows()) {
            EXPECT_FALSE(row->icon().isNull()) << "every row has a file icon";
            EXPECT_FALSE(row->isIconTinted()) << "file icons keep their own colours";
        }
        EXPECT_EQ(window.emptyListNote()->isVisibleTo(&window), c.listed == 0);
        window.close();
    }
    EXPECT_EQ(qobject_cast<QLabel*>(welcome().emptyListNote())->text(), QStringLiteral("No recent documents."));
}

TEST_F(WelcomeWindowTest, ReloadsTheListOnEachAppearanceOnly) {
    const QString first = write("first.json", pellortest::animationDocument());
    const QString second = write("second.json", pellortest::animationDocument());
    app->recentDocuments().note(first);
    WelcomeWindow& window = welcome();
    EXPECT_EQ(rowTexts(window), QStringList{QStringLiteral("first.json")});
    app->recentDocuments().note(second);
    EXPECT_EQ(rowTexts(window), QStringList{QStringLiteral("first.json")}) << "not while it stays on screen";
    window.close();
    welcome();
    EXPECT_EQ(rowTexts(window), (QStringList{QStringLiteral("second.json"), QStringLiteral("first.json")}));
}

TEST_F(WelcomeWindowTest, ClickingARowOpensItsDocument) {
    const QString clip = write("clip.json", pellortest::animationDocument());
    const QString other = write("other.lottie", pellortest::packageDocument());
    app->recentDocuments().note(clip);
    app->recentDocuments().note(other);
    WelcomeWindow& window = welcome();
    ASSERT_EQ(window.recentDocumentRows().size(), 2);
    QTest::mouseClick(window.recentDocumentRows()[1], Qt::LeftButton);
    settle();
    EXPECT_NE(app->documentWindow(clip), nullptr);
    EXPECT_EQ(app->documentWindow(other), nullptr);
    EXPECT_TRUE(alerts.empty());
}

TEST_F(WelcomeWindowTest, ARowWhoseFileCannotBeOpenedIsReportedAndDroppedFromTheList) {
    struct Case {
        const char* name;
        std::function<QString()> make;
    };
    const Case cases[] = {
        {"gone", [this] { return missing("gone.json"); }},
        {"not a regular file",
         [this] {
             std::filesystem::create_directories(folder.path() / "folder.json");
             return QString::fromStdString((folder.path() / "folder.json").string());
         }},
    };
    const QString kept = write("kept.json", pellortest::animationDocument());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        alerts.clear();
        const QString path = c.make();
        app->recentDocuments().note(kept);
        app->recentDocuments().note(path);
        WelcomeWindow& window = welcome();
        ASSERT_EQ(window.recentDocumentRows().size(), 2);
        QTest::mouseClick(window.recentDocumentRows()[0], Qt::LeftButton);
        settle();
        ASSERT_EQ(alerts.size(), 1u) << "the user is told";
        EXPECT_TRUE(alerts[0].message.contains(QFileInfo(path).fileName())) << alerts[0].message.toStdString();
        EXPECT_EQ(app->recentDocuments().paths(), QStringList{kept}) << "and it is not offered again";
        EXPECT_EQ(rowTexts(window), QStringList{QStringLiteral("kept.json")}) << "the list shows it at once";
        EXPECT_TRUE(app->documentWindows().isEmpty());
        window.close();
    }
}

TEST_F(WelcomeWindowTest, IsAFixedFramelessWindowWithItsOwnCloseButtonAndMovesByItsBackground) {
    WelcomeWindow& window = welcome();
    EXPECT_EQ(window.centralWidget()->size(), QSize(550, 560));
    EXPECT_EQ(window.minimumSize(), window.maximumSize()) << "it can't be resized";
    EXPECT_TRUE(window.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(window.openButton()->text(), QStringLiteral("Open..."));
    EXPECT_EQ(window.openButton()->secondaryText(), QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText));
    EXPECT_TRUE(window.openButton()->shortcut().isEmpty()) << "the hint is only a hint";

    // A press on the background (below the version, left of the list) and a drag.
    const QPoint start = window.pos();
    QWidget* central = window.centralWidget();
    const QPoint at(100, 520);
    const QPoint global = central->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), QPointF(global), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QWidget* background = central->childAt(at);
    ASSERT_NE(background, nullptr);
    ASSERT_EQ(qobject_cast<QAbstractButton*>(background), nullptr) << "the point is no control";
    QApplication::sendEvent(background, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(at + QPoint(30, 40)), QPointF(global + QPoint(30, 40)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(at + QPoint(30, 40)), QPointF(global + QPoint(30, 40)),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &release);
    EXPECT_EQ(window.pos(), start + QPoint(30, 40));

    // A press on a control is the control's, not a drag.
    const QPoint before = window.pos();
    QTest::mousePress(window.openButton(), Qt::LeftButton);
    QMouseEvent onButton(QEvent::MouseMove, QPointF(5, 5), QPointF(window.openButton()->mapToGlobal(QPoint(45, 45))),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.openButton(), &onButton);
    QTest::mouseRelease(window.openButton(), Qt::LeftButton, {}, QPoint(-50, -50));
    EXPECT_EQ(window.pos(), before);

    QTest::mouseClick(window.closeButton(), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

}  // namespace
