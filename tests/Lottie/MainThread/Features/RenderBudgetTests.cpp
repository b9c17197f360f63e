// Small documents that ask for huge work: each budget holds, the picture stays
// what the document shows within tolerance, and what a budget cuts is warned
// about once however many frames are drawn.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"
#include "tests/Lottie/Playback/RecordingLogger.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

std::string dashedStroke(double dash, double gap) {
    std::string item = stroke(4);
    item.pop_back();
    return item + R"(,"d":[{"n":"d","nm":"dash","v":{"a":0,"k":)" + number(dash) + R"(}},)" +
           R"({"n":"g","nm":"gap","v":{"a":0,"k":)" + number(gap) + "}}]}";
}

TEST(RenderBudget, FineDashesOnLongPathsAreCoarsenedAndReportedOnce) {
    struct Case {
        const char* name;
        double length;
        double dash;
        std::vector<int> onAt;
        std::vector<int> offAt;
        std::size_t warnings;
    };
    // A horizontal line at y = 50 from x = 0 far out to the right.
    const Case cases[] = {
        {"within the limit", 100'000, 10, {5, 25}, {15, 35}, 0},
        {"a million pieces", 1'000'000, 10, {5, 45, 95}, {}, 1},
        {"one-unit dashes", 1'000'000, 1, {5, 95}, {}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingLogger recorder;
        const std::string items = openPath("[[0,50],[" + number(c.length) + ",50]]") + "," + dashedStroke(c.dash, c.dash);
        auto root = makeRoot(decode(shapeDocument(items)));
        std::shared_ptr<const platform::graphics::Image> image;
        for (double frame : {0.0, 1.0, 2.0}) image = renderFrame(*root, frame);
        ASSERT_TRUE(image);
        for (int x : c.onAt) EXPECT_GT(pixelAt(*image, x, 50).a, 200) << "x = " << x;
        for (int x : c.offAt) EXPECT_EQ(pixelAt(*image, x, 50).a, 0) << "x = " << x;
        EXPECT_EQ(recorder.warnings.size(), c.warnings);
    }
}

std::string roundStar(int type, double points, double roundness) {
    const std::string r = R"({"a":0,"k":)" + number(roundness) + "}";
    return R"({"ty":"sr","nm":"Star","sy":)" + std::to_string(type) +
           R"(,"p":{"a":0,"k":[50,50]},"or":{"a":0,"k":30},"ir":{"a":0,"k":15},"os":)" + r + R"(,"is":)" + r +
           R"(,"pt":{"a":0,"k":)" + number(points) + R"(},"r":{"a":0,"k":0}})";
}

TEST(RenderBudget, StarRoundnessStaysInRangeAndIsReportedOnce) {
    struct Case {
        const char* name;
        int type;
        double points;
        double roundness;
        std::size_t warnings;
    };
    const Case cases[] = {
        {"a rounded star", 1, 5, 100, 0},
        {"a star of huge roundness", 1, 5, 1e5, 1},
        {"a polygon of huge negative roundness", 2, 5, -1e5, 1},
        {"ten thousand fully rounded points", 1, 10'000, 100, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingLogger recorder;
        auto root = makeRoot(decode(shapeDocument(roundStar(c.type, c.points, c.roundness) + "," + fill(1, 0, 0))));
        std::shared_ptr<const platform::graphics::Image> image;
        for (double frame : {0.0, 1.0}) image = renderFrame(*root, frame);
        ASSERT_TRUE(image);
        // Whatever the roundness, the shape keeps near its radius of 30 around (50, 50).
        EXPECT_TRUE(pixelIs(*image, 50, 50, {255, 0, 0, 255}));
        for (int corner : {2, 97}) EXPECT_EQ(pixelAt(*image, corner, corner).a, 0) << corner;
        EXPECT_EQ(recorder.warnings.size(), c.warnings);
    }
}

}  // namespace
