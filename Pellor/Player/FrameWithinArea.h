#pragma once
// Keeping a window's frame on the screen: moved as little as it takes to lie
// within the screen's available area, its top-left corner kept in the area
// where the frame is larger than it.

#include <QRect>

namespace pellor {

QRect keptWithin(QRect frame, const QRect& area);

}  // namespace pellor
