#pragma once
// The first window the application shows (identifier "welcome"), 550 x 560
// (less where the screen's available area has no room for that) and fixed:
// on the left the branding panel (icon, name, version), on the
// right the documents panel (an "Open..." row that shows the open panel, and
// the ten most recent documents, each a row that opens it, or "No recent
// documents."). The whole window takes dropped documents. Each time it appears
// it reloads the recent list and puts the keyboard focus on its newest
// document (on "Open..." when there is none), and it puts it back there
// whenever it comes back with no control focused (after an alert); the first
// time, it asks the review policy.
//
// It has no title bar: a frameless window (Qt::FramelessWindowHint, so that the
// branding panel reaches the top edge) with a close button of its own in the
// top-left corner of its content (Escape closes it too), movable by dragging its
// background. It keeps its menu
// bar: as the first window, and often the only one, it is where the user finds
// About, Settings and Check for Updates (the desktop's global menu takes the
// bar where there is one). Owned by the application object.

#include <QStringList>

#include "Pellor/App/SceneWindow.h"

class QAbstractButton;
class QVBoxLayout;

namespace pellor {

class StyledButton;

class WelcomeWindow : public SceneWindow {
    Q_OBJECT

public:
    // Of the content, below the menu bar, where the screen has room for it.
    static constexpr QSize kSize{550, 560};

    explicit WelcomeWindow(PellorApp& app, QWidget* parent = nullptr);

    StyledButton* openButton() const { return openButton_; }
    QAbstractButton* closeButton() const { return closeButton_; }
    // The documents listed now, most recent first; one row each.
    const QStringList& recentDocumentPaths() const { return recentPaths_; }
    QList<StyledButton*> recentDocumentRows() const;
    // "No recent documents.", shown while the list is empty.
    QWidget* emptyListNote() const { return emptyNote_; }

    // The icon of a file by its MIME type from the desktop's icon theme: the
    // type's own icon, else its generic one, else a plain document icon.
    static QIcon fileIcon(const QString& path);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeBrandingPanel();
    QWidget* makeDocumentsPanel();
    void reloadRecentDocuments();
    void openRecentDocument(const QString& path);
    void focusWhereKeysDoNoHarm();

    StyledButton* openButton_ = nullptr;
    QAbstractButton* closeButton_ = nullptr;
    QVBoxLayout* rows_ = nullptr;
    QWidget* emptyNote_ = nullptr;
    QStringList recentPaths_;
};

}  // namespace pellor
