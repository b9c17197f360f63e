#include "Pellor/Player/FrameWithinArea.h"

#include <algorithm>

namespace pellor {

QRect keptWithin(QRect frame, const QRect& area) {
    frame.moveLeft(std::clamp(frame.left(), area.left(), std::max(area.left(), area.right() - frame.width() + 1)));
    frame.moveTop(std::clamp(frame.top(), area.top(), std::max(area.top(), area.bottom() - frame.height() + 1)));
    return frame;
}

}  // namespace pellor
