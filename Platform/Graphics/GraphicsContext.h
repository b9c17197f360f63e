#pragma once
// A drawing context over a Cairo context: the stand-in for the platform's 2-D
// drawing contexts, used by both rendering engines, the compositor and the text
// stand-in (which draws through cairo()). Pixels are premultiplied ARGB32, or
// grey for grey bitmap contexts; y grows downwards.
//
// Drawing state (transform, colours, alpha, blend mode, line style, clip,
// anti-aliasing) is saved and restored as a whole. The current path is not part
// of that state; filling, stroking and clipping consume it. Points are mapped to
// device space when added, as the platform does, and kept within a few million
// pixels so that huge shapes (the inverted masks span 20,000,000 units) stay
// within what Cairo can represent.
//
// A transform that collapses the plane (a scale of 0, as animations reach) makes
// every drawing and path addition a no-op and clipping empty until the state is
// restored; it never puts the Cairo context into its error state.
//
// Owned by whoever made it; not thread-safe.

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Platform/Graphics/AffineTransform.h"
#include "Platform/Graphics/BlendMode.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/ClipCoverageView.h"
#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/DrawingCost.h"
#include "Platform/Graphics/FillRule.h"
#include "Platform/Graphics/Gradient.h"
#include "Platform/Graphics/GradientDrawingOptions.h"
#include "Platform/Graphics/DeviceClipShape.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/LineCap.h"
#include "Platform/Graphics/LineJoin.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Point.h"
#include "Platform/Graphics/PointBounds.h"
#include "Platform/Graphics/Rect.h"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;
typedef struct _cairo_pattern cairo_pattern_t;

namespace platform::graphics {

class GradientCoverageBlend;
class PendingCoverageDrawing;

class GraphicsContext {
public:
    // A transparent premultiplied ARGB32 bitmap; nothing when either side is not
    // positive, passes 32767, or the pixel count passes Image::kMaximumPixelCount.
    static std::unique_ptr<GraphicsContext> makeBitmap(int width, int height);
    // An 8-bit grey bitmap without alpha, black at first: what mask images are drawn in.
    static std::unique_ptr<GraphicsContext> makeGreyBitmap(int width, int height);
    // A transparent bitmap of coverage alone (8 bits a pixel, colours dropped):
    // what a mask drawn for clipToAlphaOf is drawn into, at a quarter of the
    // memory and of the pixel work an ARGB bitmap would take. Nothing for the
    // sizes makeBitmap refuses.
    static std::unique_ptr<GraphicsContext> makeAlphaBitmap(int width, int height);
    // Draws into an existing Cairo context, taking a reference to it. Its size is
    // its target's when that is an image surface, else 0 x 0 (clipping to masks
    // then clips everything).
    explicit GraphicsContext(cairo_t* cairo);
    ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    // Lays down first whatever drawing is still being scan-converted, so that
    // the Cairo context given holds every pixel drawn so far.
    cairo_t* cairo() const;
    int width() const { return width_; }
    int height() const { return height_; }
    bool isGrey() const { return grey_; }
    // A snapshot of the pixels (grey8 for a grey bitmap); nothing when the target
    // is not one of our bitmaps.
    std::shared_ptr<const Image> makeImage() const;
    // Ends the context and hands its pixels over as an image without copying
    // them (grey bitmaps are still converted); nothing for a null context.
    static std::shared_ptr<const Image> finishImage(std::unique_ptr<GraphicsContext> context);

    void saveGState();
    // Does nothing without a matching save (or past the start of a transparency layer).
    void restoreGState();

    void translateBy(double tx, double ty);
    void scaleBy(double sx, double sy);
    void rotateBy(double angle);
    // `transform` applies to points first, then the current transform.
    void concatenate(const AffineTransform& transform);
    // User space to device space.
    AffineTransform currentTransform() const;
    // Not part of the saved state, as on the platform.
    void setTextMatrix(const AffineTransform& matrix) { textMatrix_ = matrix; }
    AffineTransform textMatrix() const { return textMatrix_; }

    void beginPath();
    void addPath(const Path& path);
    void addRect(const Rect& rect);
    void addEllipse(const Rect& rect);
    bool isPathEmpty() const { return pathElementCount_ == 0; }
    // In user space; the null rectangle when the path is empty.
    Rect pathBoundingBox() const;
    // Makes the current path stand for the outline of its stroke with the current
    // line style: filling it paints the stroke, clipping to it clips to the stroke.
    void replacePathWithStrokedPath();

    void fillPath(FillRule rule = FillRule::winding);
    void strokePath();
    void fillRect(const Rect& rect);
    // Makes the rectangle transparent (black in a grey bitmap), whatever the blend mode.
    void clearRect(const Rect& rect);
    // The image fills the rectangle, its first row at the rectangle's top (minY).
    void drawImage(const Image& image, const Rect& rect);
    // Lays an ARGB image down pixel for pixel with its top-left corner at a
    // device pixel, through the state's alpha and blend mode but not its clip:
    // for pictures that were drawn under the same clip already, whose edges a
    // second pass through an anti-aliased clip would thin.
    void drawDeviceImageIgnoringClip(const Image& image, int x, int y);
    // The same for a picture the context may hold until it lays it down, in
    // drawing order with the fills and strokes it handed to its workers.
    void drawDeviceImageIgnoringClip(const std::shared_ptr<const Image>& image, int x, int y);
    // Whether nothing has been drawn yet into the device pixels [x, x +
    // width) x [y, y + height) of the target (of the transparency layer open,
    // if any): a picture laid down there pixel for pixel gives the pixels
    // that drawing its contents there would, to the bit. Lays down what the
    // workers hold first where it has to read the pixels.
    bool isClearWithin(int x, int y, int width, int height) const;
    // Points of a linear gradient that lie within 1/64 of a device pixel of each
    // other are one point: the gradient has no extent.
    void drawLinearGradient(const Gradient& gradient, Point start, Point end, GradientDrawingOptions options);
    void drawRadialGradient(const Gradient& gradient, Point startCenter, double startRadius, Point endCenter,
                            double endRadius, GradientDrawingOptions options);

    // Fill the current path, or the stroke it stands for after
    // replacePathWithStrokedPath, with the gradient extended past both of its
    // ends, as the draw functions do with GradientDrawingOptions::extended(); a
    // gradient of no extent fills with its last colour. One fill, as sharp as
    // the device at any scale, where clipping and drawing would need a pixel
    // mask for a stroke. Consume the path; nothing is filled for geometry that
    // is not finite or a negative radius.
    void fillPathWithLinearGradient(const Gradient& gradient, Point start, Point end,
                                    FillRule rule = FillRule::winding);
    void fillPathWithRadialGradient(const Gradient& gradient, Point startCenter, double startRadius, Point endCenter,
                                    double endRadius, FillRule rule = FillRule::winding);

    void clip(FillRule rule = FillRule::winding);
    // Clips to the area the current path's stroke would paint, with the current line style.
    void clipToStrokeOfCurrentPath();
    void clipToRect(const Rect& rect);
    // Multiplies the clip by the image stretched over the rectangle: a grey
    // image's level, or an ARGB image's alpha; nothing shows outside the rectangle.
    void clipToMask(const Rect& rect, const Image& mask);
    // Multiplies the clip by the alpha of the pixels drawn into `mask` (a
    // bitmap of this device, its top-left pixel on device pixel `x`, `y`);
    // nothing shows outside it. Ends `mask`: the pixels of an alpha bitmap
    // become the clip's own, without a copy. A null mask clips to nothing.
    void clipToAlphaOf(std::unique_ptr<GraphicsContext> mask, int x, int y);
    // In user space; the null rectangle when nothing can be drawn.
    Rect clipBoundingBox() const;
    // The device box the clip lets drawing touch, within the target, asked
    // of the clip once for each chain of clips; the null rectangle when
    // nothing can be drawn.
    Rect deviceClipBoundingBox() const;
    // The clip as rectangles in device pixels, when it is made of rectangles
    // alone (no path, stroke or mask clip); none otherwise.
    std::optional<std::vector<Rect>> deviceClipRectangles() const;
    // The clip as a value (DeviceClipShape): its rectangles when it is made of
    // device-aligned rectangles alone, else the paths clipped to as well; none
    // while a pixel mask (a clip to a stroke or a mask image) clips too.
    std::optional<DeviceClipShape> deviceClipShape() const;
    // Clips to a shape taken from a context of the same device, its
    // coordinates read in the current user space.
    void clipToDeviceClipShape(const DeviceClipShape& shape);

    void setFillColor(const Color& color);
    void setStrokeColor(const Color& color);
    Color fillColor() const;
    Color strokeColor() const;
    // Multiplies everything drawn; clamped to 0...1.
    void setAlpha(double alpha);
    double alpha() const;
    // Whether the alpha scales solid colours as it would scale a transparency
    // layer they were drawn in: each colour first rounded to the pixels' 8
    // bits, then scaled by the alpha in 8 bits. The plain product, the
    // default, can come out a level away from the layer's pixels; images and
    // gradients are scaled as a layer would be either way. One drawing made
    // so gives the pixels of that drawing in a layer, up to a level at its
    // antialiased edges.
    void setAlphaAsLayer(bool asLayer);
    void setBlendMode(BlendMode mode);
    BlendMode blendMode() const;
    // Negative or non-finite widths count as 0.
    void setLineWidth(double width);
    void setMiterLimit(double limit);
    void setLineCap(LineCap cap);
    void setLineJoin(LineJoin join);
    // Empty lengths mean a solid line; so do lengths with a negative or
    // non-finite entry or summing to 0. A pattern that would cut the stroked path
    // into more than DashLimit::maximumSegments pieces is stretched (DashLimit).
    void setLineDash(double phase, std::span<const double> lengths);
    void setShouldAntialias(bool shouldAntialias);
    void setAllowsAntialiasing(bool allowsAntialiasing);

    // Draws into a fresh transparent layer until the matching end, then composites
    // that layer as one with the alpha, blend mode and clip in effect at the begin.
    // A layer given the device box that holds all that will be drawn into it is
    // made no larger than that box (what falls outside is lost): cheaper than
    // clipping to the box, which turns a clip to a path into a pixel mask.
    void beginTransparencyLayer(std::optional<Rect> deviceBounds = std::nullopt);
    void endTransparencyLayer();

    void flush();

    // Makes drawing possible again after the Cairo context drawn into now has
    // entered its error state (a drawing asked for something it cannot
    // represent): a fresh context on the same pixels takes its place, with the
    // transforms and clips of every saved state still open put back, so that
    // the matching restores unwind as before. What was drawn before the failure
    // stays; the current path is emptied. Gives what failed, or nothing when
    // the context was sound (then nothing changes). The renderer calls it after
    // each layer, so that one failing layer does not lose the frame.
    std::optional<std::string> recoverFromFailure();

    // The rendering of a shape with a round pen, as the rasteriser makes it:
    // the number of vertices of a pen of `radius` device pixels.
    static double penVertices(double radius);
    // The tolerance, in device pixels, that curves are flattened with under a
    // pen of `radius` device pixels. A chord that strays from a curve by the
    // tolerance strays the more at the pen's edge, by the pen's reach over the
    // curve's radius: a circle of a few pixels stroked hundreds wide would show
    // its chords as wedges. So the tolerance shrinks in proportion to the reach
    // past a few pixels, down to a floor that keeps the vertices bounded.
    static double strokeTolerance(double radius);
    // The largest radius, in device pixels, that a stroke's pen is made with.
    // Under a transform that stretches one way billions of times, a pen of that
    // size along the stretch covers the whole view as the exact one would.
    static constexpr double maximumPenRadius = 1 << 16;
    // The reach, in user space, of the pen a stroke of `lineWidth` is made with:
    // half the width, but no more than maximumPenRadius device pixels in the
    // direction the current transform stretches least.
    double userPenRadius(double lineWidth) const;

private:
    struct State;
    struct CairoSettings;
    struct PixelMask;
    struct DeviceClip;

    // The device box and outline cost of a path, added to segment by segment.
    struct PathExtent {
        PointBounds box;
        DrawingCost::Outline outline;
        // Its curves, and the sum over them of the square root of 3/4 of the
        // largest second difference of their points: what the pieces Cairo
        // flattens them into grow with (cairoStrokeCost).
        double curves = 0;
        double curveBends = 0;

        // A segment from `from`, whose end `to` it takes into the box.
        void addSegment(Point from, Point to, double rowLimit, double columnLimit);
    };

    GraphicsContext(cairo_t* cairo, int width, int height, bool grey);

    State& state();
    const State& state() const;
    // Drops the current state, and puts Cairo's context back as it was when
    // the state was saved.
    void popState();
    // Saves Cairo's own state for the current one, if it was put off, before
    // a clip that restoring it must undo.
    void saveCairoBeforeClipping();
    void applyTransform(const AffineTransform& transform);
    Point toDevice(Point user) const;
    void deviceMoveTo(Point device);
    void deviceLineTo(Point device);
    void deviceCurveTo(Point c1, Point c2, Point end);
    // Takes an element of the device path into pathExtent_, from `current`
    // (moved to its end) in the subpath begun at `subpathStart`; its
    // segments outside `within`, when given, as segments that cross no cell.
    void measureDeviceElement(const PathElement& element, Point& current, Point& subpathStart,
                              const Rect* within = nullptr);
    // Cuts down, before the path is drawn (stroked, when `stroked`) or clipped
    // to, its curves that reach far outside what can show (FarCurveCutter),
    // and measures it again. A dashed stroke's path keeps its length, and
    // its pattern the stretch the uncut path gave it (dashLengthBound_).
    void cutFarCurves(bool stroked);
    void addDevicePathElements(const Path& path);
    void consumePath();
    // The line style, with a dash pattern stretched as DashLimit says for the current path.
    void applyStrokeStyle(cairo_t* target) const;
    // DashLimit::lengthBound of the current path, in the user space of `source`
    // (the context's own Cairo context when none), which holds the path.
    double pathLengthBound(cairo_t* source = nullptr) const;
    // What stroking the current path with Cairo costs beyond strokeCost(),
    // which counts a curve as its control polygon: the pieces Cairo flattens
    // its curves into at the stroke's tolerance. Taken from the active budget
    // (takeCairoStroke) before any stroke is handed to Cairo, once a path
    // (the worker may hand a stroke back to be drawn here); false when it
    // does not fit, and the stroke is left out.
    double cairoStrokeCost() const;
    bool takeCairoStroke() const;
    // Whether the stroke's outline may reach past FreeType's fixed point, so
    // that the worker strokes it with Cairo.
    bool strokeOutlineMayOverflow() const;
    // Cuts the stretch of the target's matrix where the state's line width
    // would make a pen wider than maximumPenRadius pixels.
    void boundPen(cairo_t* target) const;
    // The transform the state's pen is made under, as boundPen sets it: the
    // current one, or its stretches cut to the bound.
    AffineTransform penTransform() const;
    // The radius of the state's pen in device pixels, as boundPen bounds it.
    double penRadius() const;
    void applyAntialias() const;
    // The box of the current clip in device space, as the rasteriser reports it.
    Rect deviceClipExtents() const;
    // The device box that the current clip lets drawing touch, within the target.
    Rect deviceClipBox() const;
    // The device pixels of the current path's box (grown by `margin`) that can show.
    double visiblePathPixels(double margin) const;
    // The cost of filling, or stroking with the state's line style, the current
    // path; of laying down `pixels` through the state's blend mode and mask.
    double fillCost() const;
    double strokeCost() const;
    double compositeCost(double pixels) const;
    // The cost of clipping to the current path: its outline is rasterised as
    // a fill's is, and crowded edges cost as much, though no pixel is laid down.
    double clipCost() const;
    BlendMode costedBlendMode() const;
    // What making the gradient's colour ramp and shading `pixels` with it
    // costs, before they are laid down.
    double shadingCost(const Gradient& gradient, double pixels) const;
    // Takes the cost of painting the gradient over the whole clip; false when
    // the frame's budget refuses it.
    bool takeGradientCost(const Gradient& gradient) const;
    static double visibleArea(const Rect& box) { return box.isNull() ? 0 : box.width() * box.height(); }
    // Runs `draw`, which paints with the state's alpha already applied, through
    // the state's blend mode and pixel mask.
    // `drawsClipCoverage`: the drawing takes a clip of paths into the
    // coverage it lays down itself (paintRasterizedCoverage), or keeps Cairo's.
    template <typename Draw>
    void composite(Draw&& draw, bool drawsClipCoverage = false);
    // Paints `source` over the clip with `alpha` through the state's blend mode
    // and pixel mask. With a mask and a whole alpha, the source is laid down
    // through the mask in one pass instead of being made apart first. The
    // source lies in the current user space, or in device space (a group's
    // pixels) when `inDeviceSpace`: laid down pixel for pixel then, where a
    // round trip through a turned or scaled user space would leave the
    // pattern's transform a rounding away from the identity and have every
    // pixel resampled.
    void compositePaint(cairo_pattern_t* source, double alpha, bool inDeviceSpace = false);
    // Lays `source` down through the state's pixel mask (there must be one)
    // with the state's blend mode; `inDeviceSpace` as for compositePaint.
    void layDownThroughMask(cairo_pattern_t* source, bool inDeviceSpace);
    void setSourceColor(const Color& color) const;
    // A solid source of the colour under the state's alpha (rounded as a layer
    // would round it, when the state says so); the caller destroys it.
    cairo_pattern_t* solidSource(const Color& color) const;
    // Fills the current path (or its stroke) with `source` through composite(),
    // and consumes the path; a null source fills nothing.
    // `shading` says what the source costs to make for the path's pixels
    // (a gradient's), taken with the fill's own cost.
    void fillCurrentPath(cairo_pattern_t* source, FillRule rule, const Gradient* shading = nullptr);
    // Fills as fillCurrentPath does, for a source other than one colour: the
    // path's coverage within the clip is drawn into a mask of the pixels it
    // can reach, and the source laid down through it in one pass. Laid down
    // span by span, the pixel library would clear a whole scanline buffer
    // for every row the path crosses, which costs more than the painting.
    // Cairo's fill rule `rule`; the coverage scaled by `alpha`; false, having
    // drawn nothing, when a pixel mask clips or the mask could not be made.
    bool fillThroughCoverage(cairo_pattern_t* source, int rule, double alpha = 1);
    // Paints the current path's fill under `rule`, or its stroke with the
    // state's line style when `stroked`, with `source` laid through the
    // coverage the CoverageRasterizer makes of it, under the clip and the
    // operator in force (a clip of paths taken into the coverage): handed
    // over to the workers where it can be (handOverCoverage), else at once,
    // after what was handed over is laid down. False, having drawn nothing,
    // where that would not draw what Cairo's own filling or stroking draws:
    // without antialiasing, for a dashed stroke, and wherever the rasteriser
    // refuses.
    bool paintRasterizedCoverage(cairo_pattern_t* source, FillRule rule, bool stroked);
    // paintRasterizedCoverage drawing here and now.
    bool paintRasterizedCoverageAtOnce(cairo_pattern_t* source, FillRule rule, bool stroked);
    // Hands a solid fill or stroke (under a clip of one whole-pixel
    // rectangle, into an ARGB target, with "over") to the CoverageWorkers,
    // to be laid down at the next flushPending; false, having handed
    // nothing over, for any other drawing.
    bool handOverCoverage(cairo_pattern_t* source, FillRule rule, bool stroked);
    // A drawing to hand over: one laid down before, or a new one.
    std::shared_ptr<PendingCoverageDrawing> spareDrawing() const;
    // How many bands of rows a gradient drawing over a box this large is
    // split into.
    static int gradientBands(int width, int height);
    // How many bands of rows a fill of one colour is split into: by the
    // rows its edges cross, which its scan conversion costs.
    static int outlineBands(const DrawingCost::Outline& outline, int height);
    // Queues the drawings, readied, behind those pending, handing them to
    // the workers when `submits`; lays everything pending down once too
    // much waits.
    void handOver(std::vector<std::shared_ptr<PendingCoverageDrawing>>& drawings, bool submits);
    // Hands a padded gradient painted over the clip (in `alpha`, in user
    // space or the device's) over as drawings of the clip's box, through
    // the clip's coverage; false where it must be painted by Cairo. The
    // alpha goes into a clip of paths' coverage as makeClipCoverage takes
    // it when `alphaInClipCoverage`, else as Cairo's paint takes it.
    bool handOverGradientPaint(cairo_pattern_t* source, double alpha, bool inDeviceSpace, bool alphaInClipCoverage);
    // Hands a gradient painted over one path clipped to (in `level`) over as
    // that path filled within the device box; false where the clip is not
    // one such path, or the fill cannot be handed over.
    bool handOverClipPathFill(const GradientCoverageBlend& gradient, std::uint8_t level, const Rect& box);
    // The current pixel mask's coverage over the device box, as a clip's
    // is viewed; kept while the mask stays and holds the box.
    std::optional<ClipCoverageView> maskCoverageView(int left, int top, int width, int height);
    // Lays down, in order, every drawing handed over; before anything else
    // draws into or reads the target.
    void flushPending() const;
    // Takes the current path's stroke (with the state's line style) into the
    // rasteriser; false when it is left to Cairo.
    // With `checkOnly`, only checks it in (CoverageRasterizer::checkStroke),
    // for the stroking to be done on another thread.
    bool takeCurrentStroke(CoverageRasterizer& rasterizer, bool checkOnly = false) const;
    // The device path a stroke of the current path strokes without dashes:
    // the path itself, or, under a dash pattern, its dashes (PathDasher),
    // the pattern stretched as DashLimit says, made once per path.
    const Path& strokedDevicePath() const;
    // How far past the current path, in device pixels, its stroke with the
    // state's pen can reach: not a finite number when it cannot be bounded.
    double strokeReach() const;
    // Draws the current path's stroke into a new pixel mask (cleared, over
    // the clip's box) and sets its bounds; false, having drawn nothing, when
    // it is left to Cairo.
    bool rasterizeStrokeInto(PixelMask* mask);
    // Lays `source` down through a coverage plane with the operator set,
    // under the clip or, when the plane holds the clip already, without it;
    // `inDeviceSpace` as for compositePaint.
    void layDownThroughCoverage(cairo_pattern_t* source, cairo_surface_t* coverage,
                                const CoverageRasterizer::Plane& plane, bool withoutClip,
                                bool inDeviceSpace = false);
    // Whether the clip is cut by paths, not whole-pixel rectangles alone (nor a pixel mask).
    bool clipsByPaths() const;
    // An A8 surface of the clip's coverage (times `alpha`) over the device
    // pixels of `box`, which `plane` is then set to describe; null when the
    // rasteriser cannot make it. The caller destroys it.
    cairo_surface_t* makeClipCoverage(const Rect& box, CoverageRasterizer::Plane& plane, double alpha = 1);
    // Multiplies the plane's coverage by the clip's: that of the rectangles
    // the surface is clipped to (their union) and of each path clipped to;
    // false when one cannot be rasterised.
    bool multiplyByClipCoverage(const CoverageRasterizer::Plane& plane);
    // Makes the clip's coverage ready over the plane's box (the kept one,
    // when it holds the box), for multiplyByClipCoverage and for drawings
    // handed over, which multiply by it on their workers.
    bool prepareClipCoverage(const CoverageRasterizer::Plane& plane);
    // The clip's coverage as prepareClipCoverage last made it.
    ClipCoverageView clipCoverageView() const;
    // Multiplies a plane of full coverage by the clip's: the rectangles'
    // and each path's; false when one cannot be rasterised.
    bool makeClipCoverageOver(const CoverageRasterizer::Plane& plane, const std::vector<Rect>& rectangles);
    // Whether the clip covers every pixel of the box whole: the surface's
    // rectangle holds it, and each path clipped to is a convex polygon
    // around it (a clip to bounds, turned or not).
    bool clipHoldsBox(const Rect& box) const;
    // Hands a picture of device pixels over to be laid down in drawing
    // order (drawDeviceImageIgnoringClip); false for a target, blend mode
    // or picture it cannot lay down so.
    bool handOverPicture(const std::shared_ptr<const Image>& image, int x, int y);
    // Hands a transparency layer's pixels over as such a picture, when the
    // state lays it down as one: the normal blend mode, no pixel mask, and a
    // clip of one rectangle of whole pixels that holds the layer's buffer
    // (its pixels are then all the clip lets through); false otherwise.
    bool handOverLayer(cairo_pattern_t* layer);
    // Lays a transparency layer's pixels (`layer`, in device space) down
    // through the coverage `plane` over the target, in the normal blend
    // mode, as the pixel library would with the plane for a mask; false,
    // having drawn nothing, for a layer or target it cannot lay down so.
    bool layDownLayerThroughCoverage(cairo_pattern_t* layer, const CoverageRasterizer::Plane& plane);
    void clipToNothing();
    // Clips to the current path, kept in device space, with Cairo's fill rule
    // `rule`, and records the clip in the state for recoverFromFailure.
    void clipToDevicePath(int rule);
    void intersectMask(const std::shared_ptr<PixelMask>& mask);
    // A mask over the device pixels the clip lets through, with the current
    // transform set, for drawing a new clip into.
    std::shared_ptr<PixelMask> newMask(cairo_t** drawing) const;
    template <typename Body>
    void preservingPath(Body&& body);
    // Hands Cairo the elements of the current path it has not been given,
    // in device space, as they were added.
    void syncCairoPath() const;
    // Paints `image` (whose pixels `surface` holds) resampled into `rect`, its
    // edges padded outwards, with the state's alpha; clipped to the current
    // path (the rectangle) when `clipped`. With the convolving filter when
    // `convolves`, else the bilinear one (ImageSampling).
    void paintResampled(cairo_surface_t* surface, const Image& image, const Rect& rect, bool clipped,
                        bool convolves);
    // Lays `source` (a pattern in the current user space) down within the
    // current path, a rectangle, with the state's alpha: in one pass through
    // its coverage when `throughCoverage` and the clip allows, else clipped
    // to the path.
    void paintWithinPath(cairo_pattern_t* source, bool throughCoverage);
    // The pattern of `surface`, the pixels of `image`, filling `rect` in the
    // current user space as setResampledSource lays it (the caller destroys it).
    static cairo_pattern_t* resampledPattern(cairo_surface_t* surface, const Image& image, const Rect& rect,
                                             bool convolves);
    // Makes `surface`, the pixels of `image`, the source of `cairo` filling
    // `rect` (in its current space), resampled with edges padded: the one way
    // an image is laid into a rectangle, whether painted or clipped to.
    static void setResampledSource(cairo_t* cairo, cairo_surface_t* surface, const Image& image, const Rect& rect,
                                   bool convolves = true);
    // Where `image`, drawn into `rect`, lands on the device, when a copy of it
    // resampled there is worth keeping: it is shown smaller than it is, and the
    // device pixels it covers within the target are fewer than its own.
    std::optional<ImageShownCopies::Placement> shownPlacement(const Image& image, const Rect& rect) const;
    // The image resampled at the placement, in device pixels, its edges padded
    // over the whole placement (the rectangle clips it where it is laid
    // down); none when it cannot be made.
    std::shared_ptr<const Image> makeShownCopy(const Image& image, const Rect& rect,
                                               const ImageShownCopies::Placement& placement, bool convolves) const;
    // Draws into a pooled offscreen buffer the size of the clip until the
    // matching popGroup, which gives it back as a source pattern in device
    // space (the caller destroys it). A box given in device pixels bounds
    // the buffer further.
    void pushGroup(std::optional<Rect> deviceBounds = std::nullopt);
    cairo_pattern_t* popGroup();

    // Where drawing goes now: the target's context, or an open group's.
    cairo_t* cairo_;
    // The contexts under the open groups, the target's first.
    std::vector<cairo_t*> outerContexts_;
    // The surface of each context of the chain, the target's first and the one
    // of cairo_ last: a context in its error state no longer gives its own.
    // Each context keeps its surface alive.
    std::vector<cairo_surface_t*> surfaces_;
    int width_;
    int height_;
    bool grey_;
    std::vector<State> states_;
    // The depth of states_ at each open transparency layer.
    std::vector<std::size_t> layerDepths_;
    // The device rectangles each open group's context was clipped to when it
    // began (the outer clip's rectangles, or the group's box).
    std::vector<std::vector<Rect>> groupClips_;
    AffineTransform textMatrix_;
    std::size_t pathElementCount_ = 0;
    // The current path in device space, for the coverage rasteriser. Cairo
    // is handed its elements only when it draws, clips or measures with the
    // path (syncCairoPath): most paths are filled or stroked by the
    // rasteriser, and Cairo's copy would go unused. The first
    // cairoPathElements_ of them were handed over since the path began.
    Path devicePath_;
    mutable std::size_t cairoPathElements_ = 0;
    // The length bound of a dashed path before its far curves were cut,
    // which its pattern is stretched by; none for an uncut path.
    std::optional<double> dashLengthBound_;
    // The current path's dashes, once made (strokedDevicePath).
    mutable Path dashedPath_;
    mutable bool dashedPathMade_ = false;
    // Whether the current path's Cairo stroke has been taken from the budget.
    mutable bool cairoStrokeTaken_ = false;
    // Made on first use: for what is drawn, and for the clip it is drawn under.
    std::unique_ptr<CoverageRasterizer> rasterizer_;
    std::unique_ptr<CoverageRasterizer> clipRasterizer_;
    // The coverage of the clip last drawn under, kept while the clip stays.
    struct ClipCoverage {
        bool valid = false;
        std::shared_ptr<const DeviceClip> clips;
        std::vector<Rect> rectangles;
        int left = 0, top = 0, width = 0, height = 0;
        // Shared with the drawings handed over under it, which read it
        // while a later clip's coverage is made in a buffer of its own.
        std::shared_ptr<std::vector<std::uint8_t>> coverage;
    };
    ClipCoverage clipCoverage_;
    struct MaskCoverage {
        std::shared_ptr<PixelMask> mask;
        ClipCoverageView view;
    };
    MaskCoverage maskCoverage_;
    // What Cairo says of its clip, asked once for each chain of clips on
    // each context: contexts change with groups and recovery, each change
    // counted. The chain is held, so no other takes its place.
    template <typename Answer>
    struct ClipAnswer {
        bool valid = false;
        std::uint64_t contextChanges = 0;
        std::shared_ptr<const DeviceClip> clips;
        Answer answer{};

        bool holdsFor(std::uint64_t changes, const std::shared_ptr<const DeviceClip>& chain) const {
            return valid && contextChanges == changes && clips == chain;
        }
    };
    // Its rectangles (deviceClipRectangles) and its box (deviceClipExtents).
    mutable ClipAnswer<std::optional<std::vector<Rect>>> clipRectangles_;
    mutable ClipAnswer<Rect> clipExtents_;
    std::uint64_t contextChanges_ = 0;
    // Buffers of earlier clips' coverage, for the next clip's.
    std::vector<std::shared_ptr<std::vector<std::uint8_t>>> spareClipCoverage_;
    // Drawings handed to the CoverageWorkers and not yet laid down, in
    // drawing order, and those laid down, kept for reuse.
    mutable std::vector<std::shared_ptr<PendingCoverageDrawing>> pending_;
    mutable std::vector<std::shared_ptr<PendingCoverageDrawing>> spareDrawings_;
    // The device pixels of the boxes of drawings handed over since a
    // worker was last woken for them.
    long handedPixels_ = 0;
    // The device pixels of the boxes of the drawings handed over and not yet laid down.
    mutable long pendingPixels_ = 0;
    bool pathIsStroked_ = false;
    // Where the current path lies in device space and what it costs to scan,
    // gathered as it is built (see DrawingCost).
    PathExtent pathExtent_;

    // The device pixels that drawing onto the target (not into an open
    // group) may have reached, told to the pixel buffer pool as the context
    // ends so that the target's buffer clears only those for its next use;
    // everywhere once Cairo's context has been handed out (cairo()).
    struct WrittenBox {
        double minX = 0, minY = 0, maxX = 0, maxY = 0;
        bool empty = true;
        bool everywhere = false;
    };
    mutable WrittenBox written_;
    // Adds a device box that a drawing about to be made onto the target
    // reaches (antialiasing included), when no group is open.
    void noteWritten(double minX, double minY, double maxX, double maxY);
    // The same for the current path, filled or (when `stroked`) stroked with
    // the current pen, and for all the clip lets through.
    void noteWrittenPath(bool stroked);
    void noteWrittenClip();
};

}  // namespace platform::graphics
