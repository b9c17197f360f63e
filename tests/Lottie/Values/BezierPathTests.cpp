#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "Lottie/Values/BezierPath.h"
#include "tests/Lottie/Values/ValuesTestSupport.h"

using namespace lottie;
using namespace valuestest;
using platform::graphics::Point;
using platform::graphics::PathElementType;

namespace {

const char* const triangle = R"({"v": [[0,0],[10,0],[10,10]], "i": [[0,0],[0,0],[0,0]], "o": [[0,0],[0,0],[0,0]]})";

std::string withClosed(const char* flag) {
    std::string text = triangle;
    return text.substr(0, text.size() - 1) + ", \"c\": " + flag + "}";
}

BezierPath square(double side, bool closed = true) {
    BezierPath path;
    for (Point p : {Point(0, 0), Point(side, 0), Point(side, side), Point(0, side)}) path.appendVertex(CurveVertex::corner(p));
    if (closed) {
        path.appendVertex(CurveVertex::corner(Point(0, 0)));
        path.setClosed(true);
    }
    return path;
}

}  // namespace

TEST(BezierPath, DecodesInBothDecodersTheSameWay) {
    struct Case {
        std::string text;
        bool closed;
        std::vector<double> lengths;
    };
    const double diagonal = std::sqrt(200.0);
    const Case cases[] = {
        {triangle, true, {0, 10, 10, diagonal}},
        {withClosed("false"), false, {0, 10, 10}},
        {withClosed("true"), true, {0, 10, 10, diagonal}},
        {std::string("[") + triangle + "]", true, {0, 10, 10, diagonal}},
        {R"({"v": [], "i": [], "o": []})", true, {}},
        {R"({"c": false, "v": [], "i": [], "o": []})", false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        for (const BezierPath& path : {BezierPath::fromAny(json(c.text)), decodeKeyed<BezierPath>(c.text)}) {
            EXPECT_EQ(path.closed(), c.closed);
            ASSERT_EQ(path.elements().size(), c.lengths.size());
            double total = 0;
            for (std::size_t i = 0; i < c.lengths.size(); ++i) {
                EXPECT_NEAR(path.elements()[i].length, c.lengths[i], 1e-12);
                total += path.elements()[i].length;
            }
            EXPECT_DOUBLE_EQ(path.length(), total);
        }
    }
}

TEST(BezierPath, DictionaryReaderToleratesANumericClosedFlagTheKeyedDecoderDoesNot) {
    EXPECT_FALSE(BezierPath::fromAny(json(withClosed("0"))).closed());
    EXPECT_TRUE(BezierPath::fromAny(json(withClosed("\"no\""))).closed());
    EXPECT_EQ(decodingError([] { decodeKeyed<BezierPath>(withClosed("0")); }),
              platform::json::DecodingError::Kind::typeMismatch);
}

TEST(BezierPath, ControlPointsAreOffsetsFromTheirVertex) {
    BezierPath path = BezierPath::fromAny(json(R"({"c": true, "v": [[0,0],[10,10]], "i": [[1,2],[0,-10]], "o": [[0,10],[3,4]]})"));
    ASSERT_EQ(path.elements().size(), 3u);
    EXPECT_EQ(path.elements()[0].vertex, CurveVertex(Point(0, 0), Point(1, 2), Point(0, 10)));
    EXPECT_EQ(path.elements()[1].vertex, CurveVertex(Point(10, 10), Point(10, 0), Point(13, 14)));
    // The closing element: the first point, its in control point, no out handle.
    EXPECT_EQ(path.elements()[2].vertex, CurveVertex(Point(0, 0), Point(1, 2), Point(0, 0)));
}

TEST(BezierPath, ReportsEachDictionaryFailureByLine) {
    using Site = std::optional<std::pair<std::string, unsigned>>;
    auto at = [](const char* file, unsigned line) { return Site(std::make_pair(std::string(file), line)); };
    const std::pair<const char*, Site> cases[] = {
        {"5", at("Lottie/BezierPath", 420)},
        {R"({"i": [], "o": []})", at("Lottie/BezierPath", 423)},
        {R"({"v": [], "o": []})", at("Lottie/BezierPath", 424)},
        {R"({"v": [], "i": []})", at("Lottie/BezierPath", 425)},
        {R"({"v": [[0,0],[1,1],[2,2]], "i": [[0,0],[0,0]], "o": [[0,0],[0,0],[0,0]]})", at("Lottie/BezierPath", 430)},
        {R"({"v": [[0,0]], "i": [[0]], "o": [[0,0]]})", at("Lottie/CGPointExtension", 25)},
        {R"({"v": [{"x": 1}], "i": [[0,0]], "o": [[0,0]]})", at("Lottie/CGPointExtension", 17)},
    };
    for (const auto& [text, expected] : cases) {
        SCOPED_TRACE(text);
        EXPECT_EQ(initializableError([&, text = text] { BezierPath::fromAny(json(text)); }), expected);
        EXPECT_TRUE(decodingError([&, text = text] { decodeKeyed<BezierPath>(text); }));
    }
}

TEST(BezierPath, KeyedDecoderNamesMismatchedCounts) {
    auto error = testsupport::thrown<platform::json::DecodingError>([] {
        decodeKeyed<BezierPath>(R"({"v": [[0,0],[1,1],[2,2]], "i": [[0,0],[0,0]], "o": [[0,0],[0,0],[0,0]]})");
    });
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind(), platform::json::DecodingError::Kind::dataCorrupted);
    EXPECT_EQ(error->debugDescription(), "Vertex data does not match In Tangents and Out Tangents");
    ASSERT_FALSE(error->codingPath().empty());
    EXPECT_EQ(error->codingPath().back().stringValue, "v");
}

TEST(BezierPath, EncodesWhatItDecodedWithoutTheClosingElement) {
    const std::string text = R"({"c":true,"v":[[0,0],[10,0],[10,10]],"i":[[1,2],[0,0],[-3,0]],"o":[[0,0],[0,5],[0,0]]})";
    BezierPath path = BezierPath::fromAny(json(text));
    EXPECT_EQ(encodeToText(path), text);
    EXPECT_EQ(decodeKeyed<BezierPath>(encodeToText(path)), path);
    BezierPath open = BezierPath::fromAny(json(withClosed("false")));
    EXPECT_EQ(decodeKeyed<BezierPath>(encodeToText(open)), open);
    BezierPath emptyClosed;
    emptyClosed.setClosed(true);
    EXPECT_EQ(encodeToText(emptyClosed), R"({"c":true,"v":[],"i":[],"o":[]})");
}

TEST(BezierPath, CurveLengthUsesChordsOrTheStraightDistance) {
    CurveVertex from(Point(0, 0), Point(0, 0), Point(0, 10));
    CurveVertex to(Point(10, 10), Point(10, 0), Point(10, 10));
    double chords25 = from.curveLength(to, 25);
    // Slightly under the true arc length, about 16.765.
    EXPECT_NEAR(chords25, 16.752, 5e-4);
    EXPECT_LT(from.curveLength(to, 5), chords25);
    EXPECT_DOUBLE_EQ(from.curveLength(to, 0), std::sqrt(200.0));
    EXPECT_DOUBLE_EQ(CurveVertex::corner(Point(0, 0)).curveLength(CurveVertex::corner(Point(3, 4)), 25), 5);
}

// Lengths decide where trims cut: however the chords are measured, their sum
// must be the one of measuring them one after another, to the bit.
TEST(BezierPath, CurveLengthIsTheChordsSummedInOrderToTheBit) {
    const auto oneByOne = [](const CurveVertex& from, const CurveVertex& to, int steps) {
        double total = 0;
        Point previous = from.point;
        for (int i = 0; i < steps; ++i) {
            const Point sample = from.pointOnCurve(to, static_cast<double>(i) / steps);
            total += std::sqrt((sample.x - previous.x) * (sample.x - previous.x) +
                               (sample.y - previous.y) * (sample.y - previous.y));
            previous = sample;
        }
        return total + std::sqrt((to.point.x - previous.x) * (to.point.x - previous.x) +
                                 (to.point.y - previous.y) * (to.point.y - previous.y));
    };
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(-1000, 1000);
    const auto point = [&] { return Point(coordinate(random), coordinate(random)); };
    for (int round = 0; round < 200; ++round) {
        const CurveVertex from(point(), point(), point()), to(point(), point(), point());
        // Odd and even counts, the default, the most measured two at a time and past it.
        for (const int steps : {1, 2, 3, 24, 25, 63, 64, 65, 200}) {
            const double expected = oneByOne(from, to, steps);
            ASSERT_EQ(from.curveLength(to, steps), expected) << "round " << round << ", " << steps << " chords";
        }
    }
}

TEST(BezierPath, ConvertsToPlatformPathWithLinesAndCurves) {
    auto typesOf = [](const BezierPath& path) {
        std::vector<PathElementType> types;
        const auto platformPath = path.toPath();
        for (const auto& element : platformPath.elements()) types.push_back(element.type);
        return types;
    };
    using enum PathElementType;
    EXPECT_EQ(typesOf(BezierPath::fromAny(json(withClosed("false")))), (std::vector{moveTo, lineTo, lineTo}));
    BezierPath closed = BezierPath::fromAny(json(R"({"v": [[0,0],[10,10]], "i": [[0,0],[0,0]], "o": [[0,5],[0,0]]})"));
    EXPECT_EQ(typesOf(closed), (std::vector{moveTo, curveTo, lineTo, closeSubpath}));
    const auto curve = closed.toPath().elements()[1];
    EXPECT_EQ(curve.points[0], Point(0, 5));
    EXPECT_EQ(curve.points[1], Point(10, 10));
    BezierPath empty;
    empty.setClosed(true);
    EXPECT_TRUE(empty.toPath().isEmpty());
}

TEST(BezierPath, RoundsCornersOfAClosedSquare) {
    BezierPath rounded = square(10).withRoundedCorners(2);
    EXPECT_TRUE(rounded.closed());
    ASSERT_EQ(rounded.elements().size(), 8u);
    const Point corners[] = {Point(10, 0), Point(10, 10), Point(0, 10), Point(0, 0)};
    for (std::size_t i = 0; i < 8; ++i) {
        const CurveVertex& vertex = rounded.elements()[i].vertex;
        EXPECT_DOUBLE_EQ(pointDistance(vertex.point, corners[i / 2]), 2) << i;
        // The entry keeps its in handle on the point; the exit its out handle.
        if (i % 2 == 0) {
            EXPECT_EQ(vertex.inTangent, vertex.point);
            EXPECT_NEAR(pointDistance(vertex.outTangent, vertex.point), 2 * 0.5519, 1e-12);
        } else {
            EXPECT_EQ(vertex.outTangent, vertex.point);
        }
    }
    // A radius beyond half a side cuts at the middle of the side.
    BezierPath wide = square(10).withRoundedCorners(50);
    EXPECT_EQ(wide.elements()[0].vertex.point, Point(5, 0));
    EXPECT_EQ(wide.elements()[1].vertex.point, Point(10, 5));
}

TEST(BezierPath, RoundingLeavesTheEndsOfAnOpenPolylineSharp) {
    BezierPath open = square(10, false);
    BezierPath rounded = open.withRoundedCorners(3);
    EXPECT_FALSE(rounded.closed());
    ASSERT_EQ(rounded.elements().size(), 6u);
    EXPECT_EQ(rounded.elements().front().vertex, open.elements().front().vertex);
    EXPECT_EQ(rounded.elements().back().vertex, open.elements().back().vertex);
    EXPECT_EQ(rounded.elements()[1].vertex.point, Point(7, 0));
    EXPECT_EQ(rounded.elements()[2].vertex.point, Point(10, 3));
    EXPECT_DOUBLE_EQ(rounded.elements()[0].length, 0);
}

TEST(BezierPath, RoundingWithoutCornersKeepsThePathWhole) {
    BezierPath curved = BezierPath::fromAny(json(R"({"v": [[0,0],[10,10]], "i": [[-1,0],[0,-1]], "o": [[1,0],[0,1]]})"));
    BezierPath rounded = curved.withRoundedCorners(4);
    EXPECT_EQ(rounded, curved);
    EXPECT_TRUE(rounded.closed());
    EXPECT_EQ(BezierPath().withRoundedCorners(2), BezierPath());
}

TEST(BezierPath, CopiesShareTheirElementsUntilOneOfThemChanges) {
    const BezierPath original = square(10, false);
    BezierPath copy = original;
    EXPECT_EQ(&copy.elements(), &original.elements());
    EXPECT_EQ(copy, original);

    copy.appendVertex(CurveVertex::corner(Point(0, 0)));
    EXPECT_NE(&copy.elements(), &original.elements());
    EXPECT_EQ(original.elements().size(), 4u);
    EXPECT_DOUBLE_EQ(original.length(), 30);
    EXPECT_EQ(copy.elements().size(), 5u);
    EXPECT_DOUBLE_EQ(copy.length(), 40);
    EXPECT_NE(copy, original);

    // Equal paths built apart compare equal; so do empty ones, however made.
    EXPECT_EQ(square(10, false), original);
    BezierPath emptied;
    emptied.reserve(8);
    EXPECT_EQ(emptied, BezierPath());
    EXPECT_TRUE(emptied.isEmpty());

    // Trimming a shared path leaves every copy as it was.
    const BezierPath kept = copy;
    const LengthRange half{0, 15};
    const std::vector<BezierPath> pieces = copy.trim(std::span(&half, 1));
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_DOUBLE_EQ(pieces.front().length(), 15);
    EXPECT_EQ(copy, kept);
    EXPECT_EQ(copy.elements().size(), 5u);
}
