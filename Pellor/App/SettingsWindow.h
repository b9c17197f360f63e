#pragma once
// The settings window (opened by "Settings…"), 500 wide: one tab, "General",
// holding the group "Updates" (its title in a right-aligned column of 100 on
// the left) with two switches, "Automatically check for updates" and
// "Automatically download updates". The second is disabled while the first is
// off and then keeps its value. The window stores nothing itself: it reads both
// settings from the updater each time it is shown, and writes each change to
// the updater at once. Check boxes play the switches. Escape closes it. Owned
// by the application object.

#include "Pellor/App/SceneWindow.h"

class QCheckBox;
class QTabWidget;

namespace pellor {

class SettingsWindow : public SceneWindow {
    Q_OBJECT

public:
    static constexpr int kWidth = 500;

    explicit SettingsWindow(PellorApp& app, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return tabs_; }
    QCheckBox* automaticallyChecksSwitch() const { return checks_; }
    QCheckBox* automaticallyDownloadsSwitch() const { return downloads_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* makeGeneralTab();
    void loadUpdaterSettings();

    QTabWidget* tabs_ = nullptr;
    QCheckBox* checks_ = nullptr;
    QCheckBox* downloads_ = nullptr;
};

}  // namespace pellor
