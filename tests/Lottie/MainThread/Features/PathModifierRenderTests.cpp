// Trims and rounded corners, checked in pixels: which edges of a stroked
// square or which of several stroked lines stay visible, and which corners
// of a filled shape are cut away.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

// A point and whether the stroke or fill must cover it.
struct Mark {
    int x;
    int y;
    bool painted;
};

void expectMarks(const platform::graphics::Image& image, const std::vector<Mark>& marks, Rgba colour) {
    std::vector<Probe> probes;
    for (const Mark& mark : marks) probes.push_back({mark.x, mark.y, mark.painted ? colour : clear});
    expectProbes(image, probes);
}

// Stroked paths after trims (and rounded corners), checked where the kept
// stretches must and must not be.
TEST(TrimRender, KeepsTheStretchesTheTrimSelects) {
    // A closed square from (20,20) clockwise: top, right, bottom, left edges of 60 each.
    const std::string square = closedPath("[[20,20],[80,20],[80,80],[20,80]]") + ",";
    const std::string twoLines = openPath("[[10,30],[90,30]]") + "," + openPath("[[10,70],[90,70]]") + ",";
    // Three lines of 80 each, one below the other, drawn left to right.
    const std::string threeLines = openPath("[[10,20],[90,20]]") + "," + openPath("[[10,50],[90,50]]") + "," +
                                   openPath("[[10,80],[90,80]]") + ",";
    // The rounded rectangle starts after its first corner (bottom right) and
    // runs clockwise; its last edge, up the right side, closes it and is
    // trimmed like any other edge.
    const std::string roundedGroup = group(rect(50, 50, 60, 60)) + "," + roundedCorners(15) + ",";
    const std::vector<Mark> firstHalf{{50, 20, true}, {80, 50, true}, {50, 80, false}, {20, 50, false}};
    // 20 to 80 shifted a quarter turn: from 45 % round the end to 5 %.
    const std::vector<Mark> wrapped{{80, 40, false}, {80, 75, true}, {50, 80, true}, {20, 50, true},
                                     {25, 20, true},  {50, 20, false}};
    struct Case {
        const char* name;
        std::string items;
        std::vector<Mark> probes;
    };
    const Case cases[] = {
        {"0 to 50, simultaneously", square + trim(0, 50, 0, 1), firstHalf},
        {"80 to 20 offset 90, simultaneously", square + trim(80, 20, 90, 1), wrapped},
        {"equal start and end show nothing", square + trim(40, 40, 0, 1),
         {{50, 20, false}, {80, 50, false}, {50, 80, false}, {20, 50, false}}},
        // Across both: the first keeps its second half, the second its first half.
        {"individually 25 to 75", twoLines + trim(25, 75, 0, 2),
         {{30, 30, false}, {70, 30, true}, {30, 70, true}, {70, 70, false}}},
        {"simultaneously 25 to 75", twoLines + trim(25, 75, 0, 1),
         {{20, 30, false}, {50, 30, true}, {80, 30, false}, {20, 70, false}, {50, 70, true}, {80, 70, false}}},
        // A quarter turn back moves the window a quarter of the total towards the start.
        {"individually 50 to 75 offset -90", twoLines + trim(50, 75, -90, 2),
         {{70, 30, true}, {30, 30, false}, {30, 70, false}, {70, 70, false}}},
        // The window wraps past the end: the first line lies wholly inside it.
        {"individually wrapping over a whole path", threeLines + trim(0, 200.0 / 3, 300, 2),
         {{15, 20, true}, {50, 20, true}, {85, 20, true}, {30, 50, true}, {70, 50, false}, {30, 80, false},
          {70, 80, true}}},
        // A trim reaches the paths of groups before it.
        {"a group's path before the trim",
         group(openPath("[[10,30],[90,30]]")) + "," + openPath("[[10,70],[90,70]]") + "," + trim(0, 50, 0, 2),
         {{50, 30, true}, {50, 70, false}}},
        {"first half of a rounded rectangle", roundedGroup + trim(0, 50, 0, 1),
         {{50, 80, true}, {20, 50, true}, {50, 20, false}, {80, 50, false}, {80, 80, false}}},
        {"second half of a rounded rectangle", roundedGroup + trim(50, 100, 0, 1),
         {{50, 80, false}, {20, 50, false}, {50, 20, true}, {80, 50, true}, {20, 20, false}}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto image = renderDocument(shapeDocument(test.items + "," + stroke(4)));
        ASSERT_TRUE(image);
        expectMarks(*image, test.probes, blue);
    }
}

TEST(TrimRender, AnimatedTrimRedrawsTheUpstreamPathEachFrame) {
    const std::string animatedTrim =
        R"({"ty":"tm","nm":"Trim","s":{"a":0,"k":0},"o":{"a":0,"k":0},"m":1,"e":{"a":1,"k":[)"
        R"({"t":0,"s":[25],"i":{"x":[1],"y":[1]},"o":{"x":[0],"y":[0]}},{"t":10,"s":[100]}]}})";
    auto root = makeRoot(decode(shapeDocument(openPath("[[0,50],[100,50]]") + "," + animatedTrim + "," + stroke(4))));
    for (double frame : {0.0, 10.0, 0.0}) {
        SCOPED_TRACE(frame);
        const auto image = renderFrame(*root, frame);
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelIs(*image, 10, 50, blue));
        EXPECT_TRUE(pixelIs(*image, 80, 50, frame == 10 ? blue : clear));
    }
}

TEST(RoundedCornersRender, CornersOfARectangleAndAStarAreCut) {
    struct Case {
        const char* name;
        std::string shape;
        // Inside the sharp shape, outside the rounded one.
        Mark corner;
        // Inside both.
        Mark inner;
    };
    const Case cases[] = {
        {"rectangle", rect(50, 50, 60, 60), {22, 22, true}, {50, 50, true}},
        {"star", star(40, 20), {50, 13, true}, {50, 50, true}},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        const auto sharp = renderDocument(shapeDocument(test.shape + "," + roundedCorners(0) + "," + fill(1, 0, 0)));
        const auto rounded = renderDocument(shapeDocument(test.shape + "," + roundedCorners(15) + "," + fill(1, 0, 0)));
        ASSERT_TRUE(sharp && rounded);
        expectMarks(*sharp, {test.corner, test.inner}, red);
        expectMarks(*rounded, {{test.corner.x, test.corner.y, false}, test.inner}, red);
    }
}

}  // namespace
