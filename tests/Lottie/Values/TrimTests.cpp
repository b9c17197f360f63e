#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "Lottie/Values/CompoundBezierPath.h"
#include "Lottie/Values/CurveSplit.h"
#include "tests/Support/DenseCubic.h"

using namespace lottie;
using platform::graphics::Point;

namespace {

BezierPath closedSquare(double side, Point origin = Point(0, 0)) {
    BezierPath path;
    for (Point p : {Point(0, 0), Point(side, 0), Point(side, side), Point(0, side), Point(0, 0)}) {
        path.appendVertex(CurveVertex::corner(p + origin));
    }
    path.setClosed(true);
    return path;
}

std::vector<Point> points(const BezierPath& path) {
    std::vector<Point> result;
    for (const PathElement& element : path.elements()) result.push_back(element.vertex.point);
    return result;
}

double sumOfLengths(const CompoundBezierPath& compound) {
    double total = 0;
    for (const BezierPath& path : compound.paths()) total += path.length();
    return total;
}

}  // namespace

TEST(CurveSplit, SplitsStraightAndCurvedSegments) {
    CurveVertex a = CurveVertex::corner(Point(0, 0));
    CurveVertex b = CurveVertex::corner(Point(10, 4));
    EXPECT_EQ(a.splitCurve(b, 0.5), (CurveSplit{a, CurveVertex::corner(Point(5, 2)), b}));

    CurveVertex c(Point(0, 0), Point(-1, 0), Point(0, 10));
    CurveVertex d(Point(10, 10), Point(10, 0), Point(11, 10));
    EXPECT_EQ(c.splitCurve(d, 0), (CurveSplit{CurveVertex(Point(0, 0), Point(-1, 0), Point(0, 0)),
                                              CurveVertex(Point(0, 0), Point(0, 0), Point(0, 10)), d}));
    EXPECT_EQ(c.splitCurve(d, 1), (CurveSplit{c, CurveVertex(Point(10, 10), Point(10, 0), Point(10, 10)),
                                              CurveVertex(Point(10, 10), Point(10, 10), Point(11, 10))}));

    // The two halves of a curve trace it: their lengths add up to the whole.
    CurveSplit half = c.splitCurve(d, 0.5);
    EXPECT_EQ(half.trimPoint.point, c.pointOnCurve(d, 0.5));
    EXPECT_NEAR(half.start.curveLength(half.trimPoint, 200) + half.trimPoint.curveLength(half.end, 200),
                c.curveLength(d, 400), 1e-3);
}

TEST(CurveSplit, TrimCurveFindsTheCutWithinItsAccuracy) {
    CurveVertex a(Point(0, 0), Point(0, 0), Point(0, 40));
    CurveVertex b(Point(10, 10), Point(10, -30), Point(10, 10));
    double length = a.curveLength(b, 25);
    for (double target : {0.1 * length, 0.3 * length, 0.5 * length, 0.9 * length}) {
        SCOPED_TRACE(target);
        CurveSplit split = a.trimCurve(b, target, length);
        double measured = split.start.curveLength(split.trimPoint, 25);
        EXPECT_LT(std::abs(target - measured), 1.0);
        // The cut is a split of the curve at some parameter: the pieces trace it.
        EXPECT_EQ(split.start.point, a.point);
        EXPECT_EQ(split.end.point, b.point);
    }
    // At the ends, and on straight segments, the cut needs no search.
    EXPECT_EQ(a.trimCurve(b, 0, length), a.splitCurve(b, 0));
    EXPECT_EQ(a.trimCurve(b, length, length), a.splitCurve(b, 1));
    CurveVertex c = CurveVertex::corner(Point(0, 0));
    CurveVertex d = CurveVertex::corner(Point(30, 40));
    EXPECT_EQ(c.trimCurve(d, 10, 50), c.splitCurve(d, 0.2));
}

// Where a cut by length belongs on curves whose parameter runs very unevenly
// along them: at the same share of the arc length, measured independently
// with a hundred thousand chords, as the asked length is of the stored one.
TEST(CurveSplit, TrimCurveCutsWhereTheArcLengthSays) {
    struct Case {
        const char* name;
        CurveVertex from, to;
    };
    const Case cases[] = {
        {"one long out-handle", CurveVertex(Point(10, 90), Point(10, 90), Point(10, -110)), CurveVertex::corner(Point(90, 10))},
        {"one long in-handle", CurveVertex::corner(Point(0, 0)), CurveVertex(Point(100, 0), Point(0, 200), Point(100, 0))},
        {"handles along the chord past its end", CurveVertex(Point(20, 100), Point(20, 100), Point(420, 100)),
         CurveVertex::corner(Point(380, 100))},
        {"an S of lopsided handles", CurveVertex(Point(0, 0), Point(0, 0), Point(150, 0)),
         CurveVertex(Point(100, 100), Point(90, 100), Point(100, 100))},
        {"a loop", CurveVertex(Point(0, 0), Point(0, 0), Point(200, 200)),
         CurveVertex(Point(100, 0), Point(-100, 200), Point(100, 0))},
        {"a tiny curve", CurveVertex(Point(0, 0), Point(0, 0), Point(0.001, 0.004)),
         CurveVertex(Point(0.002, 0), Point(0.002, 0), Point(0.002, 0))},
    };
    for (const Case& test : cases) {
        const testsupport::DenseCubic dense(test.from.point, test.from.outTangent, test.to.inTangent, test.to.point);
        const double stored = test.from.curveLength(test.to, 25);
        for (double share : {0.02, 0.1, 0.3, 0.5, 0.7, 0.9, 0.98}) {
            SCOPED_TRACE(testing::Message() << test.name << " at " << share);
            const CurveSplit split = test.from.trimCurve(test.to, share * stored, stored);
            const Point expected = dense.pointAtLength(share * dense.length());
            EXPECT_LT(pointDistance(split.trimPoint.point, expected), 1e-5 * dense.length());
        }
    }
}

TEST(BezierPathTrim, CutsBetweenVerticesAndInsideSegments) {
    BezierPath square = closedSquare(10);
    const LengthRange onVertices[] = {{10, 30}};
    auto pieces = square.trim(onVertices);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(points(pieces[0]), (std::vector<Point>{Point(10, 0), Point(10, 10), Point(0, 10)}));
    EXPECT_DOUBLE_EQ(pieces[0].length(), 20);
    EXPECT_FALSE(pieces[0].closed());

    const LengthRange inside[] = {{5, 12}, {25, 38}};
    pieces = square.trim(inside);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(points(pieces[0]), (std::vector<Point>{Point(5, 0), Point(10, 0), Point(10, 2)}));
    EXPECT_DOUBLE_EQ(pieces[0].length(), 7);
    EXPECT_EQ(points(pieces[1]), (std::vector<Point>{Point(5, 10), Point(0, 10), Point(0, 2)}));
    EXPECT_DOUBLE_EQ(pieces[1].length(), 13);

    EXPECT_TRUE(square.trim({}).empty());
    auto ofEmpty = BezierPath().trim(onVertices);
    ASSERT_EQ(ofEmpty.size(), 1u);
    EXPECT_TRUE(ofEmpty[0].isEmpty());
}

namespace {

// The point at `length` along a path of measured segments, each segment
// measured with the yardstick, and the whole path's length.
struct DensePath {
    std::vector<testsupport::DenseCubic> segments;
    double length = 0;

    explicit DensePath(const BezierPath& path) {
        const auto& elements = path.elements();
        for (std::size_t index = 1; index < elements.size(); ++index) {
            const CurveVertex& from = elements[index - 1].vertex;
            const CurveVertex& to = elements[index].vertex;
            segments.emplace_back(from.point, from.outTangent, to.inTangent, to.point);
            length += segments.back().length();
        }
    }

    Point pointAtLength(double at) const {
        for (const testsupport::DenseCubic& segment : segments) {
            if (at <= segment.length()) return segment.pointAtLength(at);
            at -= segment.length();
        }
        return segments.back().pointAt(1);
    }
};

BezierPath pathOf(std::initializer_list<CurveVertex> vertices, bool closed = false) {
    BezierPath path;
    for (const CurveVertex& vertex : vertices) path.appendVertex(vertex);
    path.setClosed(closed);
    return path;
}

}  // namespace

// Trims of paths whose curves have long or lopsided handles: each piece
// starts and ends where the arc length puts the trim's fractions. Inside one
// curve the cut is exact; between curves the path shares its length out by
// the lengths it stores (each curve measured with 25 chords), which are
// within a thousandth of the arc length on such curves.
TEST(CompoundTrim, CutsCurvesWithLongHandlesWhereTheArcLengthSays) {
    const BezierPath longHandle =
        pathOf({CurveVertex(Point(10, 90), Point(10, 90), Point(10, -110)), CurveVertex::corner(Point(90, 10))});
    const BezierPath lopsided = pathOf({CurveVertex(Point(0, 0), Point(0, 0), Point(0, 150)),
                                        CurveVertex(Point(100, 0), Point(60, 0), Point(300, -40)),
                                        CurveVertex(Point(200, 50), Point(200, 50), Point(200, 50))});
    const BezierPath closedDrop = pathOf({CurveVertex(Point(50, 0), Point(50, 0), Point(250, 100)),
                                          CurveVertex(Point(50, 100), Point(60, 100), Point(40, 100)),
                                          CurveVertex(Point(50, 0), Point(-150, 100), Point(50, 0))},
                                         true);
    struct Case {
        const char* name;
        const BezierPath& path;
        double start, end, offset;
        // The pieces, as fractions of the path's length.
        std::vector<std::pair<double, double>> pieces;
    };
    const Case cases[] = {
        {"one curve, 10 to 30 %", longHandle, 0.1, 0.3, 0, {{0.1, 0.3}}},
        {"one curve, 45 to 95 %", longHandle, 0.45, 0.95, 0, {{0.45, 0.95}}},
        {"one curve, a range in its last stretch", longHandle, 0.9, 0.97, 0, {{0.9, 0.97}}},
        {"two curves, across their vertex", lopsided, 0.2, 0.8, 0, {{0.2, 0.8}}},
        {"two curves, both ends in the first", lopsided, 0.05, 0.15, 0, {{0.05, 0.15}}},
        {"a closed path wrapped over its start", closedDrop, 0.6, 0.9, 0.3, {{0, 0.2}, {0.9, 1}}},
        {"a closed path turned by an offset", closedDrop, 0, 0.25, 0.6, {{0.6, 0.85}}},
    };
    for (const Case& test : cases) {
        const DensePath dense(test.path);
        for (bool simultaneously : {false, true}) {
            SCOPED_TRACE(testing::Message() << test.name << (simultaneously ? ", simultaneously" : ", across"));
            const CompoundBezierPath trimmed =
                CompoundBezierPath(test.path).trim(test.start, test.end, test.offset, simultaneously);
            ASSERT_EQ(trimmed.paths().size(), test.pieces.size());
            double shown = 0;
            for (std::size_t index = 0; index < test.pieces.size(); ++index) {
                const auto& elements = trimmed.paths()[index].elements();
                ASSERT_GE(elements.size(), 2u);
                const auto [from, to] = test.pieces[index];
                EXPECT_LT(pointDistance(elements.front().vertex.point, dense.pointAtLength(from * dense.length)),
                          1e-3 * dense.length);
                EXPECT_LT(pointDistance(elements.back().vertex.point, dense.pointAtLength(to * dense.length)),
                          1e-3 * dense.length);
                shown += to - from;
            }
            // The pieces' lengths are the stored lengths they cover.
            EXPECT_NEAR(trimmed.length(), shown * test.path.length(), 1e-9 * test.path.length());
        }
    }
}

// Fractions of a square's length, with offsets that wrap the range over the
// path's start: each piece's vertices and the pieces' total length.
TEST(CompoundTrim, CutsFractionsAndWrapsOverThePathStart) {
    CompoundBezierPath compound(closedSquare(10));
    struct Case {
        double start, end, offset;
        std::vector<std::vector<Point>> pieces;
        double length;
    };
    const Case cases[] = {
        {0.25, 0.75, 0, {{Point(10, 0), Point(10, 10), Point(0, 10)}}, 20},
        {0.8, 0.2, 0, {{Point(0, 0), Point(8, 0)}, {Point(0, 8), Point(0, 0)}}, 16},
        {0.1, 0.3, 0.8, {{Point(0, 0), Point(4, 0)}, {Point(0, 4), Point(0, 0)}}, 8},
        {0.1, 0.3, -0.2, {{Point(0, 0), Point(4, 0)}, {Point(0, 4), Point(0, 0)}}, 8},
    };
    for (bool simultaneously : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.start << " " << c.end << " " << c.offset << " " << simultaneously);
            CompoundBezierPath trimmed = compound.trim(c.start, c.end, c.offset, simultaneously);
            ASSERT_EQ(trimmed.paths().size(), c.pieces.size());
            for (std::size_t i = 0; i < c.pieces.size(); ++i) {
                std::vector<Point> piece = points(trimmed.paths()[i]);
                ASSERT_EQ(piece.size(), c.pieces[i].size());
                for (std::size_t k = 0; k < piece.size(); ++k) EXPECT_LT(pointDistance(piece[k], c.pieces[i][k]), 1e-9);
            }
            EXPECT_NEAR(trimmed.length(), c.length, 1e-9);
            EXPECT_DOUBLE_EQ(trimmed.length(), sumOfLengths(trimmed));
        }
    }
}

TEST(CompoundTrim, SimultaneousModeDropsSingleVertexPaths) {
    BezierPath dot;
    dot.appendVertex(CurveVertex::corner(Point(3, 3)));
    CompoundBezierPath compound(std::vector<BezierPath>{dot, closedSquare(10)});
    CompoundBezierPath trimmed = compound.trim(0, 0.5, 0, true);
    ASSERT_EQ(trimmed.paths().size(), 1u);
    EXPECT_DOUBLE_EQ(trimmed.length(), 20);
}

TEST(CompoundTrim, UnreadableFractionsEndTheWalk) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    CompoundBezierPath compound(std::vector<BezierPath>{closedSquare(10), closedSquare(5, Point(20, 0))});
    for (bool simultaneously : {false, true}) {
        // Only that it returns: no value of these can be placed on a path.
        EXPECT_LE(compound.trim(nan, 0.5, 0, simultaneously).paths().size(), 2u);
        EXPECT_LE(compound.trim(0.2, 0.5, nan, simultaneously).paths().size(), 2u);
    }
}
