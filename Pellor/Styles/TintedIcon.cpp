#include "Pellor/Styles/TintedIcon.h"

#include <QPainter>

namespace pellor {

QPixmap tintedIcon(const QIcon& icon, QSize size, double devicePixelRatio, const QColor& color) {
    QPixmap pixmap = icon.pixmap(size, devicePixelRatio);
    if (pixmap.isNull()) return pixmap;
    QPainter painter(&pixmap);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRect(QPoint(), pixmap.size()), color);
    return pixmap;
}

}  // namespace pellor
