#include "Platform/Graphics/PendingCoverageDrawing.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>

#include "Platform/Graphics/BoxCoverage.h"
#include "Platform/Graphics/GraphicsContextState.h"
#include "Platform/Graphics/PixelArithmetic.h"
#include "Platform/Graphics/PixelBufferPool.h"
#include "Platform/Graphics/ProcessorDeadline.h"
#include "Platform/Graphics/WorkBudget.h"

namespace platform::graphics {

namespace {

// Buffers of a gradient's covered pixels, let go by drawings that ended,
// kept for the next: a context made for each frame would otherwise have
// the system map and clear them afresh every frame. At most two million
// pixels (eight megabytes) wait here, in buffers of a million bytes at most.
constexpr std::size_t keptCoveredPixels = 1 << 18;
constexpr std::size_t mostPooledPixels = 1 << 21;

struct CoveredPool {
    std::mutex mutex;
    std::vector<std::vector<std::uint32_t>> buffers;
    std::size_t pixels = 0;
};

// Never destroyed: a worker may let go of the last reference to a drawing,
// and give its buffer back, while the process ends and destroys its statics.
CoveredPool& coveredPool() {
    static auto* const pool = new CoveredPool();
    return *pool;
}

std::vector<std::uint32_t> takeCoveredBuffer() {
    CoveredPool& pool = coveredPool();
    std::lock_guard lock(pool.mutex);
    if (pool.buffers.empty()) return {};
    std::vector<std::uint32_t> buffer = std::move(pool.buffers.back());
    pool.buffers.pop_back();
    pool.pixels -= buffer.capacity();
    return buffer;
}

void giveCoveredBuffer(std::vector<std::uint32_t>& buffer) {
    const std::size_t pixels = buffer.capacity();
    if (pixels == 0 || pixels > keptCoveredPixels) return;
    CoveredPool& pool = coveredPool();
    std::lock_guard lock(pool.mutex);
    if (pool.pixels + pixels > mostPooledPixels) return;
    buffer.clear();
    pool.pixels += pixels;
    pool.buffers.push_back(std::move(buffer));
}

}  // namespace

PendingCoverageDrawing::~PendingCoverageDrawing() { giveCoveredBuffer(covered_); }

void PendingCoverageDrawing::cover() {
    if (covered_.capacity() == 0) covered_ = takeCoveredBuffer();
    gradient->cover(spans_, clip ? &*clip : nullptr, covered_);
    coveredMade_ = true;
}

void PendingCoverageDrawing::coverRectangle(const Rect& rect) {
    spans_.clear();
    spansGiven_ = true;
    using BoxCoverage::share;
    const long minX = BoxCoverage::fixed(rect.minX()), maxX = BoxCoverage::fixed(rect.maxX());
    const long minY = BoxCoverage::fixed(rect.minY()), maxY = BoxCoverage::fixed(rect.maxY());
    // The columns fully inside, and the partial ones at either end.
    const int inner = std::max(left, static_cast<int>((minX + 255) >> 8));
    const int innerEnd = std::min(right, static_cast<int>(maxX >> 8));
    for (int y = top; y < bottom; ++y) {
        const long row = share(minY, maxY, y);
        if (row == 0) continue;
        if (innerEnd <= inner) {
            for (int x = left; x < right; ++x) {
                const std::uint8_t coverage = BoxCoverage::level(row, share(minX, maxX, x));
                if (coverage != 0) spans_.push_back({x, y, 1, coverage});
            }
            continue;
        }
        for (int x = left; x < inner; ++x) {
            const std::uint8_t coverage = BoxCoverage::level(row, share(minX, maxX, x));
            if (coverage != 0) spans_.push_back({x, y, 1, coverage});
        }
        spans_.push_back({inner, y, innerEnd - inner, BoxCoverage::level(row, 256)});
        for (int x = innerEnd; x < right; ++x) {
            const std::uint8_t coverage = BoxCoverage::level(row, share(minX, maxX, x));
            if (coverage != 0) spans_.push_back({x, y, 1, coverage});
        }
    }
}

void PendingCoverageDrawing::coverBox(std::uint8_t level) {
    spans_.clear();
    spansGiven_ = true;
    for (int y = top; y < bottom; ++y) spans_.push_back({left, y, right - left, level});
}

void PendingCoverageDrawing::run() {
    if (!spansGiven_) {
        spans_.clear();
        // Past the deadline of the drawing it works for, nothing more is
        // scan-converted: the frame ends where its time ran out.
        if (ProcessorDeadline::checkCurrent(ProcessorDeadline::unitsPerItem)) return;
        // A stroke whose outline FreeType's stroker does not take, or whose
        // scan conversion fails, is stroked by Cairo here instead.
        if (stroke && (!rasterizer.strokeChecked() || !rasterizer.prepare(left, top, right - left, bottom - top))) {
            strokeWithCairo();
        } else {
            failed_ = !rasterizer.renderSpans(spans_);
            if (failed_ && stroke) strokeWithCairo();
        }
    }
    if (!failed_ && gradient) cover();
}

void PendingCoverageDrawing::strokeWithCairo() {
    failed_ = true;
    spans_.clear();
    const int width = right - left, height = bottom - top;
    cairo_surface_t* plane = PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_A8, width, height);
    if (cairo_surface_status(plane) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(plane);
        return;
    }
    cairo_surface_set_device_offset(plane, -left, -top);
    cairo_t* cairo = cairo_create(plane);
    appendPathElements(cairo, strokePath.elements());
    const AffineTransform& pen = stroke->pen;
    cairo_matrix_t matrix;
    cairo_matrix_init(&matrix, pen.a, pen.b, pen.c, pen.d, pen.tx, pen.ty);
    cairo_set_matrix(cairo, &matrix);
    cairo_set_tolerance(cairo, stroke->tolerance);
    cairo_set_line_width(cairo, stroke->width);
    cairo_set_miter_limit(cairo, stroke->miterLimit);
    cairo_set_line_cap(cairo, cairoLineCap(stroke->cap));
    cairo_set_line_join(cairo, cairoLineJoin(stroke->join));
    cairo_stroke(cairo);
    const bool drawn = cairo_status(cairo) == CAIRO_STATUS_SUCCESS;
    cairo_destroy(cairo);
    cairo_surface_flush(plane);
    if (drawn) {
        // The plane's coverage, run by run.
        const std::uint8_t* data = cairo_image_surface_get_data(plane);
        const int stride = cairo_image_surface_get_stride(plane);
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* row = data + static_cast<std::ptrdiff_t>(y) * stride;
            for (int x = 0; x < width;) {
                int end = x + 1;
                while (end < width && row[end] == row[x]) ++end;
                if (row[x] != 0) spans_.push_back({left + x, top + y, end - x, row[x]});
                x = end;
            }
        }
        failed_ = false;
    }
    cairo_surface_destroy(plane);
}

void PendingCoverageDrawing::layDown(cairo_t* cairo) {
    if (stroke && !failed_ && rasterizer.strokeWasCut()) WorkBudget::noteActiveStrokeCut();
    if (!failed_ && blend) {
        blend->blendSpans(spans_, clip ? &*clip : nullptr);
        blend->markDirty(left, top, right, bottom);
    } else if (!failed_ && gradient) {
        // Rectangles, and strokes Cairo stroked, were never worked on a worker.
        if (!coveredMade_) cover();
        gradient->layDown(spans_, covered_);
        gradient->markDirty(left, top, right, bottom);
    } else if (!failed_ && source) {
        layDownThroughPlane(cairo);
    } else if (picture) {
        layDownPicture();
    }
    release();
}

void PendingCoverageDrawing::layDownPicture() const {
    const Picture& p = *picture;
    const Image& image = *p.image;
    int stride = 0;
    std::uint8_t* data = p.target.pixels(stride);
    if (data == nullptr) return;
    const int x0 = std::max(p.x, p.target.left), x1 = std::min(p.x + image.width(), p.target.right);
    const int y0 = std::max(p.y, p.target.top), y1 = std::min(p.y + image.height(), p.target.bottom);
    if (x0 >= x1 || y0 >= y1) return;
    for (int y = y0; y < y1; ++y) {
        const auto* source = reinterpret_cast<const std::uint32_t*>(image.pixels().data() +
                                                                    static_cast<std::size_t>(y - p.y) * image.bytesPerRow()) +
                             (x0 - p.x);
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y + p.target.offsetY) * stride) +
                    x0 + p.target.offsetX;
        if (p.alpha == 0xff) {
            PixelArithmetic::overEach(source, row, x1 - x0);
        } else {
            PixelArithmetic::overEachScaled(source, p.alpha, row, x1 - x0);
        }
    }
    p.target.markDirty(x0, y0, x1, y1);
}

void PendingCoverageDrawing::layDownThroughPlane(cairo_t* cairo) const {
    const SolidCoverageBlend::Target& target = source->target;
    const int x0 = std::max(left, target.left), y0 = std::max(top, target.top);
    const int x1 = std::min(right, target.right), y1 = std::min(bottom, target.bottom);
    if (x0 >= x1 || y0 >= y1 || spans_.empty()) return;
    cairo_surface_t* plane = PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_A8, x1 - x0, y1 - y0);
    if (cairo_surface_status(plane) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(plane);
        return;
    }
    cairo_surface_flush(plane);
    std::uint8_t* data = cairo_image_surface_get_data(plane);
    const int stride = cairo_image_surface_get_stride(plane);
    for (const CoverageRasterizer::Span& span : spans_) {
        if (span.y < y0 || span.y >= y1) continue;
        const int from = std::max(span.x, x0), to = std::min(span.x + span.length, x1);
        std::uint8_t* row = data + static_cast<std::ptrdiff_t>(span.y - y0) * stride - x0;
        if (clip) {
            const std::uint8_t* clipRow =
                clip->coverage->data() + static_cast<std::size_t>(span.y - clip->top) * clip->width - clip->left;
            for (int x = from; x < to; ++x) {
                const int t = span.coverage * clipRow[x] + 0x80;
                row[x] = static_cast<std::uint8_t>((t + (t >> 8)) >> 8);
            }
        } else if (from < to) {
            std::memset(row + from, span.coverage, static_cast<std::size_t>(to - from));
        }
    }
    cairo_surface_mark_dirty(plane);
    // Laid down as the context lays coverage down at once: the source in
    // the user space it was given in, the coverage in device space, the
    // clip in the coverage and the target's box.
    cairo_save(cairo);
    cairo_reset_clip(cairo);
    cairo_set_operator(cairo, source->op);
    cairo_set_matrix(cairo, &source->matrix);
    cairo_set_source(cairo, source->pattern);
    cairo_identity_matrix(cairo);
    cairo_mask_surface(cairo, plane, x0, y0);
    cairo_restore(cairo);
    cairo_surface_destroy(plane);
}

std::size_t PendingCoverageDrawing::heldBytes() const {
    return rasterizer.heldBytes() + spans_.capacity() * sizeof(CoverageRasterizer::Span) +
           covered_.capacity() * sizeof(std::uint32_t) + strokePath.elements().capacity() * sizeof(PathElement);
}

void PendingCoverageDrawing::release() {
    // A drawing kept for reuse keeps no more than a modest run of spans: one
    // of a hostile outline's frames must not hold its memory for good.
    constexpr std::size_t keptSpans = 1 << 16;
    if (spans_.capacity() > keptSpans) std::vector<CoverageRasterizer::Span>().swap(spans_);
    if (covered_.capacity() > keptCoveredPixels) std::vector<std::uint32_t>().swap(covered_);
    coveredMade_ = false;
    blend.reset();
    gradient.reset();
    if (source) cairo_pattern_destroy(source->pattern);
    source.reset();
    clip.reset();
    stroke.reset();
    picture.reset();
    spansGiven_ = false;
    submitted = false;
    failed_ = false;
}

}  // namespace platform::graphics
