#pragma once
// The about window (identifier "about"): the application's icon, name,
// "Version x (y)" (the CMake project version and the build number), an
// "Acknowledgements" button that opens the licences document with the
// desktop's PDF viewer, the copyright line, and a small "Review" button in the
// top-right corner that opens Pellor's page in the software centre. Where the
// desktop has no program to open one of them, an alert says what could not be
// opened, and where the document is.
//
// Its size follows its content and is fixed; the window manager's title bar
// keeps only its close button (Escape closes it too), its menu bar is hidden
// (its shortcuts kept), and it moves when dragged by its background. Owned by the application object.

#include "Pellor/App/SceneWindow.h"

class QLabel;

namespace pellor {

class StyledButton;

class AboutWindow : public SceneWindow {
    Q_OBJECT

public:
    explicit AboutWindow(PellorApp& app, QWidget* parent = nullptr);

    // "Version 0.1.0 (1)"
    static QString versionText();
    // Where the build puts the acknowledgements and installs place them,
    // relative to the program: <bin>/../share/pellor/Acknowledgements.pdf.
    static QString defaultAcknowledgementsPath();

    // The document the button opens; the default path unless set.
    const QString& acknowledgementsPath() const { return acknowledgementsPath_; }
    void setAcknowledgementsPath(const QString& path) { acknowledgementsPath_ = path; }

    QLabel* versionLabel() const { return versionLabel_; }
    QLabel* copyrightLabel() const { return copyrightLabel_; }
    StyledButton* acknowledgementsButton() const { return acknowledgementsButton_; }
    StyledButton* reviewButton() const { return reviewButton_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void openAcknowledgements();
    void placeReviewButton();

    QString acknowledgementsPath_;
    QLabel* versionLabel_ = nullptr;
    QLabel* copyrightLabel_ = nullptr;
    StyledButton* acknowledgementsButton_ = nullptr;
    StyledButton* reviewButton_ = nullptr;
};

}  // namespace pellor
