#pragma once
// Rough estimates of what a drawing costs the rasteriser, in the units of
// WorkBudget, from what is cheap to know before drawing: the device pixels it
// can touch (its box within the clip), the path's segments and the scanlines
// its edges cross, the pieces a dash pattern cuts, the vertices of a round pen,
// the stops of a gradient, the source pixels an image is resampled from, and
// the blend mode the pixels are laid down with. The figures were measured on
// the rasteriser this library draws with; they only have to rank hostile work
// far above ordinary work. Stateless.

#include "Platform/Graphics/BlendMode.h"

namespace platform::graphics {

class DrawingCost {
public:
    DrawingCost() = delete;

    // What a path costs before any pixel is laid down.
    struct Outline {
        double segments = 0;
        // The scanlines its edges cross, summed over the edges.
        double edgeRows = 0;
        // The columns its edges walk across within the scanlines they cross,
        // summed over the edges: the scan converter visits a cell for each,
        // so that an edge lying nearly along a row costs by its length. An
        // edge exactly along a row visits none.
        double edgeColumns = 0;
    };

    // Laying down `pixels` with the blend mode. The other costs leave out the
    // pixels a drawing lays down, which its context adds through its blend
    // mode and mask (a gradient's and an image's pixels count twice: each is
    // computed before it is laid down).
    static double pixels(double pixels, BlendMode mode);
    static double fill(const Outline& outline);
    // A stroke: every segment and dash piece becomes an outline of its own; a
    // round join or cap adds `segmentPenVertices` at every segment, and a
    // round cap `piecePenVertices` at every dash piece.
    static double stroke(const Outline& outline, double dashPieces, double segmentPenVertices,
                         double piecePenVertices);
    // A gradient's colour ramp, and shading `pixels` with it: each pixel
    // finds its place among the stops, which takes longer the more of them
    // there are between one pixel and the next.
    static double gradient(double stops, double pixels);
    // Resampling an image of `sourcePixels`.
    static double image(double sourcePixels);
};

}  // namespace platform::graphics
