#include <gtest/gtest.h>

#include <limits>

#include "Lottie/Values/CompoundBezierPath.h"
#include "Lottie/Values/CurveSplit.h"

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
        CurveSplit split = a.trimCurve(b, target, length, 3, 1.0);
        double measured = split.start.curveLength(split.trimPoint, 25);
        EXPECT_LT(target - measured, 1.0);
        // With no refinement the cut is at parameter target / length.
        EXPECT_EQ(a.trimCurve(b, target, length, 0, 1.0), a.splitCurve(b, target / length));
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
