#include "Pellor/Styles/ProductNameLabel.h"

#include <QEvent>

#include "Pellor/Styles/DynamicColorStyle.h"
#include "Pellor/Styles/NamedColors.h"

namespace pellor {

ProductNameLabel::ProductNameLabel(QWidget* parent) : QLabel(tr("Pellor"), parent) {
    QFont large = font();
    large.setPointSizeF(large.pointSizeF() * 2.2);
    large.setWeight(QFont::Bold);
    setFont(large);
    applyColor();
}

void ProductNameLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) applyColor();
}

void ProductNameLabel::applyColor() {
    const DynamicColorStyle style{NamedColors::color(QStringLiteral("accent1200")),
                                  NamedColors::color(QStringLiteral("accent100"))};
    const QColor color = style.resolve(colorSchemeOf(*this));
    QPalette palette = this->palette();
    if (palette.color(QPalette::WindowText) == color) return;
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

}  // namespace pellor
