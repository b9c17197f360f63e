#include "Platform/Graphics/BandedMaskPaint.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>
#include <vector>

#include "Platform/Graphics/CoverageWorkers.h"

namespace platform::graphics {

namespace {

// An image surface's pixels and how they lie, read by every band.
struct Pixels {
    unsigned char* data = nullptr;
    cairo_format_t format = CAIRO_FORMAT_INVALID;
    int width = 0, height = 0, stride = 0;
    double offsetX = 0, offsetY = 0;

    static bool of(cairo_surface_t* surface, Pixels& pixels) {
        if (surface == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
            cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE) {
            return false;
        }
        cairo_surface_flush(surface);
        pixels.data = cairo_image_surface_get_data(surface);
        pixels.format = cairo_image_surface_get_format(surface);
        pixels.width = cairo_image_surface_get_width(surface);
        pixels.height = cairo_image_surface_get_height(surface);
        pixels.stride = cairo_image_surface_get_stride(surface);
        cairo_surface_get_device_offset(surface, &pixels.offsetX, &pixels.offsetY);
        return pixels.data != nullptr && pixels.offsetX == std::round(pixels.offsetX) &&
               pixels.offsetY == std::round(pixels.offsetY);
    }

    // A surface of its own over rows [firstRow, endRow) of these pixels,
    // placed in device space where they lie.
    cairo_surface_t* rows(int firstRow, int endRow) const {
        cairo_surface_t* surface = cairo_image_surface_create_for_data(
            data + static_cast<std::ptrdiff_t>(firstRow) * stride, format, width, endRow - firstRow, stride);
        cairo_surface_set_device_offset(surface, offsetX, offsetY - firstRow);
        return surface;
    }
};

// What one paint lays down: the same in every band.
struct Paint {
    Pixels target, source, mask;
    cairo_matrix_t patternMatrix{};
    cairo_filter_t filter = CAIRO_FILTER_GOOD;
    cairo_extend_t extend = CAIRO_EXTEND_NONE;
    // The user space the source was set in, which it stays locked to.
    cairo_matrix_t userSpace{};
    cairo_operator_t op = CAIRO_OPERATOR_OVER;
};

// The paint over device rows [firstRow, endRow), on whichever thread runs it.
class Band final : public CoverageWorkers::Job {
public:
    const Paint* paint = nullptr;
    int firstRow = 0, endRow = 0;

    void draw() const {
        const Paint& p = *paint;
        // Device rows to each surface's own.
        const int targetFirst = firstRow + static_cast<int>(p.target.offsetY);
        const int maskFirst = firstRow + static_cast<int>(p.mask.offsetY);
        const int rows = endRow - firstRow;
        if (rows <= 0 || targetFirst < 0 || targetFirst + rows > p.target.height || maskFirst < 0 ||
            maskFirst + rows > p.mask.height) {
            return;
        }
        cairo_surface_t* target = p.target.rows(targetFirst, targetFirst + rows);
        cairo_surface_t* mask = p.mask.rows(maskFirst, maskFirst + rows);
        cairo_surface_t* source = p.source.rows(0, p.source.height);
        cairo_t* cairo = cairo_create(target);
        cairo_set_matrix(cairo, &p.userSpace);
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(source);
        cairo_pattern_set_matrix(pattern, &p.patternMatrix);
        cairo_pattern_set_filter(pattern, p.filter);
        cairo_pattern_set_extend(pattern, p.extend);
        cairo_set_source(cairo, pattern);
        cairo_identity_matrix(cairo);
        cairo_set_operator(cairo, p.op);
        cairo_mask_surface(cairo, mask, 0, 0);
        cairo_pattern_destroy(pattern);
        cairo_destroy(cairo);
        cairo_surface_destroy(source);
        cairo_surface_destroy(mask);
        cairo_surface_flush(target);
        cairo_surface_destroy(target);
    }

protected:
    void run() override { draw(); }
};

}  // namespace

bool BandedMaskPaint::paint(cairo_t* cairo, cairo_pattern_t* source, cairo_surface_t* mask, int left, int top,
                            int width, int height) {
    // Bands of at least this many pixels and rows: fewer would spend more
    // on their surfaces and on handing them over than they spare.
    constexpr long bandPixels = 1 << 15;
    constexpr int leastBandRows = 16;
    constexpr int mostBands = 8;
    const long pixels = static_cast<long>(width) * height;
    const int bands = static_cast<int>(
        std::clamp<long>(pixels / bandPixels, 1, std::max(1, std::min(mostBands, height / leastBandRows))));
    if (bands < 2) return false;
    cairo_surface_t* sourceSurface = nullptr;
    if (cairo_status(cairo) != CAIRO_STATUS_SUCCESS || cairo_pattern_get_type(source) != CAIRO_PATTERN_TYPE_SURFACE ||
        cairo_pattern_get_surface(source, &sourceSurface) != CAIRO_STATUS_SUCCESS) {
        return false;
    }
    Paint paint;
    cairo_surface_t* target = cairo_get_group_target(cairo);
    if (!Pixels::of(target, paint.target) || !Pixels::of(sourceSurface, paint.source) ||
        !Pixels::of(mask, paint.mask) || paint.mask.format != CAIRO_FORMAT_A8 || paint.mask.offsetX != -left ||
        paint.mask.offsetY != -top) {
        return false;
    }
    // A source drawn from the target itself would be read while other
    // bands write it.
    const auto bytes = [](const Pixels& p) {
        return std::pair(p.data, p.data + static_cast<std::ptrdiff_t>(p.stride) * p.height);
    };
    const auto [targetStart, targetEnd] = bytes(paint.target);
    const auto [sourceStart, sourceEnd] = bytes(paint.source);
    if (sourceStart < targetEnd && targetStart < sourceEnd) return false;
    cairo_pattern_get_matrix(source, &paint.patternMatrix);
    paint.filter = cairo_pattern_get_filter(source);
    paint.extend = cairo_pattern_get_extend(source);
    cairo_get_matrix(cairo, &paint.userSpace);
    paint.op = cairo_get_operator(cairo);
    // The target's rows the mask reaches, in device space.
    const int firstRow = std::max(top, static_cast<int>(-paint.target.offsetY));
    const int endRow = std::min(top + height, static_cast<int>(-paint.target.offsetY) + paint.target.height);
    if (firstRow >= endRow) return true;  // nothing of it lands on the target
    const int rows = (endRow - firstRow + bands - 1) / bands;
    std::vector<std::shared_ptr<Band>> jobs;
    jobs.reserve(static_cast<std::size_t>(bands));
    for (int first = firstRow; first < endRow; first += rows) {
        auto job = std::make_shared<Band>();
        job->paint = &paint;
        job->firstRow = first;
        job->endRow = std::min(endRow, first + rows);
        jobs.push_back(std::move(job));
    }
    CoverageWorkers& workers = CoverageWorkers::shared();
    for (std::size_t i = 1; i < jobs.size(); ++i) workers.submit(jobs[i]);
    jobs.front()->draw();
    for (std::size_t i = 1; i < jobs.size(); ++i) workers.finish(*jobs[i]);
    cairo_surface_mark_dirty_rectangle(target, left + static_cast<int>(paint.target.offsetX),
                                       firstRow + static_cast<int>(paint.target.offsetY), width, endRow - firstRow);
    return true;
}

}  // namespace platform::graphics
