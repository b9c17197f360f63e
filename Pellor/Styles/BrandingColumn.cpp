#include "Pellor/Styles/BrandingColumn.h"

#include <QVBoxLayout>

#include "Pellor/Styles/AppIconView.h"
#include "Pellor/Styles/ProductNameLabel.h"

namespace pellor {

QVBoxLayout* brandingColumn(QWidget& content, QSize iconSize) {
    auto* layout = new QVBoxLayout(&content);
    layout->setContentsMargins(32, 28, 32, 28);
    layout->setSpacing(14);
    layout->addWidget(new AppIconView(iconSize, &content), 0, Qt::AlignHCenter);
    layout->addWidget(new ProductNameLabel(&content), 0, Qt::AlignHCenter);
    return layout;
}

}  // namespace pellor
