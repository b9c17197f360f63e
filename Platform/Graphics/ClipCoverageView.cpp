#include "Platform/Graphics/ClipCoverageView.h"

namespace platform::graphics {

void ClipCoverageView::multiplyRows(const CoverageRasterizer::Plane& plane, int firstRow, int endRow) const {
    for (int y = firstRow; y < endRow; ++y) {
        std::uint8_t* row = plane.data + static_cast<std::ptrdiff_t>(y) * plane.stride;
        const std::uint8_t* clipRow =
            coverage->data() + static_cast<std::size_t>(plane.top + y - top) * width + (plane.left - left);
        const int first = plane.firstColumns ? plane.firstColumns[y] : 0;
        const int end = plane.endColumns ? plane.endColumns[y] : plane.width;
        for (int x = first; x < end; ++x) {
            const int t = row[x] * clipRow[x] + 0x80;
            row[x] = static_cast<std::uint8_t>((t + (t >> 8)) >> 8);
        }
    }
}

}  // namespace platform::graphics
