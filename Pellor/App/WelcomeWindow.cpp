#include "Pellor/App/WelcomeWindow.h"

#include <QKeySequence>
#include <QLabel>
#include <QVBoxLayout>

#include "Pellor/App/PellorApp.h"
#include "Pellor/App/ReviewRequestHooks.h"
#include "Pellor/Documents/DocumentDropDelegate.h"
#include "Pellor/Styles/ActionButtonStyle.h"
#include "Pellor/Styles/BrandingColumn.h"
#include "Pellor/Styles/OnAppearOnceViewModifier.h"
#include "Pellor/Styles/StyledButton.h"

namespace pellor {

WelcomeWindow::WelcomeWindow(PellorApp& app, QWidget* parent) : SceneWindow(app, QStringLiteral("welcome"), parent) {
    setWindowTitle(tr("Welcome"));
    auto* content = new QWidget(this);
    QVBoxLayout* layout = brandingColumn(*content, QSize(128, 128));
    layout->addStretch();
    openButton_ = new StyledButton(std::make_shared<ActionButtonStyle>(), tr("Open..."), content);
    openButton_->setSecondaryText(QKeySequence(QKeySequence::Open).toString(QKeySequence::NativeText));
    connect(openButton_, &QAbstractButton::clicked, this, [this] { this->app().showOpenPanel(this); });
    layout->addWidget(openButton_);
    setCentralWidget(content);
    resize(550, 560);
    new DocumentDropDelegate(this, [this](const QStringList& files) { this->app().openDocuments(files, this); });
    new OnAppearOnceViewModifier(this, [this] { this->app().reviewRequestHooks().welcomeScreenOpened(this); });
}

}  // namespace pellor
