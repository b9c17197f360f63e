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
    };

    // Laying down `pixels` with the blend mode. The other costs leave out the
    // pixels a drawing lays down, which its context adds through its blend
    // mode and mask (a gradient's and an image's pixels count twice: each is
    // computed before it is laid down).
    static double pixels(double pixels, BlendMode mode);
    static double fill(const Outline& outline);
    // A stroke: every segment and dash piece becomes an outline of its own, and
    // a round join or cap adds the pen's vertices at every one of them.
    static double stroke(const Outline& outline, double dashPieces, double penVertices);
    // A gradient's colour ramp.
    static double gradient(double stops);
    // Resampling an image of `sourcePixels`.
    static double image(double sourcePixels);
};

}  // namespace platform::graphics
