// The stroker's outlines, judged by the non-zero rule they are filled with:
// a round pen must cover exactly the points within its radius of the path
// (no hole where pieces fold or bend tighter than the pen, nothing past it),
// and caps and joins must add the areas their shapes have.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "Platform/Graphics/PolylineStroker.h"

namespace platform::graphics {
namespace {

// How many times the outline winds around a point.
int winding(const PolylineStroker::Outline& outline, Point at) {
    int total = 0;
    std::size_t first = 0;
    for (const std::size_t last : outline.contourEnds) {
        for (std::size_t i = first; i <= last; ++i) {
            const Point a = outline.points[i], b = outline.points[i == last ? first : i + 1];
            if (a.y <= at.y) {
                if (b.y > at.y && (b.x - a.x) * (at.y - a.y) - (at.x - a.x) * (b.y - a.y) > 0) ++total;
            } else if (b.y <= at.y && (b.x - a.x) * (at.y - a.y) - (at.x - a.x) * (b.y - a.y) < 0) {
                --total;
            }
        }
        first = last + 1;
    }
    return total;
}

double distanceToSegment(Point p, Point a, Point b) {
    const Point ab = b - a, ap = p - a;
    const double length = ab.x * ab.x + ab.y * ab.y;
    const double t = length == 0 ? 0 : std::clamp((ap.x * ab.x + ap.y * ab.y) / length, 0.0, 1.0);
    return p.distanceTo(a + ab * t);
}

// The area the outline covers under the non-zero rule, sampled on a grid of
// `step` over the box.
double coveredArea(const PolylineStroker::Outline& outline, double minX, double minY, double maxX, double maxY,
                   double step) {
    int covered = 0;
    for (double y = minY + step / 2; y < maxY; y += step) {
        for (double x = minX + step / 2; x < maxX; x += step) covered += winding(outline, {x, y}) != 0;
    }
    return covered * step * step;
}

PolylineStroker::Outline stroke(const std::vector<Point>& points, bool closed, PolylineStroker::Style style) {
    PolylineStroker stroker;
    stroker.begin(style);
    stroker.moveTo(points.front());
    for (std::size_t i = 1; i < points.size(); ++i) stroker.lineTo(points[i]);
    stroker.endSubpath(closed);
    return stroker.outline();
}

TEST(PolylineStroker, ARoundPenCoversExactlyWhatLiesWithinItsRadius) {
    // Random polylines, many of pieces far shorter than the pen and turning
    // back on themselves, and a curve bending tighter than the pen: every
    // point the outline winds around must lie within the radius of the path
    // and every point within it be wound around, but on a band as wide as
    // the tolerance along the edge.
    std::mt19937 random(42);
    for (int round = 0; round < 40; ++round) {
        const double radius = round % 2 == 0 ? 3 : 9;
        std::uniform_real_distribution<double> coordinate(0, round % 4 < 2 ? 12 : 40);
        std::vector<Point> points;
        const int count = 2 + round % 7;
        for (int i = 0; i < count; ++i) points.push_back({coordinate(random), coordinate(random)});
        const bool closed = round % 3 == 0;
        const PolylineStroker::Style style{radius, LineCap::round, LineJoin::round, 10, 0.05};
        const PolylineStroker::Outline outline = stroke(points, closed, style);
        int wrong = 0;
        for (double y = -radius - 1; y < 41 + radius; y += 0.37) {
            for (double x = -radius - 1; x < 41 + radius; x += 0.37) {
                double distance = INFINITY;
                for (std::size_t i = 0; i + 1 < points.size(); ++i) {
                    distance = std::min(distance, distanceToSegment({x, y}, points[i], points[i + 1]));
                }
                if (closed) distance = std::min(distance, distanceToSegment({x, y}, points.back(), points.front()));
                if (std::fabs(distance - radius) <= style.tolerance + 1e-9) continue;
                if ((winding(outline, {x, y}) != 0) != (distance < radius)) ++wrong;
            }
        }
        EXPECT_EQ(wrong, 0) << "round " << round;
    }
}

TEST(PolylineStroker, CurvesFollowThePenWithinTheTolerance) {
    // A quarter circle of radius 20 drawn as a cubic, stroked with a pen of
    // radius 2, then one bending tighter than a pen of radius 30: the ring's
    // area, and a disc's where the pen covers the bend's centre.
    for (const double radius : {2.0, 30.0}) {
        PolylineStroker stroker;
        const PolylineStroker::Style style{radius, LineCap::butt, LineJoin::miter, 10, 0.01};
        stroker.begin(style);
        const double k = 0.5522847498 * 20;
        stroker.moveTo({20, 0});
        stroker.curveTo({20, k}, {k, 20}, {0, 20});
        stroker.endSubpath(false);
        const double inner = std::max(0.0, 20 - radius), outer = 20 + radius;
        // The quarter of the ring; under the wide pen, whose normals pass the
        // centre, the quarter disc and the quarter they reach beyond it.
        double expected = std::numbers::pi / 4 * (outer * outer - inner * inner);
        if (radius > 20) expected += std::numbers::pi / 4 * (radius - 20) * (radius - 20);
        const double area = coveredArea(stroker.outline(), -radius - 1, -radius - 1, 52, 52, 0.1);
        EXPECT_NEAR(area, expected, expected * 0.004) << "radius " << radius;
    }
}

TEST(PolylineStroker, CapsAndJoinsAddTheirShapesAreas) {
    const double r = 4;
    const std::vector<Point> line{{10, 10}, {40, 10}};
    const std::vector<Point> corner{{10, 10}, {40, 10}, {40, 40}};
    struct Case {
        const char* name;
        const std::vector<Point>& points;
        LineCap cap;
        LineJoin join;
        double miterLimit;
        double area;
    };
    const double pi = std::numbers::pi;
    const Case cases[] = {
        {"butt", line, LineCap::butt, LineJoin::miter, 10, 30 * 2 * r},
        {"square", line, LineCap::square, LineJoin::miter, 10, (30 + 2 * r) * 2 * r},
        {"round", line, LineCap::round, LineJoin::miter, 10, 30 * 2 * r + pi * r * r},
        // Two pieces of 30 overlap in a square of the pen's radius at the
        // turn; the outer corner adds a square, a quarter disc or a half
        // square.
        {"miter", corner, LineCap::butt, LineJoin::miter, 10, 2 * 30 * 2 * r - r * r + r * r},
        {"round join", corner, LineCap::butt, LineJoin::round, 10, 2 * 30 * 2 * r - r * r + pi * r * r / 4},
        {"bevel", corner, LineCap::butt, LineJoin::bevel, 10, 2 * 30 * 2 * r - r * r + r * r / 2},
        // A right angle's miter is sqrt 2 widths long: past a limit of 1.4.
        {"miter past its limit", corner, LineCap::butt, LineJoin::miter, 1.4, 2 * 30 * 2 * r - r * r + r * r / 2},
    };
    for (const Case& c : cases) {
        const auto outline = stroke(c.points, false, {r, c.cap, c.join, c.miterLimit, 0.01});
        EXPECT_NEAR(coveredArea(outline, 0, 0, 55, 55, 0.05), c.area, c.area * 0.003) << c.name;
    }
    // A closed square: its borders are a ring, the miters its corners.
    const auto ring = stroke({{10, 10}, {40, 10}, {40, 40}, {10, 40}}, true, {r, LineCap::round, LineJoin::miter, 10, 0.01});
    ASSERT_EQ(ring.contourEnds.size(), 2u);
    EXPECT_NEAR(coveredArea(ring, 0, 0, 55, 55, 0.05), (30 + 2 * r) * (30 + 2 * r) - (30 - 2 * r) * (30 - 2 * r), 2);
    EXPECT_EQ(winding(ring, {25, 25}), 0) << "the square's middle is left clear";
}

TEST(PolylineStroker, APathOfNoLengthAddsNothing) {
    PolylineStroker stroker;
    stroker.begin({4, LineCap::round, LineJoin::round, 10, 0.05});
    stroker.moveTo({10, 10});
    stroker.lineTo({10, 10});
    stroker.curveTo({10, 10}, {10, 10}, {10, 10});
    stroker.endSubpath(false);
    stroker.moveTo({20, 20});
    stroker.endSubpath(true);
    EXPECT_TRUE(stroker.outline().points.empty());
    EXPECT_TRUE(stroker.outline().contourEnds.empty());
    // A line out and back, closed: two pieces folding onto each other, with
    // round joins at both turns.
    stroker.moveTo({10, 10});
    stroker.lineTo({30, 10});
    stroker.endSubpath(true);
    const double expected = 20 * 8 + std::numbers::pi * 16;
    EXPECT_NEAR(coveredArea(stroker.outline(), 0, 0, 40, 20, 0.05), expected, expected * 0.01);
}

TEST(PolylineStroker, AHostilePathStopsAtTheMostPointsAndSaysSo) {
    // Twenty thousand curves that each want the most pieces, under a pen
    // whose arcs want hundreds of points at every turn: the stroker stops
    // near its limit instead of building millions of points.
    PolylineStroker stroker;
    PolylineStroker::Style style{5000, LineCap::round, LineJoin::round, 10, 0.001};
    style.mostPoints = 32767;
    stroker.begin(style);
    stroker.moveTo({0, 0});
    for (int i = 0; i < 20000; ++i) {
        const double x = (i % 2 == 0 ? 1 : -1) * 1e5;
        stroker.curveTo({x, 1e5}, {-x, 2e5}, {x, 0});
    }
    stroker.endSubpath(false);
    EXPECT_TRUE(stroker.overflowed());
    EXPECT_LE(stroker.outline().points.size(), 3 * style.mostPoints);
    stroker.clear();
    EXPECT_FALSE(stroker.overflowed());
}

}  // namespace
}  // namespace platform::graphics
