#include <gtest/gtest.h>
#include <cairo.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "Platform/Graphics/CoverageRasterizer.h"
#include "Platform/Graphics/CoverageWorkers.h"
#include "Platform/Graphics/GraphicsContext.h"
#include "Platform/Graphics/Gradient.h"
#include "Platform/Graphics/SolidCoverageBlend.h"
#include "PixelAssertions.h"

namespace platform::graphics {
namespace {

constexpr int kSide = 240;

// A scene of fills and strokes, which the context hands to its workers
// (solid ones, gradients, a colour under another blend mode), between
// drawings it makes at once (a gradient painted over the clip, an image, a
// cleared rectangle, a group, a drawing under a pixel mask) and under clips
// of rectangles and of paths, so that any drawing laid down out of order
// shows. With `settleEach`, every drawing is laid down before the
// next begins.
void drawScene(GraphicsContext& context, int seed, bool settleEach) {
    const auto settle = [&] {
        if (settleEach) context.flush();
    };
    const auto shape = [&](int i) {
        const double x = (i * 37 + seed * 11) % 200, y = (i * 53 + seed * 7) % 200;
        const double size = 12 + (i * 29) % 90;
        Path path;
        switch (i % 4) {
            case 0: path.addEllipse(Rect(x, y, size, size * 0.7)); break;
            case 1: path.addRect(Rect(x + 0.3, y + 0.6, size, size / 2)); break;
            case 2:
                path.moveTo({x, y});
                path.curveTo({x + size, y - size / 3}, {x + size / 2, y + size}, {x + size, y + size});
                path.lineTo({x - size / 4, y + size / 2});
                path.closeSubpath();
                break;
            default: path.addRect(Rect(x, y, size, size), AffineTransform::makeRotation(0.3)); break;
        }
        return path;
    };
    const auto colours = [&](int i) {
        return Color::rgb(((i * 67) % 255) / 255.0, ((i * 131) % 255) / 255.0, ((i * 199) % 255) / 255.0,
                          i % 3 == 0 ? 1.0 : 0.35 + (i % 5) * 0.1);
    };
    auto gradient = Gradient::make(ColorSpace::deviceRGB(), std::vector<Color>{Color::rgb(1, 0, 0), Color::rgb(0, 0, 1, 0.5)},
                                   std::vector<double>{});
    auto image = [] {
        auto picture = GraphicsContext::makeBitmap(16, 16);
        picture->setFillColor(Color::rgb(0, 0.8, 0.2, 0.9));
        picture->fillRect(Rect(2, 2, 12, 12));
        return picture->makeImage();
    }();
    for (int i = 0; i < 48; ++i) {
        context.saveGState();
        if (i % 11 == 5) {
            context.addEllipse(Rect(20, 30, 180, 150));
            context.clip();  // a clip of paths: coverage multiplied in
        } else if (i % 11 == 8) {
            context.clipToRect(Rect(40, 40, 120, 90));
        } else if (i % 13 == 6) {
            context.translateBy(3.5, -2.25);
            context.scaleBy(1.2, 0.9);
        }
        context.setFillColor(colours(i));
        context.setStrokeColor(colours(i + 1));
        context.addPath(shape(i));
        if (i % 8 == 6) {
            // A gradient, and a colour under another blend mode: Cairo lays
            // them down through the coverage handed over.
            context.fillPathWithLinearGradient(*gradient, {0, 0}, {kSide, kSide / 2.0});
        } else if (i % 15 == 10) {
            context.setBlendMode(BlendMode::multiply);
            context.fillPath();
        } else if (i % 3 == 1) {
            context.setLineWidth(1 + i % 6);
            context.setLineJoin(i % 2 ? LineJoin::round : LineJoin::miter);
            context.strokePath();
        } else {
            context.fillPath(i % 5 == 0 ? FillRule::evenOdd : FillRule::winding);
        }
        settle();
        if (i % 6 == 2) {
            context.fillRect(Rect(i * 3.25, i * 2.5 + 0.4, 50.6, 20.3));
            settle();
        }
        if (i % 16 == 5) {
            // A gradient over most of the scene: handed over in bands of
            // rows, under a clip of paths at first.
            Path large;
            large.addEllipse(Rect(8.5, 14.25, 220, 205));
            context.addPath(large);
            context.fillPathWithRadialGradient(*gradient, {90, 100}, 4, {120, 120}, 130);
            settle();
        }
        if (i % 16 == 13) {
            Path band;
            band.addRect(Rect(2.5, 20, 230, 190.5));
            context.addPath(band);
            context.fillPathWithLinearGradient(*gradient, {0, kSide}, {kSide, 0});
            settle();
        }
        if (i % 9 == 4) {
            context.drawLinearGradient(*gradient, {0, 0}, {kSide, kSide}, GradientDrawingOptions::extended());
            settle();
        }
        if (i % 10 == 7) {
            context.drawImage(*image, Rect(i * 2, i * 3, 40, 30));
            context.clearRect(Rect(i * 4, 10, 15, 15));
            settle();
        }
        if (i % 12 == 3) {
            context.setAlpha(0.6);
            context.beginTransparencyLayer();
            context.addPath(shape(i + 2));
            context.fillPath();
            context.addPath(shape(i + 3));
            context.fillPath();
            context.endTransparencyLayer();
            settle();
        }
        if (i % 14 == 9) {
            // A clip to a stroke is a pixel mask: what is drawn under it is made apart.
            context.addEllipse(Rect(60, 60, 100, 80));
            context.setLineWidth(14);
            context.clipToStrokeOfCurrentPath();
            context.addPath(shape(i + 5));
            context.fillPath();
            settle();
            context.drawLinearGradient(*gradient, {0, 0}, {kSide, kSide}, GradientDrawingOptions::extended());
            settle();
        }
        context.restoreGState();
    }
}

std::vector<std::uint32_t> pixelsOf(const Image& image) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
    }
    return pixels;
}

std::vector<std::uint32_t> sceneDrawn(int seed, bool settleEach, bool serial) {
    std::unique_ptr<CoverageWorkers::SerialScope> scope;
    if (serial) scope = std::make_unique<CoverageWorkers::SerialScope>();
    auto context = GraphicsContext::makeBitmap(kSide, kSide);
    drawScene(*context, seed, settleEach);
    return pixelsOf(*GraphicsContext::finishImage(std::move(context)));
}

TEST(HandedOverDrawingTest, LandsInDrawingOrderWhateverDrawsBetween) {
    // Drawings handed over and laid down at the next drawing that needs the
    // pixels show exactly what drawing each at once shows; and so do they
    // scan-converted on the worker threads or all on the drawing thread.
    for (int seed : {1, 2, 3}) {
        SCOPED_TRACE(seed);
        const auto settled = sceneDrawn(seed, true, true);
        EXPECT_EQ(sceneDrawn(seed, false, true), settled);
        EXPECT_EQ(sceneDrawn(seed, false, false), settled);
        EXPECT_EQ(sceneDrawn(seed, true, false), settled);
    }
}

TEST(HandedOverDrawingTest, ContextsOnSeveralThreadsDrawWhatOneDraws) {
    std::vector<std::vector<std::uint32_t>> expected;
    for (int seed = 0; seed < 4; ++seed) expected.push_back(sceneDrawn(seed, false, true));
    std::vector<std::vector<std::uint32_t>> drawn(4);
    std::vector<std::thread> threads;
    for (int seed = 0; seed < 4; ++seed) {
        threads.emplace_back([&, seed] {
            for (int round = 0; round < 3; ++round) drawn[seed] = sceneDrawn(seed, false, false);
        });
    }
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(drawn, expected);
}

TEST(HandedOverDrawingTest, AFillWhoseEdgesCrossManyRowsCoversWhatOneScanConversionDoes) {
    // A star of long edges crossing hundreds of rows, and one of many
    // points, filled in one colour: handed over in bands of rows, on the
    // workers or all on the drawing thread, every pixel is the colour
    // through the coverage the rasteriser gives the whole shape at once.
    const auto star = [](int points, double inner) {
        Path path;
        for (int i = 0; i < 2 * points; ++i) {
            const double angle = M_PI * i / points, radius = i % 2 ? inner : 148.3;
            const Point p(150.4 + radius * std::cos(angle), 151.7 + radius * std::sin(angle));
            if (i == 0) {
                path.moveTo(p);
            } else {
                path.lineTo(p);
            }
        }
        path.closeSubpath();
        return path;
    };
    const std::uint32_t colour = SolidCoverageBlend::premultipliedPixel(0.8, 0.3, 0.1, 0.7);
    for (const Path& path : {star(24, 20.5), star(400, 120.25)}) {
        for (const FillRule rule : {FillRule::winding, FillRule::evenOdd}) {
            std::vector<std::uint8_t> coverage(300 * 300, 0);
            CoverageRasterizer rasterizer;
            ASSERT_TRUE(rasterizer.takeFill(path, rule));
            ASSERT_TRUE(rasterizer.render({coverage.data(), 300, 0, 0, 300, 300}));
            for (bool serial : {false, true}) {
                SCOPED_TRACE(serial ? "serial" : "on the workers");
                std::unique_ptr<CoverageWorkers::SerialScope> scope;
                if (serial) scope = std::make_unique<CoverageWorkers::SerialScope>();
                auto context = GraphicsContext::makeBitmap(300, 300);
                context->setFillColor(Color::rgb(0.8, 0.3, 0.1, 0.7));
                context->addPath(path);
                context->fillPath(rule);
                const auto ours = GraphicsContext::finishImage(std::move(context));
                int apart = 0;
                for (int y = 0; y < 300; ++y) {
                    for (int x = 0; x < 300; ++x) {
                        apart += ours->pixel(x, y) != SolidCoverageBlend::over(colour, coverage[y * 300 + x], 0);
                    }
                }
                EXPECT_EQ(apart, 0);
            }
        }
    }
}

// A path's segments, to be traced alike into a path of ours and into Cairo.
struct Segment {
    bool curve;
    Point control1, control2, end;
};

// A rounded rectangle whose corners bend by 2 under a pen reaching 9, as a
// thickly outlined button is drawn.
std::vector<Segment> roundedBox() {
    const double left = 40, top = 50, right = 190, bottom = 150, r = 2, k = 0.5523 * r;
    return {
        {false, {}, {}, {left + r, top}},
        {false, {}, {}, {right - r, top}},
        {true, {right - r + k, top}, {right, top + r - k}, {right, top + r}},
        {false, {}, {}, {right, bottom - r}},
        {true, {right, bottom - r + k}, {right - r + k, bottom}, {right - r, bottom}},
        {false, {}, {}, {left + r, bottom}},
        {true, {left + r - k, bottom}, {left, bottom - r + k}, {left, bottom - r}},
        {false, {}, {}, {left, top + r}},
        {true, {left, top + r - k}, {left + r - k, top}, {left + r, top}},
    };
}

// A zigzag of thousands of round-joined corners.
std::vector<Segment> zigzag() {
    std::vector<Segment> segments{{false, {}, {}, {10, 100}}};
    for (int i = 1; i <= 4000; ++i) segments.push_back({false, {}, {}, {10 + i * 0.05, i % 2 ? 60.0 : 140.0}});
    return segments;
}

TEST(HandedOverDrawingTest, AStrokeTheWorkersStrokerCannotMakeIsStrokedByCairo) {
    // Strokes FreeType's stroker does not take, stroked by Cairo on a worker
    // as it would have stroked them at once, under a clip of paths too: the
    // box's pen is wider than its corners' bend, which the check refuses.
    // Nothing of it may go missing or pass the clip. The zigzag's path is
    // checked in and handed over, but its stroked outline holds more points
    // than FreeType's outlines can: the worker's stroker cuts it to the part
    // that fits, drawn as Cairo draws it, and draws nothing Cairo does not.
    struct Case {
        std::string name;
        std::vector<Segment> segments;
        double width;
        bool closed;
        int painted;
        bool cut = false;
    };
    const std::vector<Case> cases = {{"thousands of corners", zigzag(), 3, false, 2000, true},
                                     {"a pen wider than the corners' bend", roundedBox(), 18, true, 8000}};
    for (const Case& test : cases) {
        for (bool clipped : {false, true}) {
            for (bool serial : {false, true}) {
                SCOPED_TRACE(test.name + (clipped ? ", under a clip of paths" : "") +
                             (serial ? ", serial" : ", on the workers"));
                std::unique_ptr<CoverageWorkers::SerialScope> scope;
                if (serial) scope = std::make_unique<CoverageWorkers::SerialScope>();
                auto context = GraphicsContext::makeBitmap(240, 200);
                // A diamond: a clip of paths, whose coverage is multiplied in.
                const std::vector<Point> diamond = {{20, 100}, {120, 25}, {220, 100}, {120, 185}};
                if (clipped) {
                    Path clip;
                    for (const Point& corner : diamond) clip.isEmpty() ? clip.moveTo(corner) : clip.lineTo(corner);
                    clip.closeSubpath();
                    context->addPath(clip);
                    context->clip();
                }
                context->setStrokeColor(Color::rgb(0, 0, 1, 0.8));
                context->setLineWidth(test.width);
                context->setLineJoin(LineJoin::round);
                Path path;
                for (const Segment& segment : test.segments) {
                    if (path.isEmpty()) path.moveTo(segment.end);
                    else if (segment.curve) path.curveTo(segment.control1, segment.control2, segment.end);
                    else path.lineTo(segment.end);
                }
                if (test.closed) path.closeSubpath();
                context->addPath(path);
                context->strokePath();
                const auto ours = GraphicsContext::finishImage(std::move(context));

                cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 240, 200);
                cairo_t* cairo = cairo_create(surface);
                if (clipped) {
                    for (const Point& corner : diamond) cairo_line_to(cairo, corner.x, corner.y);
                    cairo_close_path(cairo);
                    cairo_clip(cairo);
                }
                cairo_set_source_rgba(cairo, 0, 0, 1, 0.8);
                cairo_set_line_width(cairo, test.width);
                cairo_set_line_join(cairo, CAIRO_LINE_JOIN_ROUND);
                cairo_set_tolerance(cairo, GraphicsContext::strokeTolerance(test.width / 2));
                for (const Segment& segment : test.segments) {
                    if (!cairo_has_current_point(cairo)) cairo_move_to(cairo, segment.end.x, segment.end.y);
                    else if (segment.curve)
                        cairo_curve_to(cairo, segment.control1.x, segment.control1.y, segment.control2.x,
                                       segment.control2.y, segment.end.x, segment.end.y);
                    else cairo_line_to(cairo, segment.end.x, segment.end.y);
                }
                if (test.closed) cairo_close_path(cairo);
                cairo_stroke(cairo);
                cairo_destroy(cairo);
                cairo_surface_flush(surface);
                // The clip's own coverage, as Cairo fills it.
                cairo_surface_t* clipCoverage = cairo_image_surface_create(CAIRO_FORMAT_A8, 240, 200);
                cairo = cairo_create(clipCoverage);
                for (const Point& corner : diamond) cairo_line_to(cairo, corner.x, corner.y);
                cairo_fill(cairo);
                cairo_destroy(cairo);
                cairo_surface_flush(clipCoverage);
                const auto* data = cairo_image_surface_get_data(surface);
                const int stride = cairo_image_surface_get_stride(surface);
                const std::uint8_t* clipData = cairo_image_surface_get_data(clipCoverage);
                const int clipStride = cairo_image_surface_get_stride(clipCoverage);
                int painted = 0;
                int apart = 0;
                int oursPainted = 0;
                for (int y = 0; y < 200; ++y) {
                    for (int x = 0; x < 240; ++x) {
                        std::uint32_t value;
                        std::memcpy(&value, data + y * stride + x * 4, 4);
                        if (value != 0) ++painted;
                        // Where the clip's edge crosses a pixel its coverage is
                        // multiplied with the stroke's, where Cairo takes the
                        // area of both: the two part there, by up to a sixth.
                        const int clipCovers = clipped ? clipData[y * clipStride + x] : 255;
                        const int tolerance = clipCovers == 255 ? 1 : 40;
                        const int oursAlpha = static_cast<int>(ours->pixel(x, y) >> 24);
                        if (oursAlpha != 0) ++oursPainted;
                        // A stroke cut short paints nowhere Cairo's whole one does not.
                        if (test.cut ? oursAlpha != 0 && value == 0
                                     : !testing::pixelNear(*ours, x, y, testing::unpack(value), tolerance)) {
                            ++apart;
                        }
                    }
                }
                EXPECT_EQ(apart, 0);
                EXPECT_GT(test.cut ? oursPainted : painted, clipped ? test.painted / 2 : test.painted);
                cairo_surface_destroy(clipCoverage);
                cairo_surface_destroy(surface);
            }
        }
    }
}

TEST(HandedOverDrawingTest, ARectangleAlongTheAxesIsLaidDownAsCairoLaysBoxes) {
    // Fractional rectangles, opaque and translucent, against Cairo's own
    // boxes: the edges are the same, and a corner, where both sides are
    // partial, rounds at most a level apart.
    const Rect rects[] = {{4.10811, 8, 3.70231, 12.3736},    {8.35135, 0.655172, 10.8562, 3.37364},
                          {0.3, 0.3, 0.4, 0.4},               {2.5, 3.25, 30, 0.1},
                          {-10.7, 5.5, 40.2, 7.75},           {12, 12, 8, 8}};
    for (const Rect& rect : rects) {
        for (double alpha : {1.0, 0.55}) {
            SCOPED_TRACE(::testing::Message() << rect.minX() << ", " << rect.minY() << " alpha " << alpha);
            auto context = GraphicsContext::makeBitmap(48, 32);
            context->setFillColor(Color::rgb(0.1, 0.7, 0.2, 0.7));
            context->fillRect(Rect(0, 0, 48, 32));
            context->setFillColor(Color::rgb(0.9, 0.2, 0.5, alpha));
            context->fillRect(rect);
            const auto ours = GraphicsContext::finishImage(std::move(context));

            cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 48, 32);
            cairo_t* cairo = cairo_create(surface);
            cairo_set_source_rgba(cairo, 0.1, 0.7, 0.2, 0.7);
            cairo_paint(cairo);
            cairo_set_source_rgba(cairo, 0.9, 0.2, 0.5, alpha);
            cairo_move_to(cairo, rect.minX(), rect.minY());
            cairo_line_to(cairo, rect.maxX(), rect.minY());
            cairo_line_to(cairo, rect.maxX(), rect.maxY());
            cairo_line_to(cairo, rect.minX(), rect.maxY());
            cairo_close_path(cairo);
            cairo_fill(cairo);
            cairo_destroy(cairo);
            cairo_surface_flush(surface);
            const auto* data = cairo_image_surface_get_data(surface);
            const int stride = cairo_image_surface_get_stride(surface);
            for (int y = 0; y < 32; ++y) {
                for (int x = 0; x < 48; ++x) {
                    std::uint32_t value;
                    std::memcpy(&value, data + y * stride + x * 4, 4);
                    const testing::Pixel p = testing::unpack(value);
                    EXPECT_TRUE(testing::pixelNear(*ours, x, y, p, 1));
                }
            }
            cairo_surface_destroy(surface);
        }
    }
}

// Cairo laying `pattern` through the alpha of `coverage` as a mask, over
// `background` when given.
cairo_surface_t* cairoThroughCoverage(const Image& coverage, cairo_pattern_t* pattern,
                                      std::optional<Color> background = std::nullopt) {
    const int width = coverage.width(), height = coverage.height();
    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_surface_flush(mask);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            cairo_image_surface_get_data(mask)[y * cairo_image_surface_get_stride(mask) + x] =
                static_cast<std::uint8_t>(coverage.pixel(x, y) >> 24);
        }
    }
    cairo_surface_mark_dirty(mask);
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cairo_t* cairo = cairo_create(surface);
    if (background) {
        const auto rgba = background->clampedRGBA();
        cairo_set_source_rgba(cairo, rgba[0], rgba[1], rgba[2], rgba[3]);
        cairo_paint(cairo);
    }
    cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
    cairo_set_source(cairo, pattern);
    cairo_mask_surface(cairo, mask, 0, 0);
    cairo_destroy(cairo);
    cairo_surface_destroy(mask);
    cairo_surface_flush(surface);
    return surface;
}

// Expects our pixels within three levels of Cairo's, and all but one in a
// hundred exactly Cairo's (the gradient's position along a steep ramp may
// round apart); gives how many pixels Cairo painted. Takes the surface.
int expectNearCairo(const Image& ours, cairo_surface_t* expected) {
    const auto* data = cairo_image_surface_get_data(expected);
    const int stride = cairo_image_surface_get_stride(expected);
    int apart = 0, painted = 0;
    for (int y = 0; y < ours.height(); ++y) {
        for (int x = 0; x < ours.width(); ++x) {
            std::uint32_t value;
            std::memcpy(&value, data + y * stride + x * 4, 4);
            EXPECT_TRUE(testing::pixelNear(ours, x, y, testing::unpack(value), 3));
            if (!testing::pixelNear(ours, x, y, testing::unpack(value), 0)) ++apart;
            if (value != 0) ++painted;
        }
    }
    EXPECT_LT(apart, ours.width() * ours.height() / 100);
    cairo_surface_destroy(expected);
    return painted;
}

TEST(HandedOverDrawingTest, ALargeGradientFillIsLaidDownWholeAsCairoLaysIt) {
    // Gradient fills large enough to be worked in bands of rows on several
    // threads (and one too wide for the workers, laid down at once),
    // translucent over a background, against Cairo laying the same gradient
    // through the coverage of the same shape filled with one colour: a band
    // left out or laid down twice would show as rows far from Cairo's. The
    // position along a steep ramp may round a few levels apart.
    struct Case {
        int width, height;
        bool radial, ellipse;
    };
    for (const Case& c : {Case{320, 320, true, true}, Case{320, 300, false, false}, Case{600, 160, true, true}}) {
        SCOPED_TRACE(::testing::Message() << c.width << "x" << c.height << (c.radial ? " radial" : " linear"));
        const Rect shape(3.25, 5.5, c.width - 9.0, c.height - 11.75);
        Path path;
        if (c.ellipse) {
            path.addEllipse(shape);
        } else {
            path.addRect(shape);
        }
        const Point centre(c.width * 0.4, c.height * 0.45);
        const auto drawGradient = [&](GraphicsContext& context) {
            auto gradient = Gradient::make(ColorSpace::deviceRGB(),
                                           std::vector<Color>{Color::rgb(1, 0.2, 0, 0.9), Color::rgb(0, 0.3, 1, 0.4),
                                                              Color::rgb(0.1, 0.9, 0.2, 0.8)},
                                           std::vector<double>{0, 0.45, 1});
            context.addPath(path);
            if (c.radial) {
                context.fillPathWithRadialGradient(*gradient, centre, 2, centre + Point(10, 6), c.height * 0.6);
            } else {
                context.fillPathWithLinearGradient(*gradient, {0, 0}, {double(c.width), double(c.height)});
            }
        };
        auto context = GraphicsContext::makeBitmap(c.width, c.height);
        context->setFillColor(Color::rgb(0.2, 0.2, 0.2, 0.6));
        context->fillRect(Rect(0, 0, c.width, c.height));
        drawGradient(*context);
        const auto ours = GraphicsContext::finishImage(std::move(context));

        // The shape's coverage, filled with one colour.
        auto solid = GraphicsContext::makeBitmap(c.width, c.height);
        solid->setFillColor(Color::rgb(1, 1, 1));
        solid->addPath(path);
        solid->fillPath();
        const auto coverage = GraphicsContext::finishImage(std::move(solid));
        cairo_pattern_t* pattern =
            c.radial ? cairo_pattern_create_radial(centre.x, centre.y, 2, centre.x + 10, centre.y + 6, c.height * 0.6)
                     : cairo_pattern_create_linear(0, 0, c.width, c.height);
        cairo_pattern_add_color_stop_rgba(pattern, 0, 1, 0.2, 0, 0.9);
        cairo_pattern_add_color_stop_rgba(pattern, 0.45, 0, 0.3, 1, 0.4);
        cairo_pattern_add_color_stop_rgba(pattern, 1, 0.1, 0.9, 0.2, 0.8);
        expectNearCairo(*ours, cairoThroughCoverage(*coverage, pattern, Color::rgb(0.2, 0.2, 0.2, 0.6)));
        cairo_pattern_destroy(pattern);
    }
}

TEST(HandedOverDrawingTest, AGradientPaintedOverAClipPathIsThatPathFilled) {
    // A gradient painted over the clip of one path (as the other engine
    // paints a gradient layer over its shape) is handed over as that path
    // filled: the same pixels as filling the path with the gradient, whether
    // rectangles along the axes around it hold it whole or cut through it.
    auto gradient = Gradient::make(ColorSpace::deviceRGB(),
                                   std::vector<Color>{Color::rgb(1, 0.2, 0, 0.9), Color::rgb(0, 0.3, 1, 0.5)},
                                   std::vector<double>{});
    Path ellipse;
    ellipse.addEllipse(Rect(20.5, 30.25, 260, 210));
    const Point centre(140, 130);
    struct Case {
        const char* name;
        std::optional<Rect> around;
        int tolerance;
    };
    for (const Case& c : {Case{"alone", std::nullopt, 0}, Case{"held by a rectangle", Rect(10, 20, 290, 240), 0},
                          Case{"cut by a rectangle", Rect(60.5, 10, 150.25, 260), 1}}) {
        SCOPED_TRACE(c.name);
        const auto drawn = [&](bool painted) {
            auto context = GraphicsContext::makeBitmap(320, 280);
            context->setFillColor(Color::rgb(0.2, 0.6, 0.2, 0.5));
            context->fillRect(Rect(0, 0, 320, 280));
            if (c.around) context->clipToRect(*c.around);
            context->addPath(ellipse);
            if (painted) {
                context->clip();
                context->drawRadialGradient(*gradient, centre, 3, centre, 150, GradientDrawingOptions::extended());
            } else {
                context->fillPathWithRadialGradient(*gradient, centre, 3, centre, 150);
            }
            return GraphicsContext::finishImage(std::move(context));
        };
        const auto painted = drawn(true), filled = drawn(false);
        int covered = 0;
        for (int y = 0; y < 280; ++y) {
            for (int x = 0; x < 320; ++x) {
                EXPECT_TRUE(testing::pixelNear(*painted, x, y, testing::pixelAt(*filled, x, y), c.tolerance));
                if (painted->pixel(x, y) != painted->pixel(0, 0)) ++covered;
            }
        }
        EXPECT_GT(covered, 20000);
    }
}

TEST(HandedOverDrawingTest, AGradientPaintedThroughAPixelMaskIsLaidDownAsCairoLaysIt) {
    // A gradient through a clip to a stroke (a pixel mask), handed over
    // with a copy of the mask's coverage, against Cairo laying it through
    // the same coverage (read back by painting white through the mask).
    constexpr int kWidth = 300, kHeight = 260;
    auto gradient = Gradient::make(ColorSpace::deviceRGB(),
                                   std::vector<Color>{Color::rgb(1, 0.2, 0, 0.9), Color::rgb(0, 0.3, 1, 0.5)},
                                   std::vector<double>{});
    const auto masked = [&](bool white) {
        auto context = GraphicsContext::makeBitmap(kWidth, kHeight);
        Path ring;
        ring.addEllipse(Rect(30, 25, 240, 200));
        context->addPath(ring);
        context->setLineWidth(40);
        context->clipToStrokeOfCurrentPath();
        if (white) {
            context->setFillColor(Color::rgb(1, 1, 1));
            context->fillRect(Rect(0, 0, kWidth, kHeight));
        } else {
            context->drawLinearGradient(*gradient, {10, 0}, {kWidth - 10.0, kHeight},
                                        GradientDrawingOptions::extended());
        }
        return GraphicsContext::finishImage(std::move(context));
    };
    const auto ours = masked(false), coverage = masked(true);
    cairo_pattern_t* pattern = cairo_pattern_create_linear(10, 0, kWidth - 10.0, kHeight);
    cairo_pattern_add_color_stop_rgba(pattern, 0, 1, 0.2, 0, 0.9);
    cairo_pattern_add_color_stop_rgba(pattern, 1, 0, 0.3, 1, 0.5);
    EXPECT_GT(expectNearCairo(*ours, cairoThroughCoverage(*coverage, pattern)), 20000);
    cairo_pattern_destroy(pattern);
}

TEST(HandedOverDrawingTest, AClipThatHoldsADrawingWholeLeavesItsPixelsAsTheyAre) {
    // A turned clip around a drawing (as a layer's turned bounds are) covers
    // each of its pixels whole: fills, a stroke and a gradient fill under
    // it, and a gradient through a pixel mask, land exactly as without it,
    // alone and in a transparency layer. A clip that cuts the drawings'
    // corners by a few pixels still cuts them.
    constexpr int kSide = 260;
    auto gradient = Gradient::make(ColorSpace::deviceRGB(),
                                   std::vector<Color>{Color::rgb(1, 0.2, 0, 0.9), Color::rgb(0, 0.3, 1, 0.5)},
                                   std::vector<double>{});
    // |x - 150| + |y - 130| <= radius.
    const auto diamond = [](double radius) {
        Path path;
        path.moveTo({150, 130 - radius});
        path.lineTo({150 + radius, 130});
        path.lineTo({150, 130 + radius});
        path.lineTo({150 - radius, 130});
        path.closeSubpath();
        return path;
    };
    Path square;  // not along the axes: scan-converted, reaching its box's corners
    square.moveTo({100.2, 80.3});
    square.lineTo({199.6, 80.1});
    square.lineTo({199.8, 179.7});
    square.lineTo({100.1, 179.9});
    square.closeSubpath();
    const auto drawn = [&](std::optional<double> clipRadius, bool inLayer, bool masked) {
        auto context = GraphicsContext::makeBitmap(kSide, kSide);
        context->setFillColor(Color::rgb(0.2, 0.6, 0.2, 0.5));
        context->fillRect(Rect(0, 0, kSide, kSide));
        if (clipRadius) {
            context->addPath(diamond(*clipRadius));
            context->clip();
        }
        if (inLayer) context->beginTransparencyLayer();
        if (masked) {
            context->addPath(square);
            context->setLineWidth(16);
            context->clipToStrokeOfCurrentPath();
            context->drawLinearGradient(*gradient, {100, 80}, {200, 180}, GradientDrawingOptions::extended());
        } else {
            context->setFillColor(Color::rgb(0.9, 0.1, 0.3, 0.8));
            context->addPath(square);
            context->fillPath();
            Path ellipse;
            ellipse.addEllipse(Rect(115.5, 95.25, 70, 70));
            context->addPath(ellipse);
            context->fillPathWithLinearGradient(*gradient, {100, 80}, {200, 180});
            context->addPath(ellipse);
            context->setLineWidth(6);
            context->setStrokeColor(Color::rgb(0.1, 0.1, 0.8, 0.7));
            context->strokePath();
        }
        if (inLayer) context->endTransparencyLayer();
        return GraphicsContext::finishImage(std::move(context));
    };
    for (const bool inLayer : {false, true}) {
        for (const bool masked : {false, true}) {
            SCOPED_TRACE(std::string(inLayer ? "in a layer, " : "") + (masked ? "through a mask" : "fills"));
            const auto unclipped = drawn(std::nullopt, inLayer, masked);
            const auto held = drawn(122, inLayer, masked);
            const auto cut = drawn(90, inLayer, masked);
            int cutAway = 0;
            for (int y = 0; y < kSide; ++y) {
                for (int x = 0; x < kSide; ++x) {
                    EXPECT_EQ(held->pixel(x, y), unclipped->pixel(x, y)) << x << ", " << y;
                    // Wholly outside the cutting clip: the background alone.
                    if (std::abs(x + 0.5 - 150) + std::abs(y + 0.5 - 130) > 90 + 1.5) {
                        EXPECT_EQ(cut->pixel(x, y), unclipped->pixel(0, 0)) << x << ", " << y;
                        if (unclipped->pixel(x, y) != unclipped->pixel(0, 0)) ++cutAway;
                    }
                }
            }
            EXPECT_GT(cutAway, 30);
        }
    }
}

TEST(HandedOverDrawingTest, APictureLaidOverInDrawingOrderIsCairosPaint) {
    // A picture of device pixels (a layer's kept picture) handed over in
    // drawing order between fills and strokes, against Cairo painting it
    // with everything before laid down first: the same pixels, at full and
    // partial alpha, past the target's edges, and ignoring the clip.
    auto picture = [] {
        auto context = GraphicsContext::makeBitmap(90, 70);
        context->setFillColor(Color::rgb(0.1, 0.7, 0.3, 0.55));
        context->fillRect(Rect(0, 0, 90, 70));
        Path ellipse;
        ellipse.addEllipse(Rect(8.5, 6.25, 70, 50));
        context->addPath(ellipse);
        context->setFillColor(Color::rgb(0.9, 0.2, 0.6));
        context->fillPath();
        return std::shared_ptr<const Image>(context->makeImage());
    }();
    for (const double alpha : {1.0, 0.6}) {
        const auto drawn = [&](bool handed) {
            auto context = GraphicsContext::makeBitmap(160, 120);
            context->setFillColor(Color::rgb(0.2, 0.3, 0.9, 0.7));
            Path under;
            under.addEllipse(Rect(20.3, 10.6, 110, 90));
            context->addPath(under);
            context->fillPath();
            context->clipToRect(Rect(30, 30, 40, 40));  // the picture ignores it
            context->setAlpha(alpha);
            for (const auto& [x, y] : {std::pair{25, 18}, std::pair{110, 80}, std::pair{-30, -20}}) {
                if (handed) {
                    context->drawDeviceImageIgnoringClip(picture, x, y);
                } else {
                    context->drawDeviceImageIgnoringClip(*picture, x, y);
                }
            }
            context->setAlpha(1);
            Path over;
            over.addEllipse(Rect(35.7, 40.2, 30, 25));
            context->addPath(over);
            context->setFillColor(Color::rgb(1, 0.8, 0.1, 0.8));
            context->fillPath();
            return GraphicsContext::finishImage(std::move(context));
        };
        SCOPED_TRACE(::testing::Message() << "alpha " << alpha);
        const auto cairo = drawn(false), handed = drawn(true);
        int differing = 0;
        for (int y = 0; y < 120; ++y) {
            for (int x = 0; x < 160; ++x) {
                differing += handed->pixel(x, y) != cairo->pixel(x, y) ? 1 : 0;
            }
        }
        EXPECT_EQ(differing, 0);
    }
}

}  // namespace
}  // namespace platform::graphics
