#include "Pellor/App/AppCommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "Pellor/App/DesktopServices.h"
#include "Pellor/App/PellorApp.h"
#include "Pellor/App/RecentDocuments.h"
#include "Pellor/App/WebAddresses.h"
#include "Pellor/Styles/PlainText.h"
#include "Pellor/Updater/CheckForUpdatesAction.h"

namespace pellor {

namespace {

QString tr(const char* text) { return QCoreApplication::translate("AppCommands", text); }

}  // namespace

void AppCommands::install(QMainWindow& window, PellorApp& app) {
    QMenuBar* bar = window.menuBar();
    QMenu* file = bar->addMenu(tr("&File"));
    QAction* open = file->addAction(tr("Open\u2026"), &window, [&app, &window] { app.showOpenPanel(&window); });
    open->setShortcut(QKeySequence::Open);
    QMenu* recent = file->addMenu(tr("Open Recent"));
    // Refilled whenever the list changes, so every window's menu shows the same list.
    QObject::connect(&app.recentDocuments(), &RecentDocuments::changed, recent,
                     [recent, &window, &app] { fillRecentMenu(*recent, window, app); });
    fillRecentMenu(*recent, window, app);
    file->addSeparator();
    QAction* close = file->addAction(tr("Close"), &window, [&window] { window.close(); });
    close->setShortcut(QKeySequence::Close);
    file->addSeparator();
    QAction* settings = file->addAction(tr("Settings\u2026"), &window, [&app] { app.openWindow(QStringLiteral("settings")); });
    settings->setShortcut(QKeySequence::Preferences);
    settings->setMenuRole(QAction::NoRole);
    file->addSeparator();
    QAction* quit = file->addAction(tr("Quit"), &window, [&app] { app.quit(); });
    quit->setShortcut(quitKey());
    quit->setMenuRole(QAction::NoRole);

    QMenu* help = bar->addMenu(tr("&Help"));
    QAction* about = help->addAction(tr("About Pellor"), &window, [&app] { app.openWindow(QStringLiteral("about")); });
    about->setMenuRole(QAction::NoRole);
    auto* check = new CheckForUpdatesAction(app.updaterManager(), &window);
    check->setObjectName(QStringLiteral("checkForUpdates"));
    help->addAction(check);
    help->addSeparator();
    help->addAction(tr("Developer Website"), &window, [&app, &window] {
        app.openUrlOrReport(developerWebsiteURL(), &window, tr("The developer website couldn\u2019t be opened."),
                            tr("No web browser is set up to open %1.").arg(developerWebsiteURL().toString()));
    });
}

QKeySequence AppCommands::quitKey() { return QKeySequence(Qt::CTRL | Qt::Key_Q); }

void AppCommands::fillRecentMenu(QMenu& menu, QMainWindow& window, PellorApp& app) {
    menu.clear();
    const QStringList paths = app.recentDocuments().paths();
    for (const QString& path : paths) {
        // A document that has gone is reported over the window the user chose it in.
        QAction* item = menu.addAction(plainMenuText(QFileInfo(path).fileName()), &menu,
                                       [&app, &window, path] { app.openRecentDocument(path, &window); });
        item->setToolTip(plainToolTip(path));
        item->setData(path);
    }
    menu.setEnabled(!paths.isEmpty());
}

}  // namespace pellor
