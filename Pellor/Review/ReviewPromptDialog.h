#pragma once
// The review prompt: a small dialog that asks whether the user would like to
// review Pellor and, when they agree, has the review page (reviewPageURL())
// opened. It comes on its own, while the user may be typing in another
// window, so it takes no key meant for that window: it shows without taking
// the keyboard focus, and should it get the focus all the same, the focus
// starts on its question, not on a button, and no button is the default:
// Return never answers it, Space only on a button the user moved the focus
// to, or a click.
// Not modal; it deletes itself when closed.

#include <QDialog>
#include <functional>

class QPushButton;

namespace pellor {

class ReviewPromptDialog : public QDialog {
    Q_OBJECT

public:
    // Opens the review page, telling the user over the prompt when it cannot;
    // says whether it opened.
    using OpenPage = std::function<bool(QWidget* prompt)>;

    // Without `openPage`, the page is asked of the desktop through
    // QDesktopServices, so that tests can intercept it with a URL handler.
    explicit ReviewPromptDialog(QWidget* parent = nullptr, OpenPage openPage = {});

    // Shows a new prompt (over `parent` when given) in front, without the
    // keyboard focus, and hands it back.
    static ReviewPromptDialog* present(QWidget* parent = nullptr, OpenPage openPage = {});

    QPushButton* reviewButton() const { return reviewButton_; }
    QPushButton* notNowButton() const { return notNowButton_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The prompt stays up when the page could not be opened, with what went wrong over it.
    void openReviewPage();

    OpenPage openPage_;
    QPushButton* reviewButton_ = nullptr;
    QPushButton* notNowButton_ = nullptr;
};

}  // namespace pellor
