#pragma once
// A colour with one value for the light and one for the dark appearance, as
// the product name is drawn in the welcome and about windows. A plain value.

#include <QColor>

#include "Pellor/Styles/ColorScheme.h"

namespace pellor {

struct DynamicColorStyle {
    QColor light;
    QColor dark;

    QColor resolve(ColorScheme scheme) const { return scheme == ColorScheme::dark ? dark : light; }
};

}  // namespace pellor
