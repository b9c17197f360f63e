#pragma once
// The first window the application shows (identifier "welcome"): the
// application's icon and name, an "Open..." row that shows the open panel,
// and a drop target for documents. Its recent-documents panel and branding
// come with the full welcome window. Owned by the application object.

#include "Pellor/App/SceneWindow.h"

namespace pellor {

class StyledButton;

class WelcomeWindow : public SceneWindow {
    Q_OBJECT

public:
    explicit WelcomeWindow(PellorApp& app, QWidget* parent = nullptr);

    StyledButton* openButton() const { return openButton_; }

private:
    StyledButton* openButton_ = nullptr;
};

}  // namespace pellor
