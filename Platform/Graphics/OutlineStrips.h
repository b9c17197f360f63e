#pragma once
// Renders a tall outline through FreeType's scan converter a strip of rows at
// a time, each strip given only the pieces of the outline that reach its
// rows. The scan converter keeps few cells at once and so works a few rows
// at a time, walking the whole outline again for every band of them; a
// stroke's outline of thousands of points over hundreds of rows would be
// walked a hundred times. The pieces a strip leaves out lie above or below
// it, and the line that stands for each run of them does too, so every row
// gets the same spans. A strip that a piece crowds (one running a long way
// from left to right within a row or two, which the scan converter pays for
// by the square of its length) is rendered in columns, each of which gets
// the same spans as well. Past the deadline of the drawing under way
// (ProcessorDeadline) no further strip is rendered. CoverageRasterizer owns
// the calls; each thread keeps its own strips.

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_IMAGE_H

namespace platform::graphics {

class OutlineStrips {
public:
    OutlineStrips() = delete;

    // Rows a strip holds.
    static constexpr int stripRows = 32;

    // FT_Outline_Render with `params` (which must clip, to `params.clip_box`),
    // in strips where the outline is tall enough and has points enough for
    // them to pay, and in columns over the rows it crowds; in one call
    // otherwise, or for what strips do not take (conic arcs, a contour that
    // starts off its curve). FreeType's result.
    static FT_Error render(FT_Library library, const FT_Outline& outline, const FT_Raster_Params& params);
    // Lets go of the strips the calling thread keeps from one outline to the next.
    static void releaseThreadStorage();
};

}  // namespace platform::graphics
