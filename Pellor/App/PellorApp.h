#pragma once
// The application: its scene windows (welcome, about, settings) found by
// identifier, the open documents with one read-only window each, the recent
// documents, and the services the windows call (alerts, the desktop, the
// updater, the review hooks). It holds every window and service for the
// process's lifetime, so that a window finds another one or a service through
// it. Start-up sends the library's log to standard error, shows the welcome
// window first, then opens the files of the command line; Qt restores no
// windows of an earlier session, so nothing else is open by then. The menus hold no "Edit" or "View" menu (AppCommands).
//
// One per process, made by main() (or a test) after the Qt application;
// main thread only.

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QUrl>
#include <chrono>
#include <map>
#include <memory>
#include <optional>

#include "Pellor/App/AlertGate.h"
#include "Pellor/App/AlertStack.h"
#include "Pellor/Documents/ReadOnlyDocument.h"

namespace pellor {

class AlertPresenter;
class DesktopServices;
class DocumentOpenError;
class QuitKeyCatcher;
class RecentDocuments;
class ReviewPromptDialog;
class ReviewRequestHooks;
class SceneWindow;
class Updater;
class UpdaterManager;

class PellorApp : public QObject {
    Q_OBJECT

public:
    // Over the application's updater (which starts at once and, when the user
    // turned automatic checks on, checks when due) and the review policy.
    explicit PellorApp(QObject* parent = nullptr);
    // Over a given updater, which the application's updater manager then owns.
    explicit PellorApp(std::unique_ptr<Updater> updater, QObject* parent = nullptr);
    ~PellorApp() override;

    // What begins every line the viewer prints on standard error.
    static constexpr const char* messagePrefix = "pellor: ";

    // Sends the library's reports (warnings, failed assertions) to standard
    // error, each text once, and Qt's own messages, each line of them, all
    // under messagePrefix (until the application goes); then shows the
    // welcome window, then opens each file (reporting those it cannot).
    void start(const QStringList& files);
    // What main() does: start(files), then the event loop until the user quits;
    // returns its exit code. Quitting does not wait for what is still loading,
    // which nobody will see: documents still waiting to decode are dropped,
    // every loading thread is told to stop at its next deadline check, and
    // those still working after loadingWaitOnQuit are not waited for: the
    // process then ends in run() itself with the exit code, its settings
    // written, without destroying the static objects that work may use.
    int run(const QStringList& files);
    // How long quitting waits for the loading threads to stop.
    static constexpr std::chrono::milliseconds loadingWaitOnQuit{50};

    // How many files of one request open before openDocuments returns; the
    // others open one per turn of the event loop after it.
    static constexpr qsizetype documentsOpenedAtOnce = 4;

    // Opens every file as a document, in order: a file already open brings its
    // window to the front instead. The log names every file of the request
    // (DocumentNames) before the first loads. A document joins the recent list once it
    // has decoded (LottiePlayerView), never before. Those that cannot be opened are reported
    // together in one alert, once every file has been tried: over `parent`
    // while it is shown, else over the first window the request opened, else
    // over the welcome window.
    // Returns the windows of the first documentsOpenedAtOnce files that opened
    // (or were open already), in order.
    QList<QWidget*> openDocuments(const QStringList& paths, QWidget* parent);
    // Opens a document of the recent list. One whose file has gone or can no
    // longer be read is reported over `parent` and dropped from the list, so
    // the user is neither left wondering nor offered it again; returns false
    // then. (A file that reads but does not decode opens, and its player window
    // reports it and drops it from the list.)
    bool openRecentDocument(const QString& path, QWidget* parent);
    // The desktop's open panel for both kinds, window-modal over `parent`;
    // opens what the user picks. Returns at once.
    void showOpenPanel(QWidget* parent);
    // Where the open panel starts: the folder of the most recent document
    // whose folder is still there, else the user's home folder.
    QString openPanelDirectory() const;

    // Shows (making it on first use) and raises the scene window with that
    // identifier: "welcome", "about" or "settings". None for another identifier.
    SceneWindow* openWindow(const QString& identifier);
    // openWindow() once no alert is open: a window that comes back after one
    // alert was answered does not rise over those still waiting. Where a
    // document window is open, the window shows behind it, and the document
    // the user was last in stays in front with the keyboard focus.
    void openWindowAfterAlerts(const QString& identifier);
    // Closes every window and ends the event loop.
    void quit();

    // The window of the open document with that path; none when it is not open.
    QWidget* documentWindow(const QString& path) const;
    QList<QWidget*> documentWindows() const;

    // Asks the desktop to open the address. Where it has no program for it,
    // the user is told over `parent` what could not be opened (`message`) and
    // where it is (`detail`), rather than left with a click that did nothing.
    bool openUrlOrReport(const QUrl& url, QWidget* parent, const QString& message, const QString& detail);
    // Opens the review page in the software centre; where the desktop has no
    // program for it, tells the user so over `parent`, as for any address.
    bool openReviewPageOrReport(QWidget* parent);
    // The review prompt the review policy shows: its "Write a Review" opens
    // the page through openReviewPageOrReport(), over the prompt.
    ReviewPromptDialog* presentReviewPrompt();
    // Shows the file in the file manager (or opens its folder); where the
    // desktop can do neither, tells the user so over `parent`.
    bool revealFileOrReport(const QString& path, QWidget* parent);

    RecentDocuments& recentDocuments() { return *recentDocuments_; }
    AlertPresenter& alerts() { return *alerts_; }
    DesktopServices& desktopServices() { return *desktop_; }
    UpdaterManager& updaterManager() { return *updaterManager_; }
    ReviewRequestHooks& reviewRequestHooks() { return *reviewHooks_; }
    void setAlertPresenter(std::unique_ptr<AlertPresenter> alerts);
    void setDesktopServices(std::unique_ptr<DesktopServices> desktop);
    void setReviewRequestHooks(std::unique_ptr<ReviewRequestHooks> hooks);

private:
    struct Opening;

    // Ends the process with that status at once (run()).
    [[noreturn]] static void endWithoutWaiting(int status);
    QWidget* openDocument(const QString& path);
    // Opens up to `count` of the files still to open; returns their windows.
    QList<QWidget*> openNext(Opening& opening, qsizetype count);
    // Opens the rest on later turns of the event loop, then reports failures.
    void continueOpening(const std::shared_ptr<Opening>& opening);
    // documentWindow() for a path already resolved, which it does not resolve again.
    QWidget* windowOfCanonicalPath(const QString& canonical) const;
    // The scene window with that identifier, made (and centred) on first use; not shown.
    SceneWindow* sceneWindow(const QString& identifier);
    SceneWindow* makeSceneWindow(const QString& identifier);
    void report(const std::vector<DocumentOpenError>& failures, QWidget* parent);
    // The window a request's report of failures is shown over.
    QWidget* reportParent(const Opening& opening);

    std::unique_ptr<RecentDocuments> recentDocuments_;
    std::unique_ptr<AlertPresenter> alerts_;
    std::unique_ptr<DesktopServices> desktop_;
    // A Qt child: made before any window, gone after the last.
    UpdaterManager* updaterManager_ = nullptr;
    std::unique_ptr<ReviewRequestHooks> reviewHooks_;
    std::map<QString, std::unique_ptr<SceneWindow>> sceneWindows_;
    // By canonical path; a window removes itself when it is destroyed.
    std::map<QString, QPointer<QWidget>> documents_;
    AlertGate windowsAfterAlerts_;
    // The document window that was active last.
    QPointer<QWidget> lastActiveDocument_;
    // Every alert over a window answers, however many are stacked over it.
    AlertStack alertStack_;
    // Qt's message handler before start() installed the application's own.
    std::optional<QtMessageHandler> previousQtMessages_;
    // Made by start().
    QuitKeyCatcher* quitKeys_ = nullptr;
};

}  // namespace pellor
