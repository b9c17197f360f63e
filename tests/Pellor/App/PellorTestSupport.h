#pragma once
// Shared by the viewer's tests: an application object whose alerts and
// desktop requests are recorded instead of shown or sent, documents written
// into a temporary folder, and helpers that deliver pending Qt and main-run-
// loop work, drop files on a widget and list a window's menus.

#include <gtest/gtest.h>

#include <QAction>
#include <QFileInfo>
#include <QList>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Pellor/App/AlertPresenter.h"
#include "Pellor/App/DesktopServices.h"
#include "Pellor/App/PellorApp.h"
#include "Lottie/Playback/LottieConfiguration.h"
#include "Pellor/Updater/Updater.h"
#include "Platform/Compositor/ManualClock.h"
#include "tests/Support/TestSupport.h"

class QFileDialog;
class QMainWindow;

namespace pellor {
class DocumentWindow;
}

namespace pellortest {

struct Alert {
    QString message;
    QString detail;
    // The window it was shown over; none for one over no window.
    QPointer<QWidget> parent = nullptr;
};

class RecordingAlerts : public pellor::AlertPresenter {
public:
    explicit RecordingAlerts(std::vector<Alert>& alerts) : alerts_(alerts) {}
    void showError(QWidget* parent, const QString& message, const QString& detail) override {
        alerts_.push_back({message, detail, parent});
    }

private:
    std::vector<Alert>& alerts_;
};

// Records what it is asked to open; it opens it unless `opens` says the
// desktop has no program for it.
class RecordingDesktop : public pellor::DesktopServices {
public:
    RecordingDesktop(std::vector<QUrl>& opened, QStringList& revealed, const bool& opens)
        : opened_(opened), revealed_(revealed), opens_(opens) {}
    bool openUrl(const QUrl& url) override {
        opened_.push_back(url);
        return opens_;
    }
    bool revealFile(const QString& path) override {
        revealed_ << path;
        return opens_;
    }

private:
    std::vector<QUrl>& opened_;
    QStringList& revealed_;
    const bool& opens_;
};

// An updater that can be told whether it can check, counts checks and keeps
// its two settings in memory.
class FakeUpdater : public pellor::Updater {
public:
    bool canCheckForUpdates() const override { return canCheck; }
    void checkForUpdates() override { ++checks; }
    bool automaticallyChecksForUpdates() const override { return checksAutomatically; }
    void setAutomaticallyChecksForUpdates(bool enabled) override {
        checksAutomatically = enabled;
        ++writes;
    }
    bool automaticallyDownloadsUpdates() const override { return downloadsAutomatically; }
    void setAutomaticallyDownloadsUpdates(bool enabled) override {
        downloadsAutomatically = enabled;
        ++writes;
    }
    void set(bool value) {
        canCheck = value;
        emit canCheckForUpdatesChanged(value);
    }
    bool canCheck = false;
    int checks = 0;
    bool checksAutomatically = false;
    bool downloadsAutomatically = false;
    int writes = 0;
};

// Sets the engine new views are made with, for the length of a scope.
class SharedEngine {
public:
    explicit SharedEngine(lottie::RenderingEngineOption engine);
    ~SharedEngine();

private:
    lottie::LottieConfiguration kept_;
};

// A JSON document of `frames` frames at 30 per second, width x height, with
// one square moving across it.
std::string animationDocument(int frames = 90, int width = 200, int height = 120);
// A package of one animation ("first") of that document's shape.
std::string packageDocument();

class PellorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Replaces the application by one over `updater`, with the same recorders.
    void remakeApp(std::unique_ptr<pellor::Updater> updater);
    // Writes the bytes to a file of that name in the temporary folder.
    QString write(const std::string& name, const std::string& bytes);
    QString missing(const std::string& name) const;
    // Delivers posted Qt events and the library's main-run-loop work.
    void settle();
    // Types `key` where the focus is, checks the program stays up (the welcome
    // window or a document shows), and closes what the key opened.
    void typeWhereTheFocusIsAndCloseWhatItOpened(const QWidget& welcome, QKeyCombination key);
    // Sends a drag of those files onto the widget and drops it there.
    void drop(QWidget& target, const QStringList& files);

    // Opens the file and returns its window, once its animation has loaded
    // (or failed to); none when it did not open.
    pellor::DocumentWindow* openPlayer(const QString& path);
    // Whether `count` document windows are open, each having opened its
    // document or shown why it could not.
    bool documentsLoaded(qsizetype count) const;
    // Runs the main run loop and Qt's events until `done` holds (work from
    // the dotLottie queue arrives from another thread).
    void runUntil(const std::function<bool()>& done);
    // Moves the media clock by one display frame, ticks the player's view,
    // draws the frame it began to its end and delivers what that frame posted
    // (the frame binding's write).
    void frame(pellor::DocumentWindow& window, double seconds = 1.0 / 30);

    testsupport::TemporaryDirectory folder;
    std::vector<Alert> alerts;
    std::vector<QUrl> openedUrls;
    QStringList revealed;
    // Whether the desktop has a program for what it is asked to open.
    bool desktopOpens = true;
    std::shared_ptr<platform::compositor::ManualClock> clock;
    std::unique_ptr<pellor::PellorApp> app;
};

// Whether this run of the test program is a child process that is the viewer
// (QuitTests.cpp), and that run: main()'s work, quitting after a delay.
bool isViewerRun();
int runViewer(int argc, char** argv);

// The texts of a menu's items in order; a divider reads "-".
QStringList itemTexts(const QList<QAction*>& actions);
// The titles of the window's menus, without mnemonic marks.
QStringList menuTitles(QMainWindow& window);
QAction* menuAction(QMainWindow& window, const QString& menu, const QString& item);
// The open panel on screen, if one is.
QFileDialog* visibleOpenPanel();
// The name assistive tools read for the widget (empty without an interface).
QString accessibleName(QWidget* widget);

}  // namespace pellortest
