#include "Pellor/Styles/ButtonStyle.h"

namespace pellor {

ButtonMetrics sizedButtonMetrics(ButtonSize size, std::optional<double> minWidth) {
    ButtonMetrics metrics;
    // The small size uses a callout-sized font and the large one a third-level
    // title; the medium size keeps whatever font surrounds it.
    switch (size) {
    case ButtonSize::small:
        metrics.fontScale = 0.9;
        metrics.padding = QMarginsF(8, 4, 8, 4);
        break;
    case ButtonSize::medium:
        metrics.padding = QMarginsF(14, 10, 14, 10);
        break;
    case ButtonSize::large:
        metrics.fontScale = 1.25;
        metrics.padding = QMarginsF(18, 12, 18, 12);
        break;
    }
    metrics.minWidth = minWidth;
    // Every size is at least 35 high; no caller has asked for a taller minimum.
    metrics.minHeight = 35;
    return metrics;
}

}  // namespace pellor
