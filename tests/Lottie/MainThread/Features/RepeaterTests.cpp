// A repeater of five copies on this engine: repeaters are not drawn here (the
// other engine draws them), so the document shows its shape once, and the
// shared logger is told why.

#include <gtest/gtest.h>

#include <string>

#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

// Five copies, each 16 to the right of the one before.
const std::string fiveCopies =
    R"({"ty":"rp","nm":"Repeater","c":{"a":0,"k":5},"o":{"a":0,"k":0},"m":1,"tr":{"ty":"tr","nm":"T",)"
    R"("p":{"a":0,"k":[16,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},)"
    R"("so":{"a":0,"k":100},"eo":{"a":0,"k":100}}})";

TEST(RepeaterRender, FiveCopiesShowTheOriginalOnceAndWarn) {
    LogCapture log;
    const auto image = renderDocument(shapeDocument(rect(10, 50, 10, 10) + "," + fill(1, 0, 0) + "," + fiveCopies));
    ASSERT_TRUE(image);
    EXPECT_TRUE(pixelIs(*image, 10, 50, {255, 0, 0, 255}));
    for (int copy = 1; copy < 5; ++copy) EXPECT_TRUE(pixelIs(*image, 10 + 16 * copy, 50, {0, 0, 0, 0})) << copy;
    ASSERT_EQ(log.warnings.size(), 1u);
    EXPECT_NE(log.warnings[0].find("support repeaters"), std::string::npos) << log.warnings[0];
}

}  // namespace
