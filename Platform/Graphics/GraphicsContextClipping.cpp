// Clipping operations of GraphicsContext. Path and rectangle clips are Cairo's
// own; clips to a stroke and to a mask image become a device-sized pixel mask
// that every later drawing is laid down through.

#include <algorithm>
#include <cmath>

#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/GraphicsContextState.h"
#include "Platform/Graphics/PixelBufferPool.h"
#include "Platform/Graphics/WorkBudget.h"

namespace platform::graphics {

void GraphicsContext::clipToNothing() {
    state().clipIsEmpty = true;
    preservingPath([&] {
        cairo_rectangle(cairo_, 0, 0, 0, 0);
        clipToDevicePath(CAIRO_FILL_RULE_WINDING);
    });
}

void GraphicsContext::clipToDevicePath(int rule) {
    syncCairoPath();
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    cairo_identity_matrix(cairo_);
    cairo_path_t* path = cairo_copy_path(cairo_);
    cairo_set_matrix(cairo_, &matrix);
    const auto fillRule = static_cast<cairo_fill_rule_t>(rule);
    State& s = state();
    s.clips = std::make_shared<const DeviceClip>(std::move(s.clips), path, devicePath_, fillRule,
                                                 cairo_get_antialias(cairo_));
    saveCairoBeforeClipping();
    cairo_set_fill_rule(cairo_, fillRule);
    cairo_clip(cairo_);
}

void GraphicsContext::clip(FillRule rule) {
    if (!state().degenerate) cutFarCurves(pathIsStroked_);
    if (pathIsStroked_) {
        clipToStrokeOfCurrentPath();
        return;
    }
    // A path of thousands of crowded edges costs as much to clip to as to
    // fill; one the frame's budget refuses lets nothing through, as a clip to
    // a stroke does.
    if (state().degenerate || isPathEmpty() || !WorkBudget::takeActive([&] { return clipCost(); })) {
        // Clipping to nothing leaves nothing to draw, as on the platform.
        consumePath();
        clipToNothing();
        return;
    }
    applyAntialias();
    clipToDevicePath(rule == FillRule::evenOdd ? CAIRO_FILL_RULE_EVEN_ODD : CAIRO_FILL_RULE_WINDING);
    consumePath();
}

void GraphicsContext::clipToRect(const Rect& rect) {
    if (rect.isNull() || state().degenerate) {
        clipToNothing();
        return;
    }
    preservingPath([&] {
        addRect(rect);
        applyAntialias();
        clipToDevicePath(CAIRO_FILL_RULE_WINDING);
    });
}

std::shared_ptr<GraphicsContext::PixelMask> GraphicsContext::newMask(cairo_t** drawing) const {
    if (width_ <= 0 || height_ <= 0) {
        return nullptr;
    }
    // Only the device pixels the clip lets through can be drawn through the
    // mask: it covers those, placed by its device offset, and lets nothing
    // through elsewhere.
    const Rect box = deviceClipBox();
    int left = 0, top = 0, right = 1, bottom = 1;
    if (!box.isNull() && !box.isEmpty()) {
        left = static_cast<int>(std::floor(std::max(box.minX(), 0.0)));
        top = static_cast<int>(std::floor(std::max(box.minY(), 0.0)));
        right = std::max(left + 1, static_cast<int>(std::ceil(std::min(box.maxX(), static_cast<double>(width_)))));
        bottom = std::max(top + 1, static_cast<int>(std::ceil(std::min(box.maxY(), static_cast<double>(height_)))));
    }
    cairo_surface_t* surface = PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_A8, right - left, bottom - top);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_set_device_offset(surface, -left, -top);
    auto mask = std::make_shared<PixelMask>(surface);
    *drawing = cairo_create(surface);
    const cairo_matrix_t matrix = toCairoMatrix(state().transform);
    cairo_set_matrix(*drawing, &matrix);
    const State& s = state();
    cairo_set_antialias(*drawing, s.shouldAntialias && s.allowsAntialiasing ? CAIRO_ANTIALIAS_DEFAULT
                                                                            : CAIRO_ANTIALIAS_NONE);
    return mask;
}

void GraphicsContext::intersectMask(const std::shared_ptr<PixelMask>& mask) {
    State& s = state();
    if (s.mask) {
        cairo_t* combine = cairo_create(mask->surface);
        cairo_set_operator(combine, CAIRO_OPERATOR_DEST_IN);
        cairo_set_source_surface(combine, s.mask->surface, 0, 0);
        cairo_paint(combine);
        cairo_destroy(combine);
        mask->deviceBounds = mask->deviceBounds.intersection(s.mask->deviceBounds);
    }
    cairo_surface_mark_dirty(mask->surface);
    s.mask = mask;
}

void GraphicsContext::clipToStrokeOfCurrentPath() {
    // A stroke drawn into a mask costs what stroking costs; one the frame's
    // budget refuses lets nothing through, as it would paint nothing.
    if (state().degenerate || isPathEmpty() || !WorkBudget::takeActive([&] { return strokeCost(); })) {
        consumePath();
        clipToNothing();
        return;
    }
    cairo_t* drawing = nullptr;
    std::shared_ptr<PixelMask> mask = newMask(&drawing);
    if (!mask) {
        consumePath();
        clipToNothing();
        return;
    }
    // The stroke is rasterised as strokePath would draw it, so that a clip
    // to a stroke and the stroke drawn (into a mask's buffer) are one shape.
    // Left empty (the clip shows nothing) when Cairo's stroke does not fit
    // in the frame's budget.
    if (!rasterizeStrokeInto(mask.get()) && takeCairoStroke()) {
        // The path was built in device space; hand it over as it is.
        syncCairoPath();
        copyDevicePath(cairo_, drawing);
        applyStrokeStyle(drawing);
        double x0, y0, x1, y1;
        cairo_stroke_extents(drawing, &x0, &y0, &x1, &y1);
        mask->deviceBounds = Rect(x0, y0, x1 - x0, y1 - y0).applying(state().transform);
        cairo_set_source_rgba(drawing, 0, 0, 0, 1);
        cairo_stroke(drawing);
    }
    cairo_destroy(drawing);
    intersectMask(mask);
    consumePath();
}

void GraphicsContext::clipToMask(const Rect& rect, const Image& image) {
    if (rect.isEmpty() || state().degenerate) {
        clipToNothing();
        return;
    }
    cairo_t* drawing = nullptr;
    std::shared_ptr<PixelMask> mask = newMask(&drawing);
    if (!mask) {
        clipToNothing();
        return;
    }
    // A grey image's bytes are its coverage; Cairo reads them as an alpha plane.
    const bool grey = image.format() == Image::Format::grey8;
    cairo_surface_t* source = cairo_image_surface_create_for_data(
        const_cast<std::uint8_t*>(image.pixels().data()), grey ? CAIRO_FORMAT_A8 : CAIRO_FORMAT_ARGB32,
        image.width(), image.height(), image.bytesPerRow());
    const Rect r = rect.standardized();
    cairo_rectangle(drawing, r.minX(), r.minY(), r.width(), r.height());
    cairo_clip(drawing);
    setResampledSource(drawing, source, image, r);
    cairo_paint(drawing);
    cairo_destroy(drawing);
    cairo_surface_destroy(source);
    mask->deviceBounds = r.applying(state().transform);
    intersectMask(mask);
}

void GraphicsContext::clipToAlphaOf(std::unique_ptr<GraphicsContext> mask, int x, int y) {
    if (!mask || mask->grey_ || state().degenerate) {
        clipToNothing();
        return;
    }
    // The target keeps what was drawn before any failure of the mask's own
    // context; closing the mask's open layers lays them down first.
    cairo_surface_t* target = cairo_surface_reference(mask->surfaces_.front());
    const Rect bounds(x, y, mask->width_, mask->height_);
    mask.reset();
    cairo_surface_flush(target);
    std::shared_ptr<PixelMask> pixels;
    if (cairo_surface_get_type(target) == CAIRO_SURFACE_TYPE_IMAGE &&
        cairo_image_surface_get_format(target) == CAIRO_FORMAT_A8) {
        // Only the mask reads these pixels from now on: they are the clip's.
        cairo_surface_set_device_offset(target, -x, -y);
        pixels = std::make_shared<PixelMask>(target);
    } else {
        cairo_t* drawing = nullptr;
        pixels = newMask(&drawing);
        if (pixels) {
            cairo_identity_matrix(drawing);
            cairo_set_source_surface(drawing, target, x, y);
            cairo_paint(drawing);
            cairo_destroy(drawing);
        }
        cairo_surface_destroy(target);
        if (!pixels) {
            clipToNothing();
            return;
        }
    }
    pixels->deviceBounds = bounds;
    intersectMask(pixels);
}

std::optional<std::vector<Rect>> GraphicsContext::deviceClipRectangles() const {
    const State& s = state();
    if (s.degenerate || s.mask) {
        return std::nullopt;
    }
    if (s.clipIsEmpty) {
        return std::vector<Rect>{};
    }
    // Cairo's clip on a context is the one it began with and the paths
    // clipped to since, each a link of the state's chain: asked once for
    // each chain.
    if (clipRectangles_.holdsFor(contextChanges_, s.clips)) {
        return clipRectangles_.answer;
    }
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    cairo_identity_matrix(cairo_);
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cairo_);
    cairo_set_matrix(cairo_, &matrix);
    std::optional<std::vector<Rect>> rectangles;
    if (list->status == CAIRO_STATUS_SUCCESS) {
        rectangles.emplace();
        for (int i = 0; i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            rectangles->emplace_back(r.x, r.y, r.width, r.height);
        }
    }
    cairo_rectangle_list_destroy(list);
    clipRectangles_ = {true, contextChanges_, s.clips, rectangles};
    return rectangles;
}

void appendClipPath(cairo_t* cairo, const DeviceClipShape::PathClip& path) {
    cairo_new_path(cairo);
    const std::vector<double>& e = path.elements;
    for (std::size_t index = 0; index < e.size();) {
        const auto kind = static_cast<cairo_path_data_type_t>(e[index++]);
        if (kind == CAIRO_PATH_MOVE_TO && index + 2 <= e.size()) {
            cairo_move_to(cairo, e[index], e[index + 1]);
            index += 2;
        } else if (kind == CAIRO_PATH_LINE_TO && index + 2 <= e.size()) {
            cairo_line_to(cairo, e[index], e[index + 1]);
            index += 2;
        } else if (kind == CAIRO_PATH_CURVE_TO && index + 6 <= e.size()) {
            cairo_curve_to(cairo, e[index], e[index + 1], e[index + 2], e[index + 3], e[index + 4], e[index + 5]);
            index += 6;
        } else if (kind == CAIRO_PATH_CLOSE_PATH) {
            cairo_close_path(cairo);
        } else {
            break;
        }
    }
}

std::optional<DeviceClipShape> GraphicsContext::deviceClipShape() const {
    const State& s = state();
    if (s.degenerate || s.mask) {
        return std::nullopt;
    }
    DeviceClipShape shape;
    if (s.clipIsEmpty) {
        return shape;
    }
    if (std::optional<std::vector<Rect>> rectangles = deviceClipRectangles()) {
        shape.rectangles = std::move(*rectangles);
        return shape;
    }
    // The surface's own rectangles, then the paths clipped to on it: within a
    // transparency layer its states hold only the clips made inside it.
    shape.rectangles = groupClips_.empty() ? std::vector<Rect>{Rect(0, 0, width_, height_)} : groupClips_.back();
    for (const DeviceClip* clip = s.clips.get(); clip != nullptr; clip = clip->previous.get()) {
        DeviceClipShape::PathClip path;
        path.rule = clip->rule;
        path.antialias = clip->antialias;
        const cairo_path_t* data = clip->path;
        // Each element's kind and two coordinates for each of its points, in as many places as it has.
        path.elements.reserve(static_cast<std::size_t>(std::max(0, data->num_data)) * 2);
        for (int index = 0; index < data->num_data; index += data->data[index].header.length) {
            const cairo_path_data_t& header = data->data[index];
            path.elements.push_back(header.header.type);
            for (int point = 1; point < header.header.length; ++point) {
                path.elements.push_back(data->data[index + point].point.x);
                path.elements.push_back(data->data[index + point].point.y);
            }
        }
        shape.paths.push_back(std::move(path));
    }
    std::reverse(shape.paths.begin(), shape.paths.end());
    return shape;
}

void GraphicsContext::clipToDeviceClipShape(const DeviceClipShape& shape) {
    if (shape.rectangles.empty() || state().degenerate) {
        clipToNothing();
        return;
    }
    preservingPath([&] {
        for (const Rect& rect : shape.rectangles) addRect(rect);
        applyAntialias();
        clipToDevicePath(CAIRO_FILL_RULE_WINDING);
        for (const DeviceClipShape::PathClip& path : shape.paths) {
            // Cairo's own points, taken from another context: the clip keeps only those.
            devicePath_ = Path();
            appendClipPath(cairo_, path);
            cairo_set_antialias(cairo_, static_cast<cairo_antialias_t>(path.antialias));
            clipToDevicePath(path.rule);
        }
        applyAntialias();
    });
}

Rect GraphicsContext::clipBoundingBox() const {
    const State& s = state();
    if (s.degenerate || s.clipIsEmpty) {
        return Rect::null();
    }
    double x0, y0, x1, y1;
    cairo_clip_extents(cairo_, &x0, &y0, &x1, &y1);
    Rect box(x0, y0, x1 - x0, y1 - y0);
    if (s.mask) {
        const auto inverse = s.transform.inverted();
        if (inverse) {
            box = box.intersection(s.mask->deviceBounds.applying(*inverse));
        }
    }
    return box;
}

Rect GraphicsContext::deviceClipBoundingBox() const {
    if (state().degenerate) return Rect::null();
    return deviceClipBox();
}

}  // namespace platform::graphics
