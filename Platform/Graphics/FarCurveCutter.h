#pragma once
// Cuts down the curves of a device path whose control points reach far
// outside the pixels a drawing can touch, before the path is flattened: Cairo
// and our own stroker flatten a curve whole, into pieces as many as its
// reach asks for, so a curve through the view whose control points lie
// millions of pixels away cost milliseconds each. Each such curve is halved
// until its pieces either lie outside the box of what can show (the view
// grown by what the pen adds around the path), where a piece is replaced by
// its chord, which lies within the piece's control points and so outside the
// box too, or come within `nearDistance` of the view, where they are kept as
// curves. Inside the box the path covers what it did; only its length changes.
// For a dashed stroke, which lays its pattern along the length, the length is
// kept: a piece outside is replaced by its chord run forth, back and forth
// again over as much of it as the piece was longer (pieces halved further
// until they are at most three times their chord), measured where the
// dashes are laid out, so that every dash falls where it fell on the curve.
// Where lengths need not be kept, lines reaching far outside the box are then
// brought within `nearDistance` of it too (the chords of the pieces cut, and
// the path's own lines): clamped onto the border of the box grown by that
// distance, where a fill still winds around the box as it did and no pen the
// box was grown by reaches into it, so that every point lies within the
// range our rasteriser's fixed point holds.
// Stateless; GraphicsContext uses it on the path it is about to draw or clip
// to.

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Rect.h"

namespace platform::graphics {

class FarCurveCutter {
public:
    FarCurveCutter() = delete;

    // How far past the box a control point may lie before its curve is cut:
    // such a curve flattens into some hundred pieces at most.
    static constexpr double nearDistance = 4096;

    // `path` with its far curves cut down to `box` (device pixels), and its
    // far lines brought near, into `into`; false, and `into` untouched, when
    // nothing reaches that far.
    static bool cut(const Path& path, const Rect& box, Path& into);
    // The same keeping every piece's length as measured through `lengths`
    // (from device pixels to the space a dash pattern is laid out in).
    static bool cutKeepingLength(const Path& path, const Rect& box, const AffineTransform& lengths, Path& into);
};

}  // namespace platform::graphics
