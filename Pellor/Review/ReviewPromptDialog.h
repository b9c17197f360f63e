#pragma once
// The review prompt: a small dialog that asks whether the user would like to
// review Pellor and, when they agree, asks the desktop to open the review page
// (reviewPageURL()) through QDesktopServices, so that tests can intercept the
// request with a URL handler. It is the action the review policy runs once it
// has recorded a request. Not modal; it deletes itself when closed.

#include <QDialog>

class QPushButton;

namespace pellor {

class ReviewPromptDialog : public QDialog {
    Q_OBJECT

public:
    explicit ReviewPromptDialog(QWidget* parent = nullptr);

    // Shows a new prompt (over `parent` when given) and hands it back.
    static ReviewPromptDialog* present(QWidget* parent = nullptr);

    QPushButton* reviewButton() const { return reviewButton_; }
    QPushButton* notNowButton() const { return notNowButton_; }

private:
    void openReviewPage();

    QPushButton* reviewButton_ = nullptr;
    QPushButton* notNowButton_ = nullptr;
};

}  // namespace pellor
