// Trims of single curves whose handles are long or lopsided, drawn by each
// engine: the trimmed stroke must look like the stroke of the very piece of
// the curve that lies between the trim's fractions of its arc length. The
// test finds that piece itself, measuring the curve with a hundred thousand
// chords, and has the same engine draw it untrimmed.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/EngineComparison/Support/DocumentBuilder.h"
#include "tests/EngineComparison/Support/ShapeItems.h"
#include "tests/References/PictureDifference.h"
#include "tests/References/ReferenceDocument.h"
#include "tests/Support/DenseCubic.h"
#include "tools/lottie-frames/FrameRenderer.h"

namespace {

using namespace enginematrix;
using platform::graphics::Point;

constexpr double side = 200;
constexpr int pictureSide = 200;
// Two strokes of the same curve that end a tenth of a pixel apart differ by
// far less; a cut a few pixels off differs by ten times more.
constexpr double largestRmse = 0.003;

struct Curve {
    const char* name;
    Point from, out, in, to;  // all four as positions
};

// One open path of one cubic segment.
Value curvePath(Point from, Point out, Point in, Point to) {
    BezierShape shape;
    shape.vertices = {{from.x, from.y}, {to.x, to.y}};
    shape.inTangents = {{0, 0}, {in.x - to.x, in.y - to.y}};
    shape.outTangents = {{out.x - from.x, out.y - from.y}, {0, 0}};
    shape.closed = false;
    return path(fixed(shape.json()));
}

std::shared_ptr<const lottie::LottieAnimation> strokedDocument(Array items) {
    items.push_back(stroke(fixed(numbers({0.1, 0.1, 0.1})), 6, fixed(100.0)));
    DocumentBuilder document("trimmed curve", side, 10);
    document.layer(LayerBuilder::shapes("Curve", std::move(items)));
    return document.decoded();
}

std::shared_ptr<const platform::graphics::Image> picture(const std::shared_ptr<const lottie::LottieAnimation>& animation,
                                                         const lottie::RenderingEngineOption& option) {
    lottieframes::FrameRenderer renderer(animation, pictureSide, pictureSide, std::nullopt, option);
    return referencetest::renderedPicture(renderer, 0);
}

TEST(TrimPlacement, BothEnginesCutCurvesWhereTheArcLengthSays) {
    const Curve curves[] = {
        {"one long out-handle", {20, 180}, {20, -220}, {180, 20}, {180, 20}},
        {"one long in-handle", {20, 100}, {20, 100}, {-100, 20}, {180, 100}},
        {"lopsided handles", {20, 20}, {300, 20}, {170, 190}, {180, 180}},
    };
    struct Range {
        double start, end;  // percent
    };
    const Range ranges[] = {{10, 30}, {45, 80}, {70, 97}};
    for (const Curve& curve : curves) {
        const testsupport::DenseCubic dense(curve.from, curve.out, curve.in, curve.to);
        for (const Range& range : ranges) {
            const auto trimmed = strokedDocument({curvePath(curve.from, curve.out, curve.in, curve.to),
                                                  trim(fixed(range.start), fixed(range.end), 0, TrimMode::simultaneously)});
            const auto piece = dense.piece(dense.parameterAt(range.start / 100 * dense.length()),
                                           dense.parameterAt(range.end / 100 * dense.length()));
            const auto expected = strokedDocument({curvePath(piece[0], piece[1], piece[2], piece[3])});
            for (const auto& option : {lottie::RenderingEngineOption::mainThread(),
                                       lottie::RenderingEngineOption::coreAnimation()}) {
                SCOPED_TRACE(testing::Message() << curve.name << ", " << range.start << " to " << range.end
                                                << " %, engine " << option.description());
                const auto difference =
                    referencetest::measureDifference(*picture(trimmed, option), *picture(expected, option));
                EXPECT_LE(difference.largerRmse(), largestRmse) << difference.description();
            }
        }
    }
}

}  // namespace
