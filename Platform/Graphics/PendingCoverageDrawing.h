#pragma once
// A fill or stroke that a GraphicsContext has handed to the CoverageWorkers:
// its outline taken in (a stroke's only checked in), the device box it can
// show in, how it is laid down (a colour straight into the target, any other
// source by Cairo), and the clip of paths it is drawn under, if any. A worker,
// or the context itself, strokes and scan-converts it into spans; the context
// then lays them down, in drawing order, before anything else touches the
// target's pixels.
//
// Owned by the context that made it, which reuses it for later drawings; a
// worker holds it only while it may still run it.

#include <memory>
#include <optional>
#include <vector>

#include "Platform/Graphics/ClipCoverageView.h"
#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/CoverageWorkers.h"
#include "Platform/Graphics/GradientCoverageBlend.h"
#include "Platform/Graphics/Image.h"
#include "Platform/Graphics/LineCap.h"
#include "Platform/Graphics/LineJoin.h"
#include "Platform/Graphics/Path.h"
#include "Platform/Graphics/Rect.h"
#include "Platform/Graphics/SolidCoverageBlend.h"

namespace platform::graphics {

class PendingCoverageDrawing final : public CoverageWorkers::Job {
public:
    PendingCoverageDrawing() = default;
    ~PendingCoverageDrawing() override;

    // What the context fills in before handing it over: the rasteriser
    // prepared for the box [left, right) x [top, bottom).
    CoverageRasterizer rasterizer;
    int left = 0, top = 0, right = 0, bottom = 0;
    // A colour laid "over" straight into the target's pixels; a padded
    // gradient laid "over" the same way, worked through the spans' coverage
    // on the worker; or any other source (a colour under another operator),
    // which Cairo lays down through a plane of the spans, with the operator
    // and the user space (which the source is locked to) in force when the
    // drawing was handed over.
    std::optional<SolidCoverageBlend> blend;
    std::optional<GradientCoverageBlend> gradient;
    struct CairoSource {
        cairo_pattern_t* pattern = nullptr;  // a reference of the drawing's own
        cairo_matrix_t matrix{};
        cairo_operator_t op = CAIRO_OPERATOR_OVER;
        SolidCoverageBlend::Target target;
    };
    std::optional<CairoSource> source;
    std::optional<ClipCoverageView> clip;
    // Or a picture of device pixels laid "over" the target whole, its
    // top-left corner at (x, y), its pixels times `alpha`, without the clip:
    // nothing to scan-convert, it only keeps its place in drawing order.
    struct Picture {
        std::shared_ptr<const Image> image;
        int x = 0, y = 0;
        std::uint8_t alpha = 0xff;
        SolidCoverageBlend::Target target;
    };
    std::optional<Picture> picture;

    // Gives the drawing the spans of a rectangle along the device's axes,
    // within its box, as Cairo lays such a rectangle down (as boxes): its
    // edges in 24.8 fixed point, each pixel's share along either axis in
    // 256ths, their product in 8 bits. It then has nothing to scan-convert.
    void coverRectangle(const Rect& rect);
    // Gives the drawing its whole box at one level of coverage.
    void coverBox(std::uint8_t level);
    // Whether it was handed to the workers (CoverageWorkers::submit), which
    // a drawing with an outline to scan-convert, or a band of a gradient,
    // is; a drawing given its spans otherwise waits for layDown.
    bool submitted = false;

    // A stroke is stroked on the worker too, from what the rasteriser
    // checked in (CoverageRasterizer::checkStroke), within the box; where
    // FreeType's stroker did not take it (nothing was checked in) or its
    // outline does not fit FreeType's, the worker has Cairo stroke it with
    // these into a plane of coverage (laid down as any drawing's coverage,
    // which rounds a level apart from Cairo's own stroke in a few pixels).
    struct CairoStroke {
        AffineTransform pen;
        double tolerance = 0.1;
        double width = 1;
        double miterLimit = 10;
        LineCap cap = LineCap::butt;
        LineJoin join = LineJoin::miter;
    };
    std::optional<CairoStroke> stroke;
    // The stroke's path, in device space; kept across reuse, so that copying
    // the next one in allocates nothing once it has grown to its size.
    Path strokePath;

    // After CoverageWorkers::finish: lays the spans down into the target,
    // which `cairo` draws into, and lets go of what it held. Nothing is laid
    // down if the scan conversion failed, which an outline readied for a box
    // no wider than maximumWidth cannot do but for want of memory.
    void layDown(cairo_t* cairo);
    // Lets go of the target and the clip, as layDown does.
    void release();
    // The bytes its buffers hold for reuse.
    std::size_t heldBytes() const;

    // FreeType's scan converter holds every cell of a row at once in a pool
    // of a fixed size, and fails a row of more cells than it holds: a box
    // this narrow never has such a row.
    static constexpr int maximumWidth = 512;

protected:
    void run() override;


private:
    // Strokes the path with Cairo into a plane of coverage over the box and
    // takes its spans, where FreeType's stroker did not stroke it.
    void strokeWithCairo();
    // Lays the spans down through a coverage plane with Cairo, for a source
    // other than one colour.
    void layDownThroughPlane(cairo_t* cairo) const;
    // Works the gradient through the spans' coverage.
    void cover();
    // Lays the picture over the target.
    void layDownPicture() const;

    std::vector<CoverageRasterizer::Span> spans_;
    // The gradient through the spans' coverage, pixel by pixel, once worked.
    std::vector<std::uint32_t> covered_;
    bool coveredMade_ = false;
    bool failed_ = false;
    bool spansGiven_ = false;
};

}  // namespace platform::graphics
