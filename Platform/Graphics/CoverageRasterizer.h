#pragma once
// Turns a device-space path into 8-bit coverage with exact-area antialiasing:
// the scan converter that GraphicsContext fills and strokes with wherever it
// draws what Cairo's would, at a fraction of the cost on flattened curves.
// FreeType's cell rasteriser makes the coverage; a stroke's outline is made
// first by our own stroker (PolylineStroker), in a space where the pen is a
// circle, and rendered as a fill. A path is first taken in (as a fill under a rule
// or as a stroke with a round-pen style), which tells where it can paint; its
// coverage is then written into a plane of the caller's over a device box.
//
// A stroke whose outline would hold more points than FreeType's outlines do,
// or walk farther across the plane's rows than drawing it costs, is cut
// after the parts that fit (strokeWasCut). Whatever else it cannot
// draw as Cairo does it refuses (the taking in or the rendering gives false)
// and the caller draws with Cairo: a fill of more points than FreeType's
// outlines hold, coordinates past the range its fixed
// point keeps exactly, a subpath of no length under round or square caps
// (Cairo draws a dot there), a pen too thin for the fixed point, a hostile
// outline whose edges would walk farther across the plane's rows than drawing
// the plane costs, and any failure FreeType reports.
//
// Past the deadline of the drawing under way (ProcessorDeadline::current),
// counted a unit per span, it gives no more spans: the coverage ends where
// the time ran out.
//
// Owned by one GraphicsContext, or by a drawing it hands over, and used on one
// thread at a time; each thread keeps its own FreeType library, which is not
// thread-safe.

#include <cstdint>
#include <memory>
#include <vector>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/FillRule.h"
#include "Platform/Graphics/LineCap.h"
#include "Platform/Graphics/LineJoin.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Rect.h"

namespace platform::graphics {

class CoverageRasterizer {
public:
    // The most points, and contours, one outline holds (FreeType counts them in 16 bits).
    static constexpr int maximumPoints = 32767;
    // The largest device coordinate taken in, in pixels: half of what
    // FreeType's scan converter takes in 26.6 fixed point.
    static constexpr double coordinateLimit = 1 << 17;
    // The largest device coordinate a fill takes in, in pixels. A fill
    // reaching past `coordinateLimit` reaches past every plane too (planes
    // lie within `maximumPoints` pixels), so it is always cut down to the
    // plane's box before the scan converter sees it; the cut works on the
    // fixed point in 64 bits. An inverted mask's plane, millions of pixels
    // wide, is filled here rather than by Cairo.
    static constexpr double fillCoordinateLimit = 1 << 24;
    // The thinnest pen, in pixels of radius, stroked here: thinner ones lose
    // too much of their width to the stroker's grid.
    static constexpr double thinnestPenRadius = 1.0 / 64;

    // A stroke's pen: a circle of `radius` units of the space it is made in.
    struct StrokeStyle {
        double radius = 0.5;
        LineCap cap = LineCap::butt;
        LineJoin join = LineJoin::miter;
        // Cairo's: a miter whose length passes `miterLimit` times the line
        // width becomes a bevel.
        double miterLimit = 10;
    };

    // A caller's 8-bit plane over the device pixels [left, left + width) x
    // [top, top + height); rows `stride` bytes apart, cleared beforehand.
    struct Plane {
        std::uint8_t* data = nullptr;
        int stride = 0;
        int left = 0, top = 0, width = 0, height = 0;
        // When given, one entry per row: the columns (from the plane's left)
        // that coverage was written between, [first, end); render widens
        // them, so the caller sets them to an empty range (width, 0) first.
        int* firstColumns = nullptr;
        int* endColumns = nullptr;
        // With the columns given, the plane may start uncleared: render then
        // clears the columns of each row it writes, between and around its
        // spans, and the caller clears whatever else it reads.
        bool uncleared = false;
    };

    CoverageRasterizer();
    ~CoverageRasterizer();
    // Lets go of the storage the calling thread keeps from one drawing to the
    // next (the stroker's buffers, a path's segments, the strips of tall
    // outlines); the thread's next drawing makes it again.
    static void releaseThreadStorage();
    CoverageRasterizer(const CoverageRasterizer&) = delete;
    CoverageRasterizer& operator=(const CoverageRasterizer&) = delete;

    // Takes in the area the path encloses under `rule`, open subpaths closed
    // as a fill closes them; false when it cannot be drawn here.
    bool takeFill(const Path& devicePath, FillRule rule);
    // Takes in the area a stroke of the path with `style` paints (no dashes),
    // its pen a circle in the space `penSpace` maps to the device: the path
    // is stroked there and the stroke's outline mapped back, as Cairo strokes
    // in user space. False when it cannot be drawn here.
    bool takeStroke(const Path& devicePath, const StrokeStyle& style, const AffineTransform& penSpace = {});
    // takeStroke in two steps, so that the stroking may run on another
    // thread: checkStroke takes the path in and refuses what takeStroke
    // would refuse before stroking (a limit passed, a subpath of no length
    // under round or square caps, a pen wider than a bend); strokeChecked
    // then strokes it, and fails only where the outline cannot be rendered (an
    // outline of too many points, no memory).
    bool checkStroke(const Path& devicePath, const StrokeStyle& style, const AffineTransform& penSpace = {});
    bool strokeChecked();
    // Whether the last stroke was cut: its outline would have held more
    // points than FreeType's outlines do (cut by strokeChecked after the
    // subpaths whose outline fits and the first half, quarter, ... of the
    // next that fits), or, readied for a plane (prepare, render), more
    // points than they do within the plane, or edges walking farther across
    // its rows than drawing it costs (cut before the contour that passes
    // either). What follows is left out; the caller says so.
    bool strokeWasCut() const;
    // After checkStroke: a device box that holds all the stroke can paint.
    Rect checkedStrokeReach() const;
    // The device box of what was taken in (curve control points included);
    // null when it paints nothing.
    Rect bounds() const;
    // Writes the coverage of what was taken in over the plane, which must lie
    // within [0, 32767) both ways; false, with the plane in any state, when
    // FreeType fails or the outline is too costly to scan over it.
    bool render(const Plane& plane) const;

    // A run of pixels of one coverage along a row of the device.
    struct Span {
        std::int32_t x = 0, y = 0, length = 0;
        std::uint8_t coverage = 0;
    };
    // The coverage as spans, over the device box [left, left + width) x
    // [top, top + height): prepare readies what was taken in for the box
    // (false where render would fail before scanning), then renderSpans
    // appends the spans within it, row by row from the top.
    bool prepare(int left, int top, int width, int height) const;
    // As prepare for the box, but renderSpans then gives only its rows
    // [firstRow, endRow): the spans the whole box has there, to the bit, so
    // that a box rendered band by band is the box rendered at once.
    bool prepareRows(int left, int top, int width, int height, int firstRow, int endRow) const;
    bool renderSpans(std::vector<Span>& spans) const;
    // The bytes its buffers hold for the next outline.
    std::size_t heldBytes() const;

private:
    struct Outline;
    std::unique_ptr<Outline> outline_;
};

}  // namespace platform::graphics
