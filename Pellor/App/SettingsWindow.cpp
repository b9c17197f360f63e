#include "Pellor/App/SettingsWindow.h"

#include <QLabel>
#include <QVBoxLayout>

namespace pellor {

SettingsWindow::SettingsWindow(PellorApp& app, QWidget* parent) : SceneWindow(app, QStringLiteral("settings"), parent) {
    setWindowTitle(tr("Settings"));
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    auto* note = new QLabel(tr("There are no settings yet."), content);
    note->setAlignment(Qt::AlignCenter);
    layout->addWidget(note);
    setCentralWidget(content);
    resize(420, 200);
}

}  // namespace pellor
