#pragma once
// The about window (identifier "about"): the application's icon, name,
// version and build. Its acknowledgements, review button and copyright come
// with the full about window. Owned by the application object.

#include "Pellor/App/SceneWindow.h"

class QLabel;

namespace pellor {

class AboutWindow : public SceneWindow {
    Q_OBJECT

public:
    explicit AboutWindow(PellorApp& app, QWidget* parent = nullptr);

    // "Version 0.1.0 (1)"
    static QString versionText();
    QLabel* versionLabel() const { return versionLabel_; }

private:
    QLabel* versionLabel_ = nullptr;
};

}  // namespace pellor
