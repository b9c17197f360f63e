#pragma once
// The settings window (opened by "Settings…"). Its one tab, the update
// settings, comes with the updater; until then it says that there is nothing
// to set. Owned by the application object.

#include "Pellor/App/SceneWindow.h"

namespace pellor {

class SettingsWindow : public SceneWindow {
    Q_OBJECT

public:
    explicit SettingsWindow(PellorApp& app, QWidget* parent = nullptr);
};

}  // namespace pellor
