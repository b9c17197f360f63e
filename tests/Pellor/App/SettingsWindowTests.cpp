// The settings window: the updater's two settings read on each appearance,
// each change written at once, the second switch out of reach (but kept) while
// the first is off.
#include <QCheckBox>
#include <QTabWidget>
#include <QTest>

#include "Pellor/App/SettingsWindow.h"
#include "tests/Pellor/App/PellorTestSupport.h"

namespace {

using pellor::SettingsWindow;
using pellortest::FakeUpdater;
using pellortest::PellorTest;

class SettingsWindowTest : public PellorTest {
protected:
    void SetUp() override {
        PellorTest::SetUp();
        auto owned = std::make_unique<FakeUpdater>();
        updater = owned.get();
        remakeApp(std::move(owned));
    }
    SettingsWindow& settings() {
        return *qobject_cast<SettingsWindow*>(app->openWindow(QStringLiteral("settings")));
    }

    FakeUpdater* updater = nullptr;
};

TEST_F(SettingsWindowTest, ShowsTheUpdatersValuesOnOpeningWithoutWritingThem) {
    struct Case {
        bool checks;
        bool downloads;
    };
    for (const Case& c : {Case{false, false}, Case{false, true}, Case{true, false}, Case{true, true}}) {
        SCOPED_TRACE(testing::Message() << "checks " << c.checks << ", downloads " << c.downloads);
        updater->checksAutomatically = c.checks;
        updater->downloadsAutomatically = c.downloads;
        updater->writes = 0;
        SettingsWindow& window = settings();
        EXPECT_EQ(window.automaticallyChecksSwitch()->isChecked(), c.checks);
        EXPECT_EQ(window.automaticallyDownloadsSwitch()->isChecked(), c.downloads);
        EXPECT_TRUE(window.automaticallyChecksSwitch()->isEnabled());
        EXPECT_EQ(window.automaticallyDownloadsSwitch()->isEnabled(), c.checks);
        EXPECT_EQ(updater->writes, 0);
        window.close();
    }
}

TEST_F(SettingsWindowTest, WritesEachChangeAtOnceAndKeepsTheDownloadSettingWhileChecksAreOff) {
    updater->checksAutomatically = false;
    updater->downloadsAutomatically = true;
    SettingsWindow& window = settings();
    QCheckBox& checks = *window.automaticallyChecksSwitch();
    QCheckBox& downloads = *window.automaticallyDownloadsSwitch();
    EXPECT_EQ(window.tabs()->count(), 1);
    EXPECT_EQ(window.tabs()->tabText(0), QStringLiteral("General"));
    EXPECT_EQ(checks.text(), QStringLiteral("Automatically check for updates"));
    EXPECT_EQ(downloads.text(), QStringLiteral("Automatically download updates"));
    EXPECT_EQ(window.width(), 500);

    QTest::mouseClick(&checks, Qt::LeftButton);
    EXPECT_TRUE(updater->checksAutomatically);
    EXPECT_TRUE(downloads.isEnabled()) << "at once, without reopening";
    QTest::mouseClick(&downloads, Qt::LeftButton);
    EXPECT_FALSE(updater->downloadsAutomatically);
    QTest::mouseClick(&downloads, Qt::LeftButton);
    EXPECT_TRUE(updater->downloadsAutomatically);
    QTest::mouseClick(&checks, Qt::LeftButton);
    EXPECT_FALSE(updater->checksAutomatically);
    EXPECT_FALSE(downloads.isEnabled());
    EXPECT_TRUE(downloads.isChecked()) << "out of reach, not changed";
    EXPECT_TRUE(updater->downloadsAutomatically);
    EXPECT_EQ(updater->writes, 4);

    // Changed by the updater itself while the window was closed: the next opening shows it.
    window.close();
    updater->checksAutomatically = true;
    updater->downloadsAutomatically = false;
    settings();
    EXPECT_TRUE(checks.isChecked());
    EXPECT_FALSE(downloads.isChecked());
    EXPECT_TRUE(downloads.isEnabled());
}

}  // namespace
