#pragma once
// A top-level window of the application with its own menu bar (Linux
// desktops give each window one; there is no menu bar shared by the whole
// application) and an identifier by which the application finds it ("welcome",
// "about"; document windows have none). Owned by the application object
// (scene windows, hidden when closed) or by itself (document windows, deleted
// when closed); main thread only.

#include <QMainWindow>
#include <optional>

namespace pellor {

class PellorApp;

class SceneWindow : public QMainWindow {
    Q_OBJECT

public:
    SceneWindow(PellorApp& app, const QString& identifier, QWidget* parent = nullptr);

    const QString& identifier() const { return identifier_; }
    PellorApp& app() const { return app_; }

    // The first top-level scene window with that identifier, in the order the
    // Qt lists them (QApplication::topLevelWidgets()); none when there is none.
    static SceneWindow* find(const QString& identifier);

protected:
    // For the windows that show nothing above their content (welcome,
    // about): hides the menu bar but keeps its commands' keyboard shortcuts,
    // which then belong to the window itself.
    void hideMenuBarKeepingShortcuts();
    // Lets the user move the window by dragging any part of its background
    // (what is not a control). The window manager moves it where it can; where
    // it can't, the window follows the pointer itself.
    void setMovableByWindowBackground(bool movable);
    // Lets Escape close the window when no control of it takes the key (the
    // welcome, about and settings windows; not document windows).
    void setClosesOnEscape(bool closes) { closesOnEscape_ = closes; }
    // The window's own size where the primary screen's available area (in
    // logical pixels, so after the scale factor) has room for it, else as much
    // as fits there, leaving room for the window manager's frame and a little
    // of the desktop around it; never below the window's minimum size, so
    // that its controls stay in view on a small screen or at a large scale.
    QSize sizeWithinScreen(QSize preferred) const;
    // Moves the window into the primary screen's available area where nothing
    // else places it (no window manager).
    void keepWithinScreen();

    void keyPressEvent(QKeyEvent* event) override;

    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PellorApp& app_;
    QString identifier_;
    bool movableByBackground_ = false;
    bool closesOnEscape_ = false;
    // Where the pointer holds the window while it follows it; none otherwise.
    std::optional<QPoint> dragOffset_;
};

}  // namespace pellor
