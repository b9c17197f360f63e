// Offscreen groups of GraphicsContext (transparency layers, drawings laid down
// through a pixel mask). They work as Cairo's own groups do, but draw into
// buffers from the pixel buffer pool, so that a frame that opens the same
// groups as the last one allocates nothing.

#include <algorithm>
#include <cmath>
#include <vector>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/GraphicsContextState.h"
#include "Platform/Graphics/PixelBufferPool.h"

namespace platform::graphics {

namespace {

// Clips `to` as `from` is clipped where Cairo can say how (rectangles), and in
// any case to the device box given: a clip that is not made of rectangles
// still applies when the group is laid down. Gives the rectangles clipped to.
std::vector<Rect> copyClip(cairo_t* from, cairo_t* to, double x, double y, double width, double height) {
    cairo_matrix_t fromMatrix;
    cairo_get_matrix(from, &fromMatrix);
    cairo_identity_matrix(from);
    cairo_rectangle_list_t* rectangles = cairo_copy_clip_rectangle_list(from);
    cairo_set_matrix(from, &fromMatrix);
    cairo_new_path(to);
    std::vector<Rect> clipped;
    if (rectangles->status == CAIRO_STATUS_SUCCESS) {
        for (int i = 0; i < rectangles->num_rectangles; ++i) {
            const cairo_rectangle_t& r = rectangles->rectangles[i];
            cairo_rectangle(to, r.x, r.y, r.width, r.height);
            clipped.emplace_back(r.x, r.y, r.width, r.height);
        }
    } else {
        cairo_rectangle(to, x, y, width, height);
        clipped.emplace_back(x, y, width, height);
    }
    cairo_rectangle_list_destroy(rectangles);
    cairo_clip(to);
    return clipped;
}

}  // namespace

void GraphicsContext::pushGroup(std::optional<Rect> deviceBounds) {
    // What was handed over lands on the surface under the group first.
    flushPending();
    // The group covers the device pixels the clip lets through, within the box given.
    Rect extents = deviceClipExtents();
    if (deviceBounds) {
        extents = extents.intersection(*deviceBounds);
        if (extents.isNull()) extents = Rect::zero();
    }
    const double x0 = extents.minX(), y0 = extents.minY(), x1 = extents.maxX(), y1 = extents.maxY();
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    const int left = static_cast<int>(std::floor(std::max(x0, 0.0)));
    const int top = static_cast<int>(std::floor(std::max(y0, 0.0)));
    const int right = static_cast<int>(std::ceil(std::min(x1, static_cast<double>(width_))));
    const int bottom = static_cast<int>(std::ceil(std::min(y1, static_cast<double>(height_))));
    // An empty group still needs a surface to draw nothing into.
    const int groupWidth = std::max(1, right - left);
    const int groupHeight = std::max(1, bottom - top);
    cairo_surface_t* surface = PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_ARGB32, groupWidth, groupHeight);
    cairo_surface_set_device_offset(surface, -left, -top);
    cairo_t* group = cairo_create(surface);
    cairo_surface_destroy(surface);  // the group's context holds it
    groupClips_.push_back(copyClip(cairo_, group, left, top, groupWidth, groupHeight));
    cairo_set_matrix(group, &matrix);
    cairo_set_antialias(group, cairo_get_antialias(cairo_));
    // The group's context holds what Cairo was handed of the path: the rest
    // is handed to it when it needs it, and comes back with what it holds.
    if (pathElementCount_ > 0) {
        copyDevicePath(cairo_, group);
    }
    outerContexts_.push_back(cairo_);
    surfaces_.push_back(surface);
    cairo_ = group;
    ++contextChanges_;
}

cairo_pattern_t* GraphicsContext::popGroup() {
    flushPending();
    cairo_t* group = cairo_;
    cairo_ = outerContexts_.back();
    outerContexts_.pop_back();
    ++contextChanges_;
    groupClips_.pop_back();
    // A group that failed gives an error surface for a target; its own surface
    // holds what was drawn before the failure.
    cairo_surface_t* surface = cairo_surface_reference(surfaces_.back());
    surfaces_.pop_back();
    if (pathElementCount_ > 0) {
        copyDevicePath(group, cairo_);
    }
    // Pattern space is device space: the surface's device offset places it.
    cairo_pattern_t* pattern = cairo_pattern_create_for_surface(surface);
    cairo_destroy(group);
    cairo_surface_destroy(surface);
    return pattern;
}

}  // namespace platform::graphics
