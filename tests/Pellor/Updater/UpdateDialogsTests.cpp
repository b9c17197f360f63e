// The update windows: what they say and which addresses their buttons ask the
// desktop to open.
#include <gtest/gtest.h>

#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>

#include "Pellor/Updater/MessageBoxLayout.h"
#include "Pellor/Updater/UpdateDialogs.h"
#include "tests/Pellor/Support/UrlRecorder.h"

namespace pellor {
namespace {

AppcastItem update(const char* notes) {
    AppcastItem item;
    item.version = "1.3.0";
    item.shortVersionString = "1.3";
    item.enclosureURL = QUrl("https://updates.tolvane.me/apps/pellor/Pellor-1.3.tar.gz");
    item.releaseNotesLink = QUrl(QString::fromLatin1(notes));
    return item;
}

QPushButton* buttonTitled(QWidget* window, const QString& title) {
    for (auto* button : window->findChildren<QPushButton*>()) {
        if (button->text() == title) return button;
    }
    return nullptr;
}

TEST(UpdateDialogs, EachOutcomeReplacesTheCheckingWindowWithItsMessage) {
    UpdateDialogs dialogs;
    dialogs.showChecking();
    QPointer<QWidget> checking = dialogs.currentWindow();
    ASSERT_TRUE(qobject_cast<QProgressDialog*>(checking.data()));
    EXPECT_TRUE(checking->isVisible());

    struct Case {
        std::function<void()> show;
        const char* text;
        const char* details;
    } cases[] = {
        {[&] { dialogs.showUpToDate("1.2"); }, "You're up to date", "Pellor 1.2 is currently the newest version available."},
        {[&] { dialogs.showError("The update server did not answer in time."); }, "Pellor could not check for updates.",
         "The update server did not answer in time."},
        {[&] { dialogs.showUpdateAvailable(update(""), std::nullopt); }, "Pellor 1.3 is available", "package manager"},
    };
    for (const auto& c : cases) {
        c.show();
        QCoreApplication::processEvents();
        EXPECT_FALSE(checking && checking->isVisible()) << c.text;
        auto* box = qobject_cast<QMessageBox*>(dialogs.currentWindow());
        ASSERT_TRUE(box) << c.text;
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->text(), QString::fromUtf8(c.text));
        EXPECT_TRUE(box->informativeText().contains(QString::fromUtf8(c.details))) << box->informativeText().toStdString();
        checking = box;
    }
}

TEST(UpdateDialogs, ButtonsOpenTheDownloadTheReleaseNotesOrTheDownloadedPackagesFolder) {
    pellortest::UrlRecorder recorder({"https", "file"});
    UpdateDialogs dialogs;

    dialogs.showUpdateAvailable(update("https://tolvane.me/pellor/1.3"), std::nullopt);
    EXPECT_EQ(buttonTitled(dialogs.currentWindow(), "Show in Folder"), nullptr);
    QTest::mouseClick(buttonTitled(dialogs.currentWindow(), "Download"), Qt::LeftButton);
    dialogs.showUpdateAvailable(update("https://tolvane.me/pellor/1.3"), std::nullopt);
    QTest::mouseClick(buttonTitled(dialogs.currentWindow(), "Release Notes"), Qt::LeftButton);

    const QString saved = QDir::temp().filePath("Downloads/Pellor-1.3.tar.gz");
    dialogs.showUpdateAvailable(update(""), saved);
    auto* box = qobject_cast<QMessageBox*>(dialogs.currentWindow());
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->informativeText().contains(QDir::toNativeSeparators(saved)));
    EXPECT_EQ(buttonTitled(box, "Release Notes"), nullptr);
    EXPECT_EQ(buttonTitled(box, "Download"), nullptr);
    QTest::mouseClick(buttonTitled(box, "Show in Folder"), Qt::LeftButton);

    dialogs.showUpdateAvailable(update(""), std::nullopt);
    QTest::mouseClick(buttonTitled(dialogs.currentWindow(), "Later"), Qt::LeftButton);

    ASSERT_EQ(recorder.opened.size(), 3u);
    EXPECT_EQ(recorder.opened[0], QUrl("https://updates.tolvane.me/apps/pellor/Pellor-1.3.tar.gz"));
    EXPECT_EQ(recorder.opened[1], QUrl("https://tolvane.me/pellor/1.3"));
    EXPECT_EQ(recorder.opened[2], QUrl::fromLocalFile(QDir::temp().filePath("Downloads")));
}

TEST(UpdateDialogs, TheirMessagesKeepToOneLineWhereTheScreenHasRoom) {
    UpdateDialogs dialogs;
    const QString message = QStringLiteral("The update server could not be reached.");
    dialogs.showError(message);
    QCoreApplication::processEvents();
    auto* box = qobject_cast<QMessageBox*>(dialogs.currentWindow());
    ASSERT_TRUE(box);
    QLabel* label = informativeLabel(*box);
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(message)) << "not wrapped mid-sentence";
}

}  // namespace
}  // namespace pellor
