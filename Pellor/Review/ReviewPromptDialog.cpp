#include "Pellor/Review/ReviewPromptDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Pellor/Review/ReviewPage.h"

namespace pellor {

ReviewPromptDialog::ReviewPromptDialog(QWidget* parent, OpenPage openPage)
    : QDialog(parent), openPage_(std::move(openPage)) {
    if (!openPage_) openPage_ = [](QWidget*) { return QDesktopServices::openUrl(reviewPageURL()); };
    setWindowTitle(tr("Review Pellor"));
    setAttribute(Qt::WA_DeleteOnClose);

    auto* question = new QLabel(tr("Enjoying Pellor?"), this);
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    // Where the focus starts should the prompt be given it: the question, on
    // which Space and Return do nothing, with the buttons a Tab away.
    question->setFocusPolicy(Qt::TabFocus);
    auto* explanation =
        new QLabel(tr("Would you take a moment to rate and review it in your software centre? It only takes a minute."), this);
    explanation->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(this);
    reviewButton_ = buttons->addButton(tr("Write a Review"), QDialogButtonBox::AcceptRole);
    notNowButton_ = buttons->addButton(tr("Not Now"), QDialogButtonBox::RejectRole);
    // A dialog's push buttons answer Return by default, the focused one or
    // else the first; here neither does.
    for (QPushButton* button : {reviewButton_, notNowButton_}) button->setAutoDefault(false);
    connect(reviewButton_, &QPushButton::clicked, this, &ReviewPromptDialog::openReviewPage);
    connect(notNowButton_, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(question);
    layout->addWidget(explanation);
    layout->addWidget(buttons);
    setFixedWidth(360);
}

ReviewPromptDialog* ReviewPromptDialog::present(QWidget* parent, OpenPage openPage) {
    auto* dialog = new ReviewPromptDialog(parent, std::move(openPage));
    // It comes on its own, not from a click in it: the user may be typing in
    // another window, and a Space, Return or Ctrl+Q meant for that window
    // must reach it. In front, so that it is not left behind that window.
    dialog->setAttribute(Qt::WA_ShowWithoutActivating);
    dialog->show();
    dialog->raise();
    return dialog;
}

void ReviewPromptDialog::showEvent(QShowEvent* event) {
    // The button box makes its first accepting button the default as it
    // shows (its show event comes before the dialog's): not here.
    reviewButton_->setDefault(false);
    QDialog::showEvent(event);
}

void ReviewPromptDialog::openReviewPage() {
    if (openPage_(this)) accept();
}

}  // namespace pellor
