#pragma once
// The window of one open document: read-only, titled with the file's name,
// holding the document's player and a toolbar whose "Info" button (Ctrl+I)
// shows and hides the inspector; a "Player" menu lists play/pause (Space) and
// Info again. It first opens at 800 x 600, or smaller where the screen's
// available area (in logical pixels, so after the scale factor) is smaller. It accepts dropped documents, which open in
// windows of their own. Deletes itself when closed (the application forgets
// it then); closing runs the review hook for a closed file.

#include <optional>
#include <utility>

#include "Pellor/App/SceneWindow.h"
#include "Pellor/Documents/ReadOnlyDocument.h"

class QAction;

namespace pellor {

class LottiePlayerView;

class DocumentWindow : public SceneWindow {
    Q_OBJECT

public:
    static constexpr QSize kPreferredSize{800, 600};

    DocumentWindow(PellorApp& app, ReadOnlyDocument document, QWidget* parent = nullptr);

    const ReadOnlyDocument& document() const { return document_; }
    LottiePlayerView* player() const { return player_; }
    QAction* infoAction() const { return info_; }
    // The "Player" menu's "Play"/"Pause" item.
    QAction* playPauseAction() const { return playPause_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void addPlayerMenu();

    ReadOnlyDocument document_;
    LottiePlayerView* player_ = nullptr;
    QAction* info_ = nullptr;
    QAction* playPause_ = nullptr;
    // Whether the animation was playing and loaded when the "Player" menu's
    // item last followed it.
    std::optional<std::pair<bool, bool>> shownPlayState_;
};

}  // namespace pellor
