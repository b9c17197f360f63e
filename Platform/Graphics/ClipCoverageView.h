#pragma once
// The coverage of a clip of paths over a box of device pixels, as a
// GraphicsContext keeps it while the clip stays, held by what multiplies a
// drawing's coverage by it: the context, or a drawing it handed to the
// CoverageWorkers, whose worker may read it while the context has moved on
// to another clip (the context then makes that clip's coverage anew).

#include <cstdint>
#include <memory>
#include <vector>

#include "Platform/Graphics/CoverageRasterizer.h"

namespace platform::graphics {

struct ClipCoverageView {
    std::shared_ptr<const std::vector<std::uint8_t>> coverage;
    // Its box: rows `width` bytes apart.
    int left = 0, top = 0, width = 0;

    // Multiplies the plane's rows [firstRow, endRow), which must lie within
    // the box, by the clip's coverage at the same pixels, as the pixel
    // library multiplies 8-bit values: over the columns each row holds
    // coverage in, when the plane says which.
    void multiplyRows(const CoverageRasterizer::Plane& plane, int firstRow, int endRow) const;
};

}  // namespace platform::graphics
