#include "Platform/Graphics/ClipCoverageView.h"

#include "Platform/Graphics/PixelArithmetic.h"

namespace platform::graphics {

void ClipCoverageView::multiplyRows(const CoverageRasterizer::Plane& plane, int firstRow, int endRow) const {
    for (int y = firstRow; y < endRow; ++y) {
        std::uint8_t* row = plane.data + static_cast<std::ptrdiff_t>(y) * plane.stride;
        const std::uint8_t* clipRow =
            coverage->data() + static_cast<std::size_t>(plane.top + y - top) * width + (plane.left - left);
        const int first = plane.firstColumns ? plane.firstColumns[y] : 0;
        const int end = plane.endColumns ? plane.endColumns[y] : plane.width;
        if (end > first) PixelArithmetic::multiplyEach(row + first, clipRow + first, end - first);
    }
}

}  // namespace platform::graphics
