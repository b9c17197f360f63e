#include "Pellor/Review/ReviewPromptDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Pellor/Review/ReviewPage.h"

namespace pellor {

ReviewPromptDialog::ReviewPromptDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("Review Pellor"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* question = new QLabel(tr("Enjoying Pellor?"), this);
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    auto* explanation =
        new QLabel(tr("Would you take a moment to rate and review it in your software centre? It only takes a minute."), this);
    explanation->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    reviewButton_ = buttons->addButton(tr("Write a Review"), QDialogButtonBox::AcceptRole);
    notNowButton_ = buttons->addButton(tr("Not Now"), QDialogButtonBox::RejectRole);
    reviewButton_->setDefault(true);
    connect(reviewButton_, &QPushButton::clicked, this, &ReviewPromptDialog::openReviewPage);
    connect(notNowButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(explanation);
    layout->addWidget(buttons);
    setFixedWidth(360);
}

ReviewPromptDialog* ReviewPromptDialog::present(QWidget* parent) {
    auto* dialog = new ReviewPromptDialog(parent);
    dialog->show();
    // It comes on its own, not from a click in it: window managers that keep
    // new windows from taking the focus would otherwise leave it behind the
    // window the user is in.
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void ReviewPromptDialog::openReviewPage() {
    QDesktopServices::openUrl(reviewPageURL());
    accept();
}

}  // namespace pellor
