#include "Pellor/App/AboutWindow.h"

#include <QLabel>
#include <QVBoxLayout>

#include "Pellor/App/PellorVersion.h"
#include "Pellor/Styles/BrandingColumn.h"

namespace pellor {

AboutWindow::AboutWindow(PellorApp& app, QWidget* parent) : SceneWindow(app, QStringLiteral("about"), parent) {
    setWindowTitle(tr("About Pellor"));
    auto* content = new QWidget(this);
    QVBoxLayout* layout = brandingColumn(*content, QSize(96, 96));
    versionLabel_ = new QLabel(versionText(), content);
    versionLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(versionLabel_, 0, Qt::AlignHCenter);
    setCentralWidget(content);
    setFixedSize(sizeHint().expandedTo(QSize(320, 260)));
}

QString AboutWindow::versionText() {
    return tr("Version %1 (%2)").arg(QLatin1String(kApplicationVersion), QLatin1String(kApplicationBuild));
}

}  // namespace pellor
