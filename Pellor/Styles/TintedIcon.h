#pragma once
// The application's symbol icons are single-colour SVGs; buttons draw them in
// their label colour. This paints the icon's shape in that colour.

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace pellor {

// The icon at `size` (device-independent) for that pixel ratio, every painted
// pixel in `color` with the icon's own coverage.
QPixmap tintedIcon(const QIcon& icon, QSize size, double devicePixelRatio, const QColor& color);

}  // namespace pellor
