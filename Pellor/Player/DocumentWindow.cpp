#include "Pellor/Player/DocumentWindow.h"

#include <QCloseEvent>
#include <QFileInfo>

#include "Lottie/Views/LottieViewHost.h"
#include "Pellor/App/PellorApp.h"
#include "Pellor/App/ReviewRequestHooks.h"
#include "Pellor/Documents/DocumentDropDelegate.h"
#include "Pellor/Player/DocumentLoaders.h"

namespace pellor {

DocumentWindow::DocumentWindow(PellorApp& app, ReadOnlyDocument document, QWidget* parent)
    : SceneWindow(app, QString(), parent), document_(std::move(document)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFilePath(document_.filePath());
    setWindowTitle(QFileInfo(document_.filePath()).fileName());
    host_ = new lottie::LottieViewHost(this);
    host_->apply(DocumentLoaders::view(document_).playingLoop().proposedSizing());
    setCentralWidget(host_);
    resize(800, 600);
    new DocumentDropDelegate(this, [this](const QStringList& files) { this->app().openDocuments(files, this); });
}

void DocumentWindow::closeEvent(QCloseEvent* event) {
    app().reviewRequestHooks().fileClosed(this);
    SceneWindow::closeEvent(event);
}

}  // namespace pellor
