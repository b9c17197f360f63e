#include "Pellor/Player/DocumentWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileInfo>
#include <QToolBar>

#include "Pellor/App/PellorApp.h"
#include "Pellor/App/ReviewRequestHooks.h"
#include "Pellor/Documents/DocumentDropDelegate.h"
#include "Pellor/Player/LottiePlayerView.h"
#include "Pellor/Resources/ApplicationIcon.h"
#include "Pellor/Styles/PlainText.h"

namespace pellor {

DocumentWindow::DocumentWindow(PellorApp& app, ReadOnlyDocument document, QWidget* parent)
    : SceneWindow(app, QString(), parent), document_(std::move(document)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFilePath(document_.filePath());
    setWindowTitle(plainWindowTitle(QFileInfo(document_.filePath()).fileName()));
    player_ = new LottiePlayerView(app, document_, this);
    setCentralWidget(player_);

    QToolBar* toolbar = addToolBar(tr("Toolbar"));
    toolbar->setMovable(false);
    toolbar->setFloatable(false);
    toolbar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolbar->setIconSize(QSize(16, 16));
    toolbar->toggleViewAction()->setEnabled(false);
    auto* spacer = new QWidget(toolbar);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    toolbar->addWidget(spacer);
    info_ = toolbar->addAction(symbolIcon(QStringLiteral("info.circle")), tr("Info"));
    info_->setCheckable(true);
    // Ctrl+I: the Linux form of the command key's shortcut.
    info_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    connect(info_, &QAction::toggled, player_, &LottiePlayerView::setShowInspector);
    connect(player_, &LottiePlayerView::stateChanged, info_, [this] { info_->setChecked(player_->showInspector()); });

    resize(800, 600);
    new DocumentDropDelegate(this, [this](const QStringList& files) { this->app().openDocuments(files, this); });
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    app().reviewRequestHooks().fileClosed(this);
    SceneWindow::closeEvent(event);
}

}  // namespace pellor
