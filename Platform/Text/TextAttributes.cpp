#include "Platform/Text/TextAttributes.h"

#include <cmath>

namespace platform::text {

double TextAttributes::strokeLineWidth() const {
    if (!std::isfinite(strokeWidth)) {
        return 0;
    }
    const double fontSize = font ? font->size() : Font::defaultSize;
    return std::abs(strokeWidth) / 100 * fontSize;
}

}  // namespace platform::text
