#pragma once
// The window of one open document: read-only, titled with the file's name,
// holding the document's player and a toolbar whose "Info" button (Ctrl+I)
// shows and hides the inspector. It accepts dropped documents, which open in
// windows of their own. Deletes itself when closed (the application forgets
// it then); closing runs the review hook for a closed file.

#include "Pellor/App/SceneWindow.h"
#include "Pellor/Documents/ReadOnlyDocument.h"

class QAction;

namespace pellor {

class LottiePlayerView;

class DocumentWindow : public SceneWindow {
    Q_OBJECT

public:
    DocumentWindow(PellorApp& app, ReadOnlyDocument document, QWidget* parent = nullptr);

    const ReadOnlyDocument& document() const { return document_; }
    LottiePlayerView* player() const { return player_; }
    QAction* infoAction() const { return info_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ReadOnlyDocument document_;
    LottiePlayerView* player_ = nullptr;
    QAction* info_ = nullptr;
};

}  // namespace pellor
