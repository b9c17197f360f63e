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

}  // namespace
