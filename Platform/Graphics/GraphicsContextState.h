#pragma once
// The saved drawing state of a GraphicsContext and the pixel masks its clips may
// carry. Only GraphicsContext's own sources, and those of the drawings it hands
// over (PendingCoverageDrawing), include this.

#include <cairo.h>

#include <memory>
#include <span>
#include <vector>

#include "Platform/Graphics/ConvexOutline.h"
#include "Platform/Graphics/GraphicsContext.h"

namespace platform::graphics {

// A device-sized coverage plane (Cairo A8) that multiplies everything drawn,
// made by clipping to a stroke or to a mask image; shared between saved states.
struct GraphicsContext::PixelMask {
    explicit PixelMask(cairo_surface_t* surfaceValue) : surface(surfaceValue) {}
    ~PixelMask() { cairo_surface_destroy(surface); }
    PixelMask(const PixelMask&) = delete;
    PixelMask& operator=(const PixelMask&) = delete;

    cairo_surface_t* surface;
    // Where the mask may be non-zero, in device space.
    Rect deviceBounds;
};

// A clip made by Cairo's own clipping, its path in device space, kept so that a
// context made anew after a failure can be clipped as the failed one was (see
// recoverFromFailure). Each state holds the clips made in it in front of those
// of the state it was saved from, which it shares.
struct GraphicsContext::DeviceClip {
    DeviceClip(std::shared_ptr<const DeviceClip> previousValue, cairo_path_t* pathValue, Path exactPathValue,
               cairo_fill_rule_t ruleValue, cairo_antialias_t antialiasValue)
        : previous(std::move(previousValue)),
          path(pathValue),
          exactPath(std::move(exactPathValue)),
          rule(ruleValue),
          antialias(antialiasValue),
          convex(ConvexOutline::of(exactPath)) {}
    ~DeviceClip() { cairo_path_destroy(path); }
    DeviceClip(const DeviceClip&) = delete;
    DeviceClip& operator=(const DeviceClip&) = delete;

    std::shared_ptr<const DeviceClip> previous;
    cairo_path_t* path;
    // The same path before Cairo rounded it to its fixed point, for the
    // coverage rasteriser, whose own rounding must meet the same points a
    // fill of the path meets; empty when the clip only has Cairo's.
    Path exactPath;
    cairo_fill_rule_t rule;
    cairo_antialias_t antialias;
    // The exact path as a convex polygon, when it is one: a box it holds
    // needs none of the clip's coverage.
    std::optional<ConvexOutline> convex;
};

// What restoring a saved state puts back into Cairo's context when Cairo's
// own state was not saved with it: the matrix, and a source set since let go
// of. Only compared, the source is not kept alive.
struct GraphicsContext::CairoSettings {
    CairoSettings() = default;
    explicit CairoSettings(cairo_t* cairo);
    void applyTo(cairo_t* cairo) const;

    cairo_matrix_t matrix{1, 0, 0, 1, 0, 0};
    const cairo_pattern_t* source = nullptr;
};

struct GraphicsContext::State {
    Color fillColor = Color::black();
    Color strokeColor = Color::black();
    double alpha = 1;
    bool alphaAsLayer = false;
    BlendMode blendMode = BlendMode::normal;
    // The user-to-device transform; Cairo's matrix follows it while it is invertible.
    AffineTransform transform;
    bool degenerate = false;
    bool clipIsEmpty = false;
    std::shared_ptr<PixelMask> mask;
    // The path clips made in this state and those it was saved from, latest
    // first; within a transparency layer, only those made inside it.
    std::shared_ptr<const DeviceClip> clips;
    double lineWidth = 1;
    double miterLimit = 10;
    LineCap lineCap = LineCap::butt;
    LineJoin lineJoin = LineJoin::miter;
    double dashPhase = 0;
    std::vector<double> dashLengths;
    bool shouldAntialias = true;
    bool allowsAntialiasing = true;
    // What Cairo's context held when this state was saved (see saveGState).
    CairoSettings cairoAtSave;
    // A state saved by saveGState has Cairo's own state saved only once a
    // clip is made in it (cairoSaveDeferred until then, cairoSaved after).
    bool cairoSaveDeferred = false;
    bool cairoSaved = false;
};

inline GraphicsContext::State& GraphicsContext::state() { return states_.back(); }
inline const GraphicsContext::State& GraphicsContext::state() const { return states_.back(); }

inline cairo_matrix_t toCairoMatrix(const AffineTransform& t) {
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, t.a, t.b, t.c, t.d, t.tx, t.ty);
    return matrix;
}

// The pixels of an ARGB image surface as an image, shared, not copied: the
// image holds a reference to the surface, which must not be drawn on again.
std::shared_ptr<const Image> imageSharing(cairo_surface_t* surface);

cairo_operator_t cairoOperator(BlendMode mode);
cairo_line_cap_t cairoLineCap(LineCap cap);
cairo_line_join_t cairoLineJoin(LineJoin join);

// Replaces the current path of `cairo` with a clip's path, read in its user space.
void appendClipPath(cairo_t* cairo, const DeviceClipShape::PathClip& path);

// Adds the elements to the current path of `cairo`, in its user space; a
// quadratic as the cubic of the same shape.
void appendPathElements(cairo_t* cairo, std::span<const PathElement> elements);

// Copies the current path of one Cairo context to another, in device space,
// where both agree and where the path was built.
inline void copyDevicePath(cairo_t* from, cairo_t* to) {
    cairo_matrix_t fromMatrix, toMatrix;
    cairo_get_matrix(from, &fromMatrix);
    cairo_get_matrix(to, &toMatrix);
    cairo_identity_matrix(from);
    cairo_path_t* path = cairo_copy_path(from);
    cairo_set_matrix(from, &fromMatrix);
    cairo_identity_matrix(to);
    cairo_new_path(to);
    cairo_append_path(to, path);
    cairo_set_matrix(to, &toMatrix);
    cairo_path_destroy(path);
}

// Runs `body` on an empty current path and puts the caller's path back afterwards,
// for operations the platform performs without touching the current path.
template <typename Body>
void GraphicsContext::preservingPath(Body&& body) {
    syncCairoPath();
    const std::size_t count = pathElementCount_;
    const std::size_t handed = cairoPathElements_;
    const bool stroked = pathIsStroked_;
    const PathExtent extent = pathExtent_;
    Path devicePath = std::move(devicePath_);
    cairo_path_t* saved = nullptr;
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    if (count > 0) {
        // Copied in device space, where it was built, so the round trip is exact.
        cairo_identity_matrix(cairo_);
        saved = cairo_copy_path(cairo_);
        cairo_set_matrix(cairo_, &matrix);
    }
    cairo_new_path(cairo_);
    cairoPathElements_ = 0;
    pathElementCount_ = 0;
    pathIsStroked_ = false;
    pathExtent_ = {};
    devicePath_ = Path();
    body();
    cairo_new_path(cairo_);
    if (saved != nullptr) {
        cairo_identity_matrix(cairo_);
        cairo_append_path(cairo_, saved);
        cairo_set_matrix(cairo_, &matrix);
        cairo_path_destroy(saved);
    }
    pathElementCount_ = count;
    cairoPathElements_ = handed;
    pathIsStroked_ = stroked;
    pathExtent_ = extent;
    devicePath_ = std::move(devicePath);
}

}  // namespace platform::graphics
