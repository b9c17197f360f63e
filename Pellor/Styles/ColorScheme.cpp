#include "Pellor/Styles/ColorScheme.h"

#include <QPalette>
#include <QWidget>

namespace pellor {

ColorScheme colorSchemeOf(const QPalette& palette) {
    return palette.color(QPalette::Window).lightness() < 128 ? ColorScheme::dark : ColorScheme::light;
}

ColorScheme colorSchemeOf(const QWidget& widget) { return colorSchemeOf(widget.palette()); }

}  // namespace pellor
