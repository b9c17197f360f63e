#pragma once
// Lays a source through a coverage mask in bands of rows, the bands on the
// CoverageWorkers and the calling thread side by side. Resampling a turned
// or skewed image takes the pixel library's general path, several times
// the cost of anything else a frame draws; each band is an image surface
// of its own over the target's rows, so the bands share nothing but memory
// they only read. Each pixel comes out as one call would make it, but that
// the pixel library places the source in fixed point relative to the region
// it lays down: a band may sample a few pixels a level or two apart.
// Used by GraphicsContext, which owns the target, the source and the mask.

#include <cairo.h>

namespace platform::graphics {

class BandedMaskPaint {
public:
    BandedMaskPaint() = delete;

    // As cairo_mask_surface(cairo, mask, 0, 0) after cairo_set_source(cairo,
    // source), cairo_reset_clip and cairo_identity_matrix: `mask` an A8
    // surface over the device box (left, top, width, height), its device
    // offset (-left, -top). False, having drawn nothing, where the mask is
    // too small to repay bands, or the target, the source or the mask is
    // not an image surface of whole-pixel offsets; the caller draws it then.
    static bool paint(cairo_t* cairo, cairo_pattern_t* source, cairo_surface_t* mask, int left, int top, int width,
                      int height);
};

}  // namespace platform::graphics
