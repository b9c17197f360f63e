#pragma once
// A top-level window of the application with its own menu bar (Linux
// desktops give each window one; there is no menu bar shared by the whole
// application) and an identifier by which the application finds it ("welcome",
// "about"; document windows have none). Owned by the application object
// (scene windows, hidden when closed) or by itself (document windows, deleted
// when closed); main thread only.

#include <QMainWindow>

namespace pellor {

class PellorApp;

class SceneWindow : public QMainWindow {
    Q_OBJECT

public:
    SceneWindow(PellorApp& app, const QString& identifier, QWidget* parent = nullptr);

    const QString& identifier() const { return identifier_; }
    PellorApp& app() const { return app_; }

    // The first top-level scene window with that identifier, in the order the
    // toolkit lists them; none when there is none.
    static SceneWindow* find(const QString& identifier);

private:
    PellorApp& app_;
    QString identifier_;
};

}  // namespace pellor
