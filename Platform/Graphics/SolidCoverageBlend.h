#pragma once
// Lays one colour down through coverage (a plane's rows, or spans) straight
// into an ARGB32 image surface, or its alpha into one of coverage alone (A8),
// with the "over" operator: what the pixel library does for a solid source
// through an 8-bit mask, to the same rounding, without the mask surface, the
// composite's set-up or the clearing of the columns a row does not cover.
// GraphicsContext uses it for solid fills and strokes drawn through the
// CoverageRasterizer, and its Target for the box any drawing it hands over
// can reach.
//
// A value made for one drawing by whoever draws it.

#include <cairo.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "Platform/Graphics/ClipCoverageView.h"
#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/Rect.h"

namespace platform::graphics {

class SolidCoverageBlend {
public:
    // For the solid `source` over the current target of `cairo`, which must
    // be an ARGB32 image surface, or one of coverage alone (A8, which takes
    // the colour's alpha), drawn with the "over" operator. The pixels
    // laid down are those of the device box [left, right) x [top, bottom)
    // within the target: when `withoutClip` the coverage holds the clip and
    // only the target's edges cut it; otherwise Cairo's clip must be one
    // rectangle of whole device pixels. None in any other case.
    // The image surface `cairo` draws into now and the device box
    // [left, right) x [top, bottom) of it that a drawing can reach: the
    // target's pixels, cut by Cairo's clip unless `withoutClip`, which must
    // then be one rectangle of whole pixels; none otherwise. Device pixel
    // (x, y) is the surface's pixel (x + offsetX, y + offsetY).
    struct Target {
        cairo_surface_t* surface = nullptr;
        int offsetX = 0, offsetY = 0;
        int left = 0, top = 0, right = 0, bottom = 0;

        // Lets Cairo finish what it drew into the surface, and gives its
        // pixels (null where it has none) and the bytes between their rows.
        std::uint8_t* pixels(int& stride) const;
        // Tells Cairo that pixels of the device box [left, right) x [top,
        // bottom), as far as they lie within the target's, changed.
        void markDirty(int left, int top, int right, int bottom) const;
    };
    static std::optional<Target> target(cairo_t* cairo, bool withoutClip,
                                        const std::vector<Rect>* clipRectangles = nullptr);

    // `clipRectangles`, when given, are Cairo's clip as its rectangles,
    // which the caller has at hand already.
    static std::optional<SolidCoverageBlend> make(cairo_t* cairo, cairo_pattern_t* source, bool withoutClip,
                                                  const std::vector<Rect>* clipRectangles = nullptr);

    // Lays the colour down through the plane's rows [firstRow, endRow) over
    // the columns each row holds coverage in (the plane must give them).
    void blendRows(const CoverageRasterizer::Plane& plane, int firstRow, int endRow) const;
    // Tells Cairo that the pixels under the plane changed; after every row
    // is laid down.
    void markDirty(const CoverageRasterizer::Plane& plane) const;
    // The same for coverage given as spans, each multiplied by the clip's
    // coverage at its pixels when a clip is given (its box must hold them).
    void blendSpans(const std::vector<CoverageRasterizer::Span>& spans, const ClipCoverageView* clip) const;
    // Tells Cairo that pixels of the device box [left, right) x [top, bottom) changed.
    void markDirty(int left, int top, int right, int bottom) const;

    // The premultiplied pixel of a colour of Cairo's, as Cairo lays it
    // down: each premultiplied channel kept in 16 bits, its upper 8 used.
    static std::uint32_t premultipliedPixel(double red, double green, double blue, double alpha);
    // One pixel under `source` through `coverage` with "over", rounded as
    // the pixel library rounds.
    static std::uint32_t over(std::uint32_t source, std::uint8_t coverage, std::uint32_t destination);

private:
    SolidCoverageBlend() = default;

    Target target_;
    std::uint8_t* data_ = nullptr;
    int stride_ = 0;
    std::uint32_t pixel_ = 0;
    // The target keeps coverage alone (A8): only the colour's alpha is laid down.
    bool coverageOnly_ = false;

    // Lays the alpha down over the device pixels [from, to) of row `y` of a
    // coverage-only target, through `levels` (indexed by device column)
    // scaled by `scale`, or through `scale` alone when there are none.
    void blendCoverageOnly(int y, int from, int to, const std::uint8_t* levels, std::uint32_t scale) const;
};

}  // namespace platform::graphics
