#include "Pellor/App/SettingsWindow.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "Pellor/App/PellorApp.h"
#include "Pellor/Resources/ApplicationIcon.h"
#include "Pellor/Updater/Updater.h"
#include "Pellor/Updater/UpdaterManager.h"

namespace pellor {

namespace {

constexpr int kGroupTitleWidth = 100;

}  // namespace

SettingsWindow::SettingsWindow(PellorApp& app, QWidget* parent) : SceneWindow(app, QStringLiteral("settings"), parent) {
    setWindowTitle(tr("Settings"));
    setClosesOnEscape(true);
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    tabs_ = new QTabWidget(content);
    tabs_->addTab(makeGeneralTab(), symbolIcon(QStringLiteral("gear")), tr("General"));
    tabs_->setTabToolTip(0, tr("General settings"));
    tabs_->tabBar()->setAccessibleName(tr("Settings sections"));
    tabs_->tabBar()->setToolTip(tr("Settings sections"));
    layout->addWidget(tabs_);
    setCentralWidget(content);
    // The width is fixed whatever the length of the texts; the height is the content's.
    setFixedWidth(kWidth);
    setFixedHeight(sizeHint().height());
}

QWidget* SettingsWindow::makeGeneralTab() {
    auto* tab = new QWidget;
    auto* column = new QVBoxLayout(tab);
    auto* group = new QHBoxLayout;
    group->setSpacing(20);
    auto* title = new QLabel(tr("Updates"), tab);
    title->setFixedWidth(kGroupTitleWidth);
    title->setAlignment(Qt::AlignRight | Qt::AlignTop);
    group->addWidget(title, 0, Qt::AlignTop);
    auto* switches = new QVBoxLayout;
    // Its own spacing: a nested layout otherwise takes the group's 20.
    switches->setSpacing(6);
    checks_ = new QCheckBox(tr("Automatically check for updates"), tab);
    downloads_ = new QCheckBox(tr("Automatically download updates"), tab);
    checks_->setToolTip(tr("Look for a new version of Pellor once a day"));
    downloads_->setToolTip(tr("Save a new version in the download folder as soon as it is found"));
    switches->addWidget(checks_);
    switches->addWidget(downloads_);
    group->addLayout(switches, 1);
    column->addLayout(group);
    column->addStretch();

    Updater& updater = *app().updaterManager().updater();
    connect(checks_, &QCheckBox::toggled, this, [this, &updater](bool on) {
        updater.setAutomaticallyChecksForUpdates(on);
        // Turning checks off leaves the download setting as it is, only out of reach.
        downloads_->setEnabled(on);
    });
    connect(downloads_, &QCheckBox::toggled, this, [&updater](bool on) { updater.setAutomaticallyDownloadsUpdates(on); });
    loadUpdaterSettings();
    return tab;
}

void SettingsWindow::showEvent(QShowEvent* event) {
    // The updater may have changed them since (another window, or itself).
    loadUpdaterSettings();
    SceneWindow::showEvent(event);
}

void SettingsWindow::loadUpdaterSettings() {
    const Updater& updater = *app().updaterManager().updater();
    // Showing what the updater holds is no change to write back.
    const QSignalBlocker blockChecks(checks_);
    const QSignalBlocker blockDownloads(downloads_);
    checks_->setChecked(updater.automaticallyChecksForUpdates());
    downloads_->setChecked(updater.automaticallyDownloadsUpdates());
    downloads_->setEnabled(checks_->isChecked());
}

}  // namespace pellor
