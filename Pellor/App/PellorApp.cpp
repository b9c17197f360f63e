#include "Pellor/App/PellorApp.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QScreen>
#include <QSettings>
#include <QShortcut>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "Lottie/Playback/ReportPrinter.h"
#include "Pellor/App/AboutWindow.h"
#include "Pellor/App/AlertPresenter.h"
#include "Pellor/App/AppCommands.h"
#include "Pellor/App/DesktopServices.h"
#include "Pellor/App/QtMessagePrinter.h"
#include "Pellor/App/QuitKeyCatcher.h"
#include "Pellor/App/RecentDocuments.h"
#include "Pellor/App/ReviewPolicyHooks.h"
#include "Pellor/App/SceneWindow.h"
#include "Pellor/App/SettingsWindow.h"
#include "Pellor/App/WelcomeWindow.h"
#include "Pellor/Documents/DocumentOpenError.h"
#include "Pellor/Player/DocumentNames.h"
#include "Pellor/Player/DocumentWindow.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Review/ReviewPage.h"
#include "Pellor/Review/ReviewPromptDialog.h"
#include "Pellor/Updater/UpdaterManager.h"
#include "Platform/Foundation/DispatchQueue.h"
#include "Platform/Graphics/ProcessorDeadline.h"

namespace pellor {

PellorApp::PellorApp(QObject* parent) : PellorApp(nullptr, parent) {}

PellorApp::PellorApp(std::unique_ptr<Updater> updater, QObject* parent)
    : QObject(parent),
      recentDocuments_(std::make_unique<RecentDocuments>()),
      alerts_(std::make_unique<AlertPresenter>()),
      desktop_(std::make_unique<DesktopServices>()),
      reviewHooks_(std::make_unique<ReviewPolicyHooks>([this] { presentReviewPrompt(); })) {
    updaterManager_ = updater ? new UpdaterManager(std::move(updater), this) : new UpdaterManager(this);
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* focused) {
        for (const auto& [path, window] : documents_) {
            if (window && focused && window->windowHandle() == focused) lastActiveDocument_ = window;
        }
    });
}

PellorApp::~PellorApp() {
    // Document windows belong to themselves; they go with the application.
    auto documents = std::move(documents_);
    documents_.clear();
    for (auto& [path, window] : documents) delete window.data();
    sceneWindows_.clear();
    if (previousQtMessages_) qInstallMessageHandler(*previousQtMessages_);
}

void PellorApp::start(const QStringList& files) {
    // Before any animation is made, each of which keeps the logger current
    // then: the library says why a document falls back to the main-thread
    // engine or what a limit cut, and the user who started the viewer from a
    // terminal reads it there.
    lottie::LottieLogger::setShared(lottie::ReportPrinter::logger(std::cerr, messagePrefix));
    // And Qt's own messages, under the same prefix.
    if (!previousQtMessages_) previousQtMessages_ = QtMessagePrinter::install(std::cerr, messagePrefix);
    // Ctrl+Q quits from any window, also the welcome window that the first
    // documents close before the key typed there is read.
    if (!quitKeys_) quitKeys_ = new QuitKeyCatcher([this] { quit(); }, this);
    openWindow(QStringLiteral("welcome"));
    if (!files.isEmpty()) openDocuments(files, nullptr);
}

int PellorApp::run(const QStringList& files) {
    start(files);
    const int status = QApplication::exec();
    // Nothing still loading will be shown: each loading thread stops at its
    // next deadline check, and is waited for only briefly.
    platform::graphics::ProcessorDeadline::passAll();
    const auto until = std::chrono::steady_clock::now() + loadingWaitOnQuit;
    if (!platform::foundation::DispatchQueue::stopProcessWideQueuesWaitingUntil(until)) endWithoutWaiting(status);
    return status;
}

void PellorApp::endWithoutWaiting(int status) {
    // A document still decodes (decoding checks no deadline) or sets up: the
    // process ends here, leaving its static objects, which that work may still
    // use, as they are. What the settings hold is written, and what the
    // process printed reaches its streams.
    QSettings().sync();
    std::cout.flush();
    std::cerr.flush();
    std::fflush(nullptr);
    std::quick_exit(status);
}

// Files of one request to open documents that are still to be opened, and
// those that could not be, reported together once all have been tried.
struct PellorApp::Opening {
    QStringList remaining;
    QPointer<QWidget> parent;
    std::vector<DocumentOpenError> failures;
    // The first window the request opened or brought to the front.
    QPointer<QWidget> firstWindow;
};

QList<QWidget*> PellorApp::openDocuments(const QStringList& paths, QWidget* parent) {
    // Every file of the request is named in the log before the first loads:
    // the first's loading thread may report before the request's next file
    // opens, and of two of one file name each is named by its folder from the
    // first line on.
    for (const QString& path : paths) {
        const QFileInfo file(path);
        if (file.isFile()) DocumentNames::shared().note(file.canonicalFilePath());
    }
    auto opening = std::make_shared<Opening>(Opening{paths, parent, {}, {}});
    const QList<QWidget*> windows = openNext(*opening, documentsOpenedAtOnce);
    continueOpening(opening);
    return windows;
}

QList<QWidget*> PellorApp::openNext(Opening& opening, qsizetype count) {
    QList<QWidget*> windows;
    for (; count > 0 && !opening.remaining.isEmpty(); --count) {
        const QString path = opening.remaining.takeFirst();
        try {
            QWidget* window = openDocument(path);
            if (!opening.firstWindow) opening.firstWindow = window;
            windows << window;
        } catch (const DocumentOpenError& error) {
            opening.failures.push_back(error);
        }
    }
    return windows;
}

void PellorApp::continueOpening(const std::shared_ptr<Opening>& opening) {
    if (opening->remaining.isEmpty()) {
        if (!opening->failures.empty()) report(opening->failures, reportParent(*opening));
        return;
    }
    // One window per turn of the event loop, so that the windows already open
    // keep answering while hundreds of files open.
    QTimer::singleShot(0, this, [this, opening] {
        openNext(*opening, 1);
        continueOpening(opening);
    });
}

QWidget* PellorApp::reportParent(const Opening& opening) {
    // The window the request came from while it is still up (the welcome
    // window closes once a document shows), else the first window the request
    // opened, else the welcome window: a report that belonged to no window
    // could be buried under the windows it blocked.
    if (opening.parent && opening.parent->isVisible()) return opening.parent->window();
    if (opening.firstWindow) return opening.firstWindow;
    return openWindow(QStringLiteral("welcome"));
}

bool PellorApp::openRecentDocument(const QString& path, QWidget* parent) {
    try {
        openDocument(path);
        return true;
    } catch (const DocumentOpenError& error) {
        recentDocuments_->remove(path);
        report({error}, parent);
        return false;
    }
}

QWidget* PellorApp::openDocument(const QString& path) {
    const QString canonical = QFileInfo(path).canonicalFilePath();
    if (QWidget* open = windowOfCanonicalPath(canonical)) {
        // Newest again, once it has opened: one still loading is listed when
        // it opens, and one that failed is not listed at all.
        auto* document = qobject_cast<DocumentWindow*>(open);
        if (document && document->player()->isOpened()) recentDocuments_->note(canonical);
        open->showNormal();
        open->raise();
        open->activateWindow();
        return open;
    }
    ReadOnlyDocument document = ReadOnlyDocument::read(canonical.isEmpty() ? path : canonical);
    auto* window = new DocumentWindow(*this, std::move(document));
    documents_[canonical] = window;
    connect(window, &QObject::destroyed, this, [this, canonical] { documents_.erase(canonical); });
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

void PellorApp::report(const std::vector<DocumentOpenError>& failures, QWidget* parent) {
    if (failures.size() == 1) {
        alerts_->showError(parent, failures.front().message(), failures.front().detail());
        return;
    }
    QStringList lines;
    for (const DocumentOpenError& failure : failures) {
        lines << tr("\u201C%1\u201D: %2").arg(failure.fileName(), failure.detail());
    }
    alerts_->showError(parent, tr("%n files couldn\u2019t be opened.", nullptr, static_cast<int>(failures.size())),
                       lines.join(QLatin1Char('\n')));
}

bool PellorApp::openUrlOrReport(const QUrl& url, QWidget* parent, const QString& message, const QString& detail) {
    if (desktop_->openUrl(url)) return true;
    alerts_->showError(parent, message, detail);
    return false;
}

bool PellorApp::openReviewPageOrReport(QWidget* parent) {
    return openUrlOrReport(reviewPageURL(), parent, tr("The review page couldn\u2019t be opened."),
                           tr("No software centre is set up to open %1.").arg(reviewPageURL().toString()));
}

ReviewPromptDialog* PellorApp::presentReviewPrompt() {
    auto* prompt = ReviewPromptDialog::present(nullptr, [this](QWidget* over) { return openReviewPageOrReport(over); });
    // Should the window manager give it the focus all the same, Ctrl+Q still
    // quits, as it does in every other window.
    connect(new QShortcut(AppCommands::quitKey(), prompt), &QShortcut::activated, this, &PellorApp::quit);
    return prompt;
}

bool PellorApp::revealFileOrReport(const QString& path, QWidget* parent) {
    if (desktop_->revealFile(path)) return true;
    alerts_->showError(parent, tr("The file couldn\u2019t be shown in a file manager."),
                       tr("No file manager is set up to show %1.").arg(QDir::toNativeSeparators(path)));
    return false;
}

void PellorApp::showOpenPanel(QWidget* parent) {
    auto* panel = new QFileDialog(parent, tr("Open"), openPanelDirectory(),
                                  tr("Animations (*.json *.lottie);;Lottie JSON (*.json);;dotLottie (*.lottie);;All files (*)"));
    panel->setObjectName(QStringLiteral("openPanel"));
    panel->setAcceptMode(QFileDialog::AcceptOpen);
    panel->setFileMode(QFileDialog::ExistingFiles);
    panel->setAttribute(Qt::WA_DeleteOnClose);
    connect(panel, &QFileDialog::filesSelected, this,
            [this, parent = QPointer<QWidget>(parent)](const QStringList& paths) { openDocuments(paths, parent); });
    panel->open();
}

QString PellorApp::openPanelDirectory() const {
    // The folder the user last took a document from is the likeliest place of
    // the next; the working directory of a program started from a menu is not.
    for (const QString& path : recentDocuments_->paths()) {
        const QFileInfo folder(QFileInfo(path).absolutePath());
        if (folder.isDir()) return folder.absoluteFilePath();
    }
    return QDir::homePath();
}

QWidget* PellorApp::documentWindow(const QString& path) const {
    return windowOfCanonicalPath(QFileInfo(path).canonicalFilePath());
}

QWidget* PellorApp::windowOfCanonicalPath(const QString& canonical) const {
    const auto found = documents_.find(canonical);
    return found == documents_.end() ? nullptr : found->second.data();
}

QList<QWidget*> PellorApp::documentWindows() const {
    QList<QWidget*> windows;
    for (const auto& [path, window] : documents_) {
        if (window) windows << window.data();
    }
    return windows;
}

SceneWindow* PellorApp::openWindow(const QString& identifier) {
    SceneWindow* window = sceneWindow(identifier);
    if (!window) return nullptr;
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}

SceneWindow* PellorApp::sceneWindow(const QString& identifier) {
    auto found = sceneWindows_.find(identifier);
    if (found == sceneWindows_.end()) {
        std::unique_ptr<SceneWindow> window(makeSceneWindow(identifier));
        if (!window) return nullptr;
        // Scene windows first appear in the middle of the screen; from then on
        // they stay where the user puts them.
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = window->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            window->move(frame.topLeft());
        }
        found = sceneWindows_.emplace(identifier, std::move(window)).first;
    }
    return found->second.get();
}

void PellorApp::openWindowAfterAlerts(const QString& identifier) {
    windowsAfterAlerts_.whenNoAlertIsOpen([this, identifier] {
        QWidget* front = lastActiveDocument_ && lastActiveDocument_->isVisible() ? lastActiveDocument_.data() : nullptr;
        for (QWidget* document : documentWindows()) {
            if (!front && document->isVisible()) front = document;
        }
        if (!front) {
            openWindow(identifier);
            return;
        }
        // The document the user is in stays in front: the window comes
        // without taking the focus, behind it.
        SceneWindow* window = sceneWindow(identifier);
        if (!window) return;
        window->setAttribute(Qt::WA_ShowWithoutActivating);
        window->show();
        window->setAttribute(Qt::WA_ShowWithoutActivating, false);
        front->raise();
        front->activateWindow();
    });
}

SceneWindow* PellorApp::makeSceneWindow(const QString& identifier) {
    if (identifier == QLatin1String("welcome")) return new WelcomeWindow(*this);
    if (identifier == QLatin1String("about")) return new AboutWindow(*this);
    if (identifier == QLatin1String("settings")) return new SettingsWindow(*this);
    return nullptr;
}

void PellorApp::quit() {
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void PellorApp::setAlertPresenter(std::unique_ptr<AlertPresenter> alerts) { alerts_ = std::move(alerts); }

void PellorApp::setDesktopServices(std::unique_ptr<DesktopServices> desktop) { desktop_ = std::move(desktop); }

void PellorApp::setReviewRequestHooks(std::unique_ptr<ReviewRequestHooks> hooks) { reviewHooks_ = std::move(hooks); }

}  // namespace pellor
