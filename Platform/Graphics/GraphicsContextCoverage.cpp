// Fills and strokes of GraphicsContext scan-converted by the CoverageRasterizer
// into a coverage plane of the pixels they can reach, then laid down through it.
// Cairo's own scan converter walks every edge of a row many times over wherever
// edges start or end, which on flattened curves is nearly every row; the cell
// rasteriser visits each cell an edge crosses once.
//
// A solid fill or stroke is handed to the CoverageWorkers instead
// (handOverCoverage), scan-converted into spans on a worker while drawing
// goes on, and laid down straight into the target at the next flushPending,
// which everything else that draws into or reads the target calls first.

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
#include <cstring>
#include <vector>

#include "Platform/Graphics/BoxCoverage.h"
#include "Platform/Graphics/ClipCoverageBuffers.h"
#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/CoverageWorkers.h"
#include "Platform/Graphics/GradientCoverageBlend.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/GraphicsContextState.h"
#include "Platform/Graphics/PendingCoverageDrawing.h"
#include "Platform/Graphics/PixelArithmetic.h"
#include "Platform/Graphics/PixelBufferPool.h"
#include "Platform/Graphics/SolidCoverageBlend.h"
#include "Platform/Graphics/SpareCoverageDrawings.h"
#include "Platform/Graphics/WorkBudget.h"

namespace platform::graphics {

namespace {

// A path Cairo holds, as a Path of the same points.
Path pathOf(const cairo_path_t* data) {
    Path path;
    for (int i = 0; i < data->num_data; i += data->data[i].header.length) {
        const cairo_path_data_t* element = &data->data[i];
        const auto point = [element](int index) { return Point(element[index].point.x, element[index].point.y); };
        switch (element->header.type) {
            case CAIRO_PATH_MOVE_TO: path.moveTo(point(1)); break;
            case CAIRO_PATH_LINE_TO: path.lineTo(point(1)); break;
            case CAIRO_PATH_CURVE_TO: path.curveTo(point(1), point(2), point(3)); break;
            case CAIRO_PATH_CLOSE_PATH: path.closeSubpath(); break;
        }
    }
    return path;
}

// How far inside a clip's edge a box must lie for the clip to cover its
// pixels whole: well past where the rasteriser's fixed point rounds an edge.
constexpr double heldMargin = 1.0 / 32;

// The path clipped to, with the points the rasteriser is given.
Path clipPathOf(const cairo_path_t* path, const Path& exactPath) {
    return exactPath.isEmpty() ? pathOf(path) : exactPath;
}

// Multiplies each coverage of the plane by the clip's at the same pixel, as
// the pixel library multiplies 8-bit values.
void multiply(const CoverageRasterizer::Plane& plane, const std::vector<std::uint8_t>& clip) {
    for (int y = 0; y < plane.height; ++y) {
        std::uint8_t* row = plane.data + static_cast<std::ptrdiff_t>(y) * plane.stride;
        const std::uint8_t* clipRow = clip.data() + static_cast<std::size_t>(y) * plane.width;
        PixelArithmetic::multiplyEach(row, clipRow, plane.width);
    }
}

// The rectangle a path of one closed subpath of four lines along the axes
// encloses (as clipping to a rectangle makes); none for any other path.
std::optional<Rect> alignedRectangle(const Path& path) {
    // Looked at in place: every fill asks, and most paths are far longer.
    const std::vector<PathElement>& all = path.elements();
    std::size_t count = all.size();
    // Cairo ends a closed subpath with a move to its start.
    while (count > 0 && all[count - 1].type == PathElementType::moveTo) --count;
    if (count < 5 || count > 6) {
        return std::nullopt;
    }
    const std::span<const PathElement> elements(all.data(), count);
    if (elements.front().type != PathElementType::moveTo || elements.back().type != PathElementType::closeSubpath) {
        return std::nullopt;
    }
    std::vector<Point> corners{elements.front().points[0]};
    for (std::size_t i = 1; i + 1 < elements.size(); ++i) {
        if (elements[i].type != PathElementType::lineTo) return std::nullopt;
        corners.push_back(elements[i].points[0]);
    }
    if (corners.size() == 5) {
        if (corners.back() != corners.front()) return std::nullopt;
        corners.pop_back();
    }
    const auto alongAxes = [&](bool firstAlongX) {
        for (std::size_t i = 0; i < 4; ++i) {
            const Point from = corners[i], to = corners[(i + 1) % 4];
            const bool alongX = (i % 2 == 0) == firstAlongX;
            if (alongX ? from.y != to.y : from.x != to.x) return false;
        }
        return true;
    };
    if (!alongAxes(true) && !alongAxes(false)) return std::nullopt;
    const Point a = corners[0], c = corners[2];
    return Rect(std::min(a.x, c.x), std::min(a.y, c.y), std::fabs(c.x - a.x), std::fabs(c.y - a.y));
}

// Multiplies the plane's coverage by the share of each pixel the rectangle
// covers, as Cairo lays boxes down (BoxCoverage). Whole pixels inside are
// left as they are, so a rectangle around the plane costs its edges alone.
void multiplyByRectangle(const CoverageRasterizer::Plane& plane, const Rect& rect) {
    using BoxCoverage::share;
    const long minX = BoxCoverage::fixed(rect.minX()), maxX = BoxCoverage::fixed(rect.maxX());
    const long minY = BoxCoverage::fixed(rect.minY()), maxY = BoxCoverage::fixed(rect.maxY());
    std::vector<long> columns(static_cast<std::size_t>(plane.width));
    std::vector<int> partialColumns;
    for (int x = 0; x < plane.width; ++x) {
        columns[x] = share(minX, maxX, plane.left + x);
        if (columns[x] < 256) partialColumns.push_back(x);
    }
    const auto scale = [](std::uint8_t& value, long row, long column) {
        const int t = value * BoxCoverage::level(row, column) + 0x80;
        value = static_cast<std::uint8_t>((t + (t >> 8)) >> 8);
    };
    for (int y = 0; y < plane.height; ++y) {
        const long row = share(minY, maxY, plane.top + y);
        std::uint8_t* line = plane.data + static_cast<std::ptrdiff_t>(y) * plane.stride;
        if (row == 256) {
            for (int x : partialColumns) scale(line[x], row, columns[x]);
        } else {
            for (int x = 0; x < plane.width; ++x) scale(line[x], row, columns[x]);
        }
    }
}

// A cleared A8 surface over the device pixels of `box` (their whole
// extent), which `plane` is set to describe; null when it cannot be made.
// The caller destroys it, having marked it dirty once written.
cairo_surface_t* makePlane(const Rect& box, CoverageRasterizer::Plane& plane, bool cleared = true) {
    plane.left = static_cast<int>(std::floor(box.minX()));
    plane.top = static_cast<int>(std::floor(box.minY()));
    plane.width = static_cast<int>(std::ceil(box.maxX())) - plane.left;
    plane.height = static_cast<int>(std::ceil(box.maxY())) - plane.top;
    cairo_surface_t* surface =
        PixelBufferPool::shared().makeSurface(CAIRO_FORMAT_A8, plane.width, plane.height, cleared);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    cairo_surface_flush(surface);
    plane.data = cairo_image_surface_get_data(surface);
    plane.stride = cairo_image_surface_get_stride(surface);
    return surface;
}

}  // namespace

bool GraphicsContext::clipsByPaths() const {
    const State& s = state();
    return !s.degenerate && !s.mask && !s.clipIsEmpty && !deviceClipRectangles();
}

cairo_surface_t* GraphicsContext::makeClipCoverage(const Rect& box, CoverageRasterizer::Plane& plane, double alpha) {
    if (box.isNull() || box.isEmpty()) {
        return nullptr;
    }
    cairo_surface_t* coverage = makePlane(box, plane);
    if (coverage == nullptr) {
        return nullptr;
    }
    const int level = static_cast<int>(std::lround(std::clamp(alpha, 0.0, 1.0) * 255));
    for (int y = 0; y < plane.height; ++y) {
        std::memset(plane.data + static_cast<std::ptrdiff_t>(y) * plane.stride, level,
                    static_cast<std::size_t>(plane.width));
    }
    if (!multiplyByClipCoverage(plane)) {
        cairo_surface_destroy(coverage);
        return nullptr;
    }
    cairo_surface_mark_dirty(coverage);
    return coverage;
}

bool GraphicsContext::prepareClipCoverage(const CoverageRasterizer::Plane& plane) {
    // The surface's own rectangles, then the paths clipped to on it: within a
    // transparency layer its states hold only the clips made inside it.
    std::vector<Rect> rectangles =
        groupClips_.empty() ? std::vector<Rect>{Rect(0, 0, width_, height_)} : groupClips_.back();
    const std::shared_ptr<const DeviceClip>& clips = state().clips;
    ClipCoverage& kept = clipCoverage_;
    const auto holds = [&](const ClipCoverage& c) {
        return plane.left >= c.left && plane.top >= c.top && plane.left + plane.width <= c.left + c.width &&
               plane.top + plane.height <= c.top + c.height;
    };
    // The clip's coverage is made for the first drawing under it over that
    // drawing's plane (a clip may hold one drawing only), and for a second
    // one that reaches past it over the whole box the clip lets drawing
    // touch, once for every drawing after.
    const bool sameClip = kept.valid && kept.clips == clips && kept.rectangles == rectangles;
    if (!sameClip || !holds(kept)) {
        kept.valid = false;
        const Rect planeBox(plane.left, plane.top, plane.width, plane.height);
        // Over the drawings' planes so far under the same clip, not over the
        // whole box it lets drawing touch: drawings under a turned bound
        // (a precomposition's) are often far smaller than the bound.
        Rect box = sameClip ? Rect(kept.left, kept.top, kept.width, kept.height) : Rect::null();
        box = box.isNull() ? planeBox : box.unionWith(planeBox);
        kept.left = static_cast<int>(std::floor(box.minX()));
        kept.top = static_cast<int>(std::floor(box.minY()));
        kept.width = static_cast<int>(std::ceil(box.maxX())) - kept.left;
        kept.height = static_cast<int>(std::ceil(box.maxY())) - kept.top;
        if (!kept.coverage || kept.coverage.use_count() > 1) {
            // Drawings handed over still read the last one: another buffer,
            // one that none reads any more if there is one (a large buffer
            // allocated anew costs a page fault per page).
            std::vector<std::shared_ptr<std::vector<std::uint8_t>>>& spare = spareClipCoverage_;
            if (kept.coverage) spare.push_back(std::move(kept.coverage));
            const auto unread = std::find_if(spare.begin(), spare.end(), [](const auto& c) { return c.use_count() == 1; });
            if (unread != spare.end()) {
                kept.coverage = std::move(*unread);
                spare.erase(unread);
            } else {
                kept.coverage = ClipCoverageBuffers::take();
            }
            constexpr std::size_t mostSpare = 4;
            if (spare.size() > mostSpare) spare.erase(spare.begin());
        }
        kept.coverage->assign(static_cast<std::size_t>(kept.width) * kept.height, 0xff);
        const CoverageRasterizer::Plane whole{kept.coverage->data(), kept.width, kept.left,
                                              kept.top,             kept.width, kept.height};
        if (!makeClipCoverageOver(whole, rectangles)) {
            return false;
        }
        kept.clips = clips;
        kept.rectangles = std::move(rectangles);
        kept.valid = true;
    }
    return true;
}

bool GraphicsContext::multiplyByClipCoverage(const CoverageRasterizer::Plane& plane) {
    if (!prepareClipCoverage(plane)) return false;
    clipCoverageView().multiplyRows(plane, 0, plane.height);
    return true;
}

bool GraphicsContext::handOverClipPathFill(const GradientCoverageBlend& gradient, std::uint8_t level, const Rect& box) {
    // Under one path clipped to, and rectangles along the axes that hold it
    // whole, within one rectangle of the surface, a paint is that path
    // filled: it is scan-converted on the workers as a fill is, rather than
    // its coverage made on the drawing thread, and its coverage is the same
    // (the rectangles cover each of its pixels whole).
    const State& s = state();
    const DeviceClip* pathClip = nullptr;
    std::vector<Rect> holding;
    for (const DeviceClip* clip = s.clips.get(); clip != nullptr; clip = clip->previous.get()) {
        if (clip->antialias == CAIRO_ANTIALIAS_NONE) return false;
        const Path clipPath = clipPathOf(clip->path, clip->exactPath);
        if (const std::optional<Rect> rect = alignedRectangle(clipPath)) {
            holding.push_back(*rect);
        } else if (pathClip == nullptr) {
            pathClip = clip;
        } else {
            return false;
        }
    }
    if (pathClip == nullptr) {
        return false;
    }
    std::vector<Rect> rectangles =
        groupClips_.empty() ? std::vector<Rect>{Rect(0, 0, width_, height_)} : groupClips_.back();
    if (rectangles.size() != 1 || rectangles.front().intersection(box) != box) {
        return false;
    }
    const Path path = clipPathOf(pathClip->path, pathClip->exactPath);
    const FillRule rule = pathClip->rule == CAIRO_FILL_RULE_EVEN_ODD ? FillRule::evenOdd : FillRule::winding;
    const std::optional<Rect> rectangle = alignedRectangle(path);
    std::shared_ptr<PendingCoverageDrawing> first = spareDrawing();
    std::vector<std::shared_ptr<PendingCoverageDrawing>> drawings;
    const auto refuse = [&] {
        drawings.push_back(std::move(first));
        for (std::shared_ptr<PendingCoverageDrawing>& drawing : drawings) {
            if (!drawing) continue;
            drawing->release();
            spareDrawings_.push_back(std::move(drawing));
        }
        return false;
    };
    if (!rectangle && !first->rasterizer.takeFill(path, rule)) {
        return refuse();
    }
    const Rect reach = (rectangle ? *rectangle : first->rasterizer.bounds()).intersection(box);
    if (reach.isNull() || reach.isEmpty()) {
        spareDrawings_.push_back(std::move(first));
        return true;  // nothing shows
    }
    const int left = static_cast<int>(std::floor(reach.minX())), top = static_cast<int>(std::floor(reach.minY()));
    const int right = static_cast<int>(std::ceil(reach.maxX())), bottom = static_cast<int>(std::ceil(reach.maxY()));
    if (right - left > PendingCoverageDrawing::maximumWidth) {
        return refuse();
    }
    for (const Rect& rect : holding) {
        if (BoxCoverage::fixed(rect.minX()) > left * 256L || BoxCoverage::fixed(rect.maxX()) < right * 256L ||
            BoxCoverage::fixed(rect.minY()) > top * 256L || BoxCoverage::fixed(rect.maxY()) < bottom * 256L) {
            return refuse();
        }
    }
    const int bands = gradientBands(right - left, bottom - top);
    const int bandRows = (bottom - top + bands - 1) / bands;
    for (int bandTop = top; bandTop < bottom; bandTop += bandRows) {
        std::shared_ptr<PendingCoverageDrawing> drawing = first ? std::move(first) : spareDrawing();
        drawing->left = left;
        drawing->right = right;
        drawing->top = bandTop;
        drawing->bottom = std::min(bottom, bandTop + bandRows);
        const bool ready = rectangle ? (drawing->coverRectangle(*rectangle), true)
                                     : (drawings.empty() || drawing->rasterizer.takeFill(path, rule)) &&
                                           drawing->rasterizer.prepare(left, bandTop, right - left,
                                                                       drawing->bottom - bandTop);
        drawing->gradient = gradient;
        drawing->gradient->scaleCoverage(level);
        drawings.push_back(std::move(drawing));
        if (!ready) return refuse();
    }
    handOver(drawings, true);
    return true;
}

std::optional<ClipCoverageView> GraphicsContext::maskCoverageView(int left, int top, int width, int height) {
    const std::shared_ptr<PixelMask>& mask = state().mask;
    MaskCoverage& kept = maskCoverage_;
    const ClipCoverageView& view = kept.view;
    const bool holds = kept.mask == mask && view.coverage && left >= view.left && top >= view.top &&
                       left + width <= view.left + view.width &&
                       static_cast<std::size_t>(top + height - view.top) * view.width <= view.coverage->size();
    if (holds) return view;
    cairo_surface_t* surface = mask->surface;
    if (cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE ||
        cairo_image_surface_get_format(surface) != CAIRO_FORMAT_A8) {
        return std::nullopt;
    }
    double offsetX = 0, offsetY = 0;
    cairo_surface_get_device_offset(surface, &offsetX, &offsetY);
    if (offsetX != std::round(offsetX) || offsetY != std::round(offsetY)) return std::nullopt;
    // The mask's pixels over the box, none beyond its own edges.
    cairo_surface_flush(surface);
    const std::uint8_t* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const int maskWidth = cairo_image_surface_get_width(surface), maskHeight = cairo_image_surface_get_height(surface);
    if (data == nullptr) return std::nullopt;
    auto coverage = std::make_shared<std::vector<std::uint8_t>>(static_cast<std::size_t>(width) * height, 0);
    for (int y = 0; y < height; ++y) {
        const int row = top + y + static_cast<int>(offsetY);
        if (row < 0 || row >= maskHeight) continue;
        const int from = std::max(left, -static_cast<int>(offsetX));
        const int to = std::min(left + width, maskWidth - static_cast<int>(offsetX));
        if (from >= to) continue;
        std::memcpy(coverage->data() + static_cast<std::size_t>(y) * width + (from - left),
                    data + static_cast<std::ptrdiff_t>(row) * stride + from + static_cast<int>(offsetX),
                    static_cast<std::size_t>(to - from));
    }
    kept.mask = mask;
    kept.view = ClipCoverageView{std::move(coverage), left, top, width};
    return kept.view;
}

ClipCoverageView GraphicsContext::clipCoverageView() const {
    const ClipCoverage& kept = clipCoverage_;
    return ClipCoverageView{kept.coverage, kept.left, kept.top, kept.width};
}

bool GraphicsContext::makeClipCoverageOver(const CoverageRasterizer::Plane& plane, const std::vector<Rect>& rectangles) {
    std::vector<const DeviceClip*> paths;
    for (const DeviceClip* clip = state().clips.get(); clip != nullptr; clip = clip->previous.get()) {
        // Cairo's own scan converter gives a clip without antialiasing its pixels.
        if (clip->antialias == CAIRO_ANTIALIAS_NONE) {
            return false;
        }
        paths.push_back(clip);
    }
    if (!clipRasterizer_) {
        clipRasterizer_ = std::make_unique<CoverageRasterizer>();
    }
    CoverageRasterizer& rasterizer = *clipRasterizer_;
    std::vector<std::uint8_t> clipCoverage;
    // While the plane holds full coverage, the first path's coverage is
    // rendered straight into it: the same as multiplying full coverage by it.
    bool full = true;
    const auto multiplyBy = [&](const Path& clip, FillRule rule) {
        if (const std::optional<Rect> rect = alignedRectangle(clip)) {
            multiplyByRectangle(plane, *rect);
            full = false;
            return true;
        }
        if (!rasterizer.takeFill(clip, rule)) return false;
        if (full) {
            full = false;
            for (int y = 0; y < plane.height; ++y) {
                std::memset(plane.data + static_cast<std::ptrdiff_t>(y) * plane.stride, 0,
                            static_cast<std::size_t>(plane.width));
            }
            return rasterizer.render(plane);
        }
        clipCoverage.assign(static_cast<std::size_t>(plane.width) * plane.height, 0);
        const CoverageRasterizer::Plane clipPlane{clipCoverage.data(), plane.width, plane.left,
                                                  plane.top,           plane.width, plane.height};
        if (!rasterizer.render(clipPlane)) return false;
        multiply(plane, clipCoverage);
        return true;
    };
    const Rect box(plane.left, plane.top, plane.width, plane.height);
    if (rectangles.size() != 1 || rectangles.front().intersection(box) != box) {
        Path area;
        for (const Rect& rect : rectangles) area.addRect(rect);
        if (!multiplyBy(area, FillRule::winding)) return false;
    }
    for (const DeviceClip* clip : paths) {
        // A clip that covers the whole plane leaves its coverage as it is.
        if (clip->convex && clip->convex->holds(box, heldMargin)) continue;
        if (!multiplyBy(clipPathOf(clip->path, clip->exactPath),
                        clip->rule == CAIRO_FILL_RULE_EVEN_ODD ? FillRule::evenOdd : FillRule::winding)) {
            return false;
        }
    }
    return true;
}

bool GraphicsContext::clipHoldsBox(const Rect& box) const {
    const Rect surface = groupClips_.empty()             ? Rect(0, 0, width_, height_)
                         : groupClips_.back().size() == 1 ? groupClips_.back().front()
                                                          : Rect::null();
    if (surface.isNull() || surface.intersection(box) != box) {
        return false;
    }
    for (const DeviceClip* clip = state().clips.get(); clip != nullptr; clip = clip->previous.get()) {
        if (!clip->convex || !clip->convex->holds(box, heldMargin)) return false;
    }
    return true;
}

bool GraphicsContext::takeCurrentStroke(CoverageRasterizer& rasterizer, bool checkOnly) const {
    const State& s = state();
    if (!s.shouldAntialias || !s.allowsAntialiasing) {
        return false;
    }
    // The pen is a circle in user space, under the transform boundPen gives
    // Cairo. It is stroked in that space scaled up by the transform's largest
    // stretch, which keeps a unit there no larger than a device pixel, so the
    // stroker's fixed point holds the device's precision whatever the scale;
    // penRadius() is the pen's reach along that stretch.
    const double radius = penRadius();
    const double stretch = radius / (s.lineWidth / 2);
    if (!(stretch > 0) || !std::isfinite(stretch)) {
        return false;
    }
    const AffineTransform penSpace =
        AffineTransform::makeScale(1 / stretch, 1 / stretch).concatenating(penTransform());
    const CoverageRasterizer::StrokeStyle style{radius, s.lineCap, s.lineJoin, s.miterLimit};
    // A dashed one strokes its dashes.
    const Path& path = strokedDevicePath();
    return checkOnly ? rasterizer.checkStroke(path, style, penSpace) : rasterizer.takeStroke(path, style, penSpace);
}

bool GraphicsContext::rasterizeStrokeInto(PixelMask* mask) {
    if (!rasterizer_) {
        rasterizer_ = std::make_unique<CoverageRasterizer>();
    }
    CoverageRasterizer& rasterizer = *rasterizer_;
    if (!takeCurrentStroke(rasterizer)) {
        return false;
    }
    cairo_surface_t* surface = mask->surface;
    double offsetX = 0, offsetY = 0;
    cairo_surface_get_device_offset(surface, &offsetX, &offsetY);
    cairo_surface_flush(surface);
    CoverageRasterizer::Plane plane;
    plane.data = cairo_image_surface_get_data(surface);
    plane.stride = cairo_image_surface_get_stride(surface);
    plane.left = static_cast<int>(-offsetX);
    plane.top = static_cast<int>(-offsetY);
    plane.width = cairo_image_surface_get_width(surface);
    plane.height = cairo_image_surface_get_height(surface);
    if (!rasterizer.render(plane)) {
        // What was written is wiped for Cairo's stroke.
        for (int y = 0; y < plane.height; ++y) {
            std::memset(plane.data + static_cast<std::ptrdiff_t>(y) * plane.stride, 0,
                        static_cast<std::size_t>(plane.width));
        }
        cairo_surface_mark_dirty(surface);
        return false;
    }
    cairo_surface_mark_dirty(surface);
    if (rasterizer.strokeWasCut()) WorkBudget::noteActiveStrokeCut();
    mask->deviceBounds = rasterizer.bounds();
    return true;
}

bool GraphicsContext::paintRasterizedCoverage(cairo_pattern_t* source, FillRule rule, bool stroked) {
    if (handOverCoverage(source, rule, stroked)) {
        return true;
    }
    flushPending();
    return paintRasterizedCoverageAtOnce(source, rule, stroked);
}

std::shared_ptr<PendingCoverageDrawing> GraphicsContext::spareDrawing() const {
    if (spareDrawings_.empty()) return SpareCoverageDrawings::take();
    std::shared_ptr<PendingCoverageDrawing> drawing = std::move(spareDrawings_.back());
    spareDrawings_.pop_back();
    return drawing;
}

bool GraphicsContext::handOverCoverage(cairo_pattern_t* source, FillRule rule, bool stroked) {
    const State& s = state();
    if (!s.shouldAntialias || !s.allowsAntialiasing) {
        return false;
    }
    // The clip's rectangles, asked for once (clipsByPaths would ask again).
    const std::optional<std::vector<Rect>> rectangles = deviceClipRectangles();
    const bool clipped = !s.degenerate && !s.mask && !s.clipIsEmpty && !rectangles;
    // A rectangle along the axes is laid down as Cairo lays boxes down.
    const std::optional<Rect> rectangle = stroked || clipped ? std::nullopt : alignedRectangle(devicePath_);
    std::optional<SolidCoverageBlend> solid =
        SolidCoverageBlend::make(cairo_, source, clipped, rectangles ? &*rectangles : nullptr);
    std::optional<GradientCoverageBlend> gradient =
        solid ? std::nullopt
              : GradientCoverageBlend::make(cairo_, source, clipped, rectangles ? &*rectangles : nullptr);
    // Any other source is laid down by Cairo, within the same box.
    const std::optional<SolidCoverageBlend::Target> target =
        solid || gradient ? std::nullopt
                          : SolidCoverageBlend::target(cairo_, clipped, rectangles ? &*rectangles : nullptr);
    if (!solid && !gradient && !target) {
        return false;
    }
    std::shared_ptr<PendingCoverageDrawing> drawing = spareDrawing();
    const auto refuse = [&] {
        drawing->release();
        spareDrawings_.push_back(std::move(drawing));
        return false;
    };
    CoverageRasterizer& rasterizer = drawing->rasterizer;
    // A stroke is only checked in here: the worker strokes it. One that
    // FreeType's stroker does not take (a pen wider than a curve's bend,
    // which it would draw otherwise than Cairo) is stroked by Cairo on the
    // worker, within the path's box grown by the pen's reach, and laid down
    // through the clip's coverage as any other drawing (a dashed one, its
    // dashes undashed). One of another source than a colour is left to
    // Cairo here.
    std::optional<Rect> cairoStrokeBox;
    if (!rectangle && (stroked ? !takeCurrentStroke(rasterizer, true) : !rasterizer.takeFill(devicePath_, rule))) {
        const double reach = stroked ? strokeReach() + 2 : 0;
        if (!stroked || !solid || pathExtent_.box.empty || !std::isfinite(reach)) {
            return refuse();
        }
        const PointBounds& box = pathExtent_.box;
        cairoStrokeBox = Rect(box.minX - reach, box.minY - reach, box.maxX - box.minX + 2 * reach,
                              box.maxY - box.minY + 2 * reach);
    }
    // Stroked by Cairo on the worker (refused here, or an outline that may
    // pass what FreeType holds): left out, drawn nowhere else, when that
    // does not fit in the frame's budget.
    if (stroked && !rectangle && (cairoStrokeBox || strokeOutlineMayOverflow()) && !takeCairoStroke()) {
        refuse();
        return true;
    }
    const Rect shape = rectangle         ? *rectangle
                       : cairoStrokeBox  ? *cairoStrokeBox
                       : stroked         ? rasterizer.checkedStrokeReach()
                                         : rasterizer.bounds();
    const Rect reach = shape.isNull() ? shape : shape.intersection(deviceClipBox());
    if (reach.isNull() || reach.isEmpty()) {
        spareDrawings_.push_back(std::move(drawing));
        return true;  // nothing shows
    }
    drawing->left = static_cast<int>(std::floor(reach.minX()));
    drawing->top = static_cast<int>(std::floor(reach.minY()));
    drawing->right = static_cast<int>(std::ceil(reach.maxX()));
    drawing->bottom = static_cast<int>(std::ceil(reach.maxY()));
    const int width = drawing->right - drawing->left, height = drawing->bottom - drawing->top;
    if (!rectangle && width > PendingCoverageDrawing::maximumWidth) {
        return refuse();
    }
    int bands = 1;
    if (!stroked && gradient) {
        bands = gradientBands(width, height);
    } else if (!stroked && solid && !rectangle) {
        bands = outlineBands(pathExtent_.outline, height);
    }
    const int bandRows = (height + bands - 1) / bands;
    const Rect wholeBox(drawing->left, drawing->top, width, height);
    drawing->bottom = drawing->top + bandRows;
    // A solid fill's bands each give their rows what the whole box has
    // there; a gradient's are cut down to their own boxes.
    const bool exactBands = solid && bands > 1;
    const auto prepareBand = [&](CoverageRasterizer& bandRasterizer, int bandTop, int bandBottom) {
        return exactBands ? bandRasterizer.prepareRows(drawing->left, drawing->top, width, height, bandTop, bandBottom)
                          : bandRasterizer.prepare(drawing->left, bandTop, width, bandBottom - bandTop);
    };
    if (rectangle) {
        drawing->coverRectangle(*rectangle);
    } else if (!stroked && !prepareBand(rasterizer, drawing->top, drawing->top + bandRows)) {
        return refuse();
    }
    if (stroked) {
        // What Cairo strokes with, should the worker's stroker fail.
        const State& s = state();
        drawing->stroke = PendingCoverageDrawing::CairoStroke{penTransform(), strokeTolerance(penRadius()),
                                                              s.lineWidth, s.miterLimit, s.lineCap, s.lineJoin};
        drawing->strokePath = strokedDevicePath();
    }
    if (clipped && !clipHoldsBox(wholeBox)) {
        const CoverageRasterizer::Plane box{nullptr, 0, drawing->left, drawing->top, width, height};
        if (!prepareClipCoverage(box)) {
            return refuse();
        }
        drawing->clip = clipCoverageView();
    }
    // The further bands, readied before the first is handed over: should
    // one be refused, the whole drawing goes to Cairo.
    std::vector<std::shared_ptr<PendingCoverageDrawing>> further;
    for (int band = 1; band < bands; ++band) {
        const int bandTop = static_cast<int>(wholeBox.minY()) + band * bandRows;
        const int bandBottom = std::min(static_cast<int>(wholeBox.maxY()), bandTop + bandRows);
        if (bandTop >= bandBottom) break;
        std::shared_ptr<PendingCoverageDrawing> next = spareDrawing();
        next->left = drawing->left;
        next->right = drawing->right;
        next->top = bandTop;
        next->bottom = bandBottom;
        const bool ready = rectangle ? (next->coverRectangle(*rectangle), true)
                                     : next->rasterizer.takeFill(devicePath_, rule) &&
                                           prepareBand(next->rasterizer, bandTop, bandBottom);
        further.push_back(std::move(next));
        if (!ready) {
            for (std::shared_ptr<PendingCoverageDrawing>& refused : further) {
                refused->release();
                spareDrawings_.push_back(std::move(refused));
            }
            return refuse();
        }
        further.back()->clip = drawing->clip;
        further.back()->gradient = gradient;
        further.back()->blend = solid;
    }
    if (solid) {
        drawing->blend = std::move(solid);
    } else if (gradient) {
        drawing->gradient = std::move(gradient);
    } else {
        PendingCoverageDrawing::CairoSource cairoSource;
        cairoSource.pattern = cairo_pattern_reference(source);
        cairo_get_matrix(cairo_, &cairoSource.matrix);
        cairoSource.op = cairo_get_operator(cairo_);
        cairoSource.target = *target;
        drawing->source = cairoSource;
    }
    // A rectangle has nothing to scan-convert; the bands of a gradient are
    // worked on the workers even so.
    further.insert(further.begin(), std::move(drawing));
    handOver(further, !rectangle || bands > 1);
    return true;
}

int GraphicsContext::gradientBands(int width, int height) {
    // A gradient costs more by its pixels than by its outline: a large one
    // is split into bands of rows, each a drawing of its own, that threads
    // work side by side. Where each band lies depends on the box alone, so
    // the pixels are the same however the bands are run.
    constexpr long bandPixels = 1 << 15;
    constexpr int mostBands = 8;
    return static_cast<int>(
        std::clamp<long>(static_cast<long>(width) * height / bandPixels, 1, std::max(1, std::min(height, mostBands))));
}

int GraphicsContext::outlineBands(const DrawingCost::Outline& outline, int height) {
    // An outline whose edges cross many rows takes the scan converter long
    // enough that one thread working it holds up the drawings laid down
    // after it: it is split into bands of rows, each scan-converted on a
    // thread of its own, none of fewer rows than a strip of the scan
    // converter's. Each band gives its rows the coverage one call would.
    constexpr double bandEdgeRows = 1024;
    constexpr int leastBandRows = 32;
    constexpr int mostBands = 8;
    const double most = std::max(1, std::min(height / leastBandRows, mostBands));
    return static_cast<int>(std::clamp(std::floor(outline.edgeRows / bandEdgeRows), 1.0, most));
}

void GraphicsContext::handOver(std::vector<std::shared_ptr<PendingCoverageDrawing>>& drawings, bool submits) {
    // Waking a sleeping thread costs the drawer tens of microseconds: a
    // worker is woken once the drawings handed over since the last wake
    // cover enough pixels to repay it; until then they wait for a worker
    // that is awake, or for the drawer. A stroke costs the worker its
    // stroking as well, a microsecond or two a piece of its path, which
    // counts as the pixels laid down in that time.
    constexpr long piecePixels = 3000;
    long pixels = 0, work = 0;
    for (const auto& drawing : drawings) {
        pixels += static_cast<long>(drawing->right - drawing->left) * (drawing->bottom - drawing->top);
        if (drawing->stroke) work += piecePixels * static_cast<long>(drawing->strokePath.elements().size());
    }
    if (submits) {
        CoverageWorkers& workers = CoverageWorkers::shared();
        constexpr long wakingPixels = 256 * 256;
        handedPixels_ += pixels + work;
        const bool wake = handedPixels_ >= wakingPixels;
        if (wake) handedPixels_ = 0;
        for (const std::shared_ptr<PendingCoverageDrawing>& drawing : drawings) {
            drawing->submitted = true;
            workers.submit(drawing, wake);
        }
    }
    for (std::shared_ptr<PendingCoverageDrawing>& drawing : drawings) pending_.push_back(std::move(drawing));
    // A bound on the drawings, and on the spans, held at once: a drawing
    // has at most a span a pixel of its box.
    constexpr std::size_t mostPending = 64;
    constexpr long mostPendingPixels = 1 << 22;
    pendingPixels_ += pixels;
    if (pending_.size() >= mostPending || pendingPixels_ >= mostPendingPixels) {
        flushPending();
    }
}

bool GraphicsContext::handOverGradientPaint(cairo_pattern_t* source, double alpha, bool inDeviceSpace,
                                            bool alphaInClipCoverage) {
    const State& s = state();
    const cairo_pattern_type_t type = cairo_pattern_get_type(source);
    if ((type != CAIRO_PATTERN_TYPE_LINEAR && type != CAIRO_PATTERN_TYPE_RADIAL) || s.degenerate ||
        s.clipIsEmpty || s.blendMode != BlendMode::normal) {
        return false;
    }
    // Through a pixel mask as Cairo lays a paint through the mask in one
    // pass, under Cairo's clip, which must then be one rectangle of whole
    // pixels (GradientCoverageBlend::make asks Cairo).
    if (s.mask && alpha < 1) {
        return false;
    }
    const std::optional<std::vector<Rect>> rectangles = s.mask ? std::nullopt : deviceClipRectangles();
    const bool clipped = !s.mask && !rectangles;  // by paths: their coverage is multiplied in
    const Rect box = deviceClipBox();
    if (box.isNull() || box.isEmpty()) {
        return true;  // nothing shows
    }
    const int left = static_cast<int>(std::floor(box.minX())), top = static_cast<int>(std::floor(box.minY()));
    const int right = static_cast<int>(std::ceil(box.maxX())), bottom = static_cast<int>(std::ceil(box.maxY()));
    // Through a pixel mask under paths that cover its whole box (the
    // layer's turned bounds), the paths change nothing the mask lets through.
    const bool maskWithinClip = s.mask && clipHoldsBox(Rect(left, top, right - left, bottom - top));
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    if (inDeviceSpace) cairo_identity_matrix(cairo_);
    cairo_set_operator(cairo_, CAIRO_OPERATOR_OVER);
    std::optional<GradientCoverageBlend> gradient = GradientCoverageBlend::make(
        cairo_, source, clipped || maskWithinClip, rectangles ? &*rectangles : nullptr);
    cairo_set_matrix(cairo_, &matrix);
    if (!gradient) {
        return false;
    }
    // The alpha as a clip's coverage takes it (rounded to 8 bits), or as
    // Cairo's paint does (its upper 8 of 16 bits).
    const double held = std::clamp(alpha, 0.0, 1.0);
    const auto level = static_cast<std::uint8_t>(clipped && alphaInClipCoverage
                                                     ? std::lround(held * 255)
                                                     : static_cast<long>(held * 65535.0 + 0.5) >> 8);
    if (level == 0) {
        return true;
    }
    if (clipped && handOverClipPathFill(*gradient, level, Rect(left, top, right - left, bottom - top))) {
        return true;
    }
    std::optional<ClipCoverageView> clip;
    if (clipped) {
        if (!prepareClipCoverage(CoverageRasterizer::Plane{nullptr, 0, left, top, right - left, bottom - top})) {
            return false;
        }
        clip = clipCoverageView();
    } else if (s.mask) {
        clip = maskCoverageView(left, top, right - left, bottom - top);
        if (!clip) return false;
    }
    const int bands = gradientBands(right - left, bottom - top);
    const int bandRows = (bottom - top + bands - 1) / bands;
    std::vector<std::shared_ptr<PendingCoverageDrawing>> drawings;
    for (int bandTop = top; bandTop < bottom; bandTop += bandRows) {
        std::shared_ptr<PendingCoverageDrawing> drawing = spareDrawing();
        drawing->left = left;
        drawing->right = right;
        drawing->top = bandTop;
        drawing->bottom = std::min(bottom, bandTop + bandRows);
        drawing->coverBox(level);
        drawing->clip = clip;
        drawing->gradient = gradient;
        drawings.push_back(std::move(drawing));
    }
    handOver(drawings, true);
    return true;
}

void GraphicsContext::flushPending() const {
    if (pending_.empty()) {
        return;
    }
    CoverageWorkers& workers = CoverageWorkers::shared();
    // While a worker scan-converts the next drawing to lay down, the drawer
    // scan-converts later ones no worker has taken, rather than wait idle.
    std::size_t ahead = 0;
    const auto runOneAhead = [&] {
        for (; ahead < pending_.size(); ++ahead) {
            if (pending_[ahead]->submitted && workers.runIfWaiting(*pending_[ahead])) return true;
        }
        return false;
    };
    for (std::size_t index = 0; index < pending_.size(); ++index) {
        std::shared_ptr<PendingCoverageDrawing>& drawing = pending_[index];
        if (drawing->submitted) {
            ahead = std::max(ahead, index + 1);
            while (!workers.runIfWaiting(*drawing) && !CoverageWorkers::hasRun(*drawing) && runOneAhead()) {
            }
            workers.finish(*drawing);
        }
        drawing->layDown(cairo_);
        spareDrawings_.push_back(std::move(drawing));
    }
    pending_.clear();
    pendingPixels_ = 0;
}

bool GraphicsContext::paintRasterizedCoverageAtOnce(cairo_pattern_t* source, FillRule rule, bool stroked) {
    const State& s = state();
    if (!s.shouldAntialias || !s.allowsAntialiasing) {
        return false;
    }
    if (!rasterizer_) {
        rasterizer_ = std::make_unique<CoverageRasterizer>();
    }
    CoverageRasterizer& rasterizer = *rasterizer_;
    const bool clipped = clipsByPaths();
    // Cairo fills a rectangle along the axes as boxes, with the exact
    // coverage the rasteriser would give and without a coverage plane;
    // under a clip of paths the plane carries the clip, so it is used.
    if (!stroked && !clipped && alignedRectangle(devicePath_)) {
        return false;
    }
    if (stroked) {
        if (!takeCurrentStroke(rasterizer)) {
            return false;
        }
    } else if (!rasterizer.takeFill(devicePath_, rule)) {
        return false;
    }
    const Rect reach = rasterizer.bounds().intersection(deviceClipBox());
    if (reach.isNull() || reach.isEmpty()) {
        return true;  // nothing shows
    }
    CoverageRasterizer::Plane plane;
    // Left uncleared: a thin shape across a large box (a long turned bar)
    // would spend more on clearing the box than on its own coverage.
    cairo_surface_t* coverage = makePlane(reach, plane, false);
    if (coverage == nullptr) {
        return false;
    }
    // Where each row holds coverage, so that a thin shape across a large
    // box is laid down where it lies rather than over the whole box.
    std::vector<int> firstColumns(static_cast<std::size_t>(plane.height), plane.width);
    std::vector<int> endColumns(static_cast<std::size_t>(plane.height), 0);
    plane.firstColumns = firstColumns.data();
    plane.endColumns = endColumns.data();
    plane.uncleared = true;
    if (!rasterizer.render(plane) ||
        (clipped && !clipHoldsBox(Rect(plane.left, plane.top, plane.width, plane.height)) &&
         !multiplyByClipCoverage(plane))) {
        cairo_surface_destroy(coverage);
        return false;
    }
    if (stroked && rasterizer.strokeWasCut()) WorkBudget::noteActiveStrokeCut();
    // One colour goes straight into the target, without Cairo.
    if (const std::optional<SolidCoverageBlend> solid = SolidCoverageBlend::make(cairo_, source, clipped)) {
        solid->blendRows(plane, 0, plane.height);
        solid->markDirty(plane);
    } else if (const auto gradient = GradientCoverageBlend::make(cairo_, source, clipped)) {
        gradient->blendRows(plane);
    } else {
        cairo_surface_mark_dirty(coverage);
        layDownThroughCoverage(source, coverage, plane, clipped);
    }
    cairo_surface_destroy(coverage);
    return true;
}

void GraphicsContext::layDownThroughCoverage(cairo_pattern_t* source, cairo_surface_t* coverage,
                                             const CoverageRasterizer::Plane& plane, bool withoutClip,
                                             bool inDeviceSpace) {
    flushPending();
    // The source keeps the user space it was set in; the coverage lies in
    // device space. Saving the whole state costs more than the matrix, which
    // is all that changes when the clip stays.
    if (withoutClip) {
        cairo_save(cairo_);
        cairo_reset_clip(cairo_);
    }
    cairo_matrix_t matrix;
    cairo_get_matrix(cairo_, &matrix);
    // A group's pixels lie in device space, and are set there.
    if (inDeviceSpace) {
        cairo_identity_matrix(cairo_);
    }
    cairo_set_source(cairo_, source);
    cairo_identity_matrix(cairo_);
    // A small plane is laid down at once: a band costs a surface and a
    // composite of its own, more than the few columns it would spare.
    constexpr int smallPlanePixels = 128 * 128;
    const bool small = static_cast<long>(plane.width) * plane.height <= smallPlanePixels;
    if (plane.firstColumns != nullptr && small && plane.uncleared) {
        for (int row = 0; row < plane.height; ++row) {
            std::uint8_t* line = plane.data + static_cast<std::ptrdiff_t>(row) * plane.stride;
            const int written = std::clamp(plane.firstColumns[row], 0, plane.width);
            const int writtenEnd = std::clamp(plane.endColumns[row], written, plane.width);
            std::memset(line, 0, static_cast<std::size_t>(written));
            std::memset(line + writtenEnd, 0, static_cast<std::size_t>(plane.width - writtenEnd));
        }
    }
    if (plane.firstColumns == nullptr || small) {
        cairo_mask_surface(cairo_, coverage, plane.left, plane.top);
    } else {
        // Band by band, over the columns the band's rows hold coverage in:
        // the pixel library lays a mask down pixel by pixel, zeros included.
        constexpr int bandRows = 16;
        for (int top = 0; top < plane.height; top += bandRows) {
            const int bottom = std::min(plane.height, top + bandRows);
            int first = plane.width, end = 0;
            for (int row = top; row < bottom; ++row) {
                first = std::min(first, plane.firstColumns[row]);
                end = std::max(end, plane.endColumns[row]);
            }
            if (first >= end) continue;
            first &= ~3;  // rows of a mask start on 4-byte boundaries
            if (plane.uncleared) {
                // What the band lays down beyond the columns each row wrote.
                for (int row = top; row < bottom; ++row) {
                    std::uint8_t* line = plane.data + static_cast<std::ptrdiff_t>(row) * plane.stride;
                    const int written = std::clamp(plane.firstColumns[row], first, end);
                    const int writtenEnd = std::clamp(plane.endColumns[row], written, end);
                    std::memset(line + first, 0, static_cast<std::size_t>(written - first));
                    std::memset(line + writtenEnd, 0, static_cast<std::size_t>(end - writtenEnd));
                }
            }
            cairo_surface_t* band = cairo_image_surface_create_for_data(
                plane.data + static_cast<std::ptrdiff_t>(top) * plane.stride + first, CAIRO_FORMAT_A8, end - first,
                bottom - top, plane.stride);
            cairo_mask_surface(cairo_, band, plane.left + first, plane.top + top);
            cairo_surface_destroy(band);
        }
    }
    cairo_set_matrix(cairo_, &matrix);
    if (withoutClip) {
        cairo_restore(cairo_);
    }
}

}  // namespace platform::graphics
