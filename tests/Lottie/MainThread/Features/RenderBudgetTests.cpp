// Small documents that ask for huge work: each budget holds, the picture keeps
// what the document shows, and what a budget cuts is warned about once however
// many frames are drawn.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"
#include "tests/Support/RecordingLogger.h"
#include "tests/Support/Base64Encoder.h"
#include "tests/Support/TestSupport.h"

namespace {

using namespace mainthreadtest;
using namespace featuretest;

std::string dashedLine(double length, double dash) {
    std::string item = stroke(4);
    item.pop_back();
    const std::string value = R"(,"v":{"a":0,"k":)" + number(dash) + "}}";
    return "[" + openPath("[[0,50],[" + number(length) + ",50]]") + "," + item + R"(,"d":[{"n":"d","nm":"d")" +
           value + R"(,{"n":"g","nm":"g")" + value + "]}]";
}

std::string star(int type, double points, double roundness) {
    const std::string r = R"({"a":0,"k":)" + number(roundness) + "}";
    return "[" + std::string(R"({"ty":"sr","nm":"Star","sy":)") + std::to_string(type) +
           R"(,"p":{"a":0,"k":[50,50]},"or":{"a":0,"k":30},"ir":{"a":0,"k":15},"os":)" + r + R"(,"is":)" + r +
           R"(,"pt":{"a":0,"k":)" + number(points) + R"(},"r":{"a":0,"k":0}},)" + fill(1, 0, 0) + "]";
}

// An 8 x 8 red picture whose header may claim a far larger square; the layer
// showing it sits at (x, 10).
std::string imageAsset(const std::string& id, std::uint32_t claimedSide) {
    std::vector<std::uint8_t> rgba;
    for (int pixel = 0; pixel < 64; ++pixel) rgba.insert(rgba.end(), {255, 0, 0, 255});
    std::string png = platform::graphics::Image::fromStraightRGBA(8, 8, rgba)->encodePNG();
    if (claimedSide) png = testsupport::pngWithClaimedSize(png, claimedSide, claimedSide);
    return R"({"id":")" + id + R"(","w":8,"h":8,"u":"","e":1,"p":"data:image/png;base64,)" +
           testsupport::encodeBase64(png) + R"("})";
}

std::string imageLayer(const std::string& id, int index, int x) {
    return R"({"ty":2,"nm":"Image","ind":)" + std::to_string(index) + R"(,"refId":")" + id +
           R"(","ip":0,"op":100,"st":0,"ks":{"p":{"a":0,"k":[)" + std::to_string(x) + R"(,10]}}})";
}

TEST(RenderBudget, HugeWorkIsBoundedAndReportedOnce) {
    struct Probe {
        int x, y;
        bool drawn;
    };
    struct Case {
        const char* name;
        std::string layers;
        std::string assets;
        const char* warning;  // what the one warning of this budget mentions
        std::size_t warnings;
        std::vector<Probe> probes;
    };
    // 7,000 x 7,000 pixels fit the 64-megapixel budget once; a second such image
    // and one of 9,000 x 9,000 do not, and their (broken) data is never read.
    const std::string images = imageLayer("small", 1, 10) + "," + imageLayer("first", 2, 30) + "," +
                               imageLayer("second", 3, 50) + "," + imageLayer("huge", 4, 70) + "," +
                               imageLayer("last", 5, 90);
    const std::string assets = "[" + imageAsset("small", 0) + "," + imageAsset("first", 7000) + "," +
                               imageAsset("second", 7000) + "," + imageAsset("huge", 9000) + "," +
                               imageAsset("last", 0) + "]";
    const Case cases[] = {
        // A pattern that would cut the line into 50,000 pieces is stretched fivefold.
        {"dashes within the limit", shapeLayer(dashedLine(1e5, 10)), "[]", "dash", 0, {{5, 50, 1}, {15, 50, 0}}},
        {"five times too many dashes", shapeLayer(dashedLine(5e5, 10)), "[]", "dash", 1, {{15, 50, 1}, {75, 50, 0}}},
        {"a million one-unit dashes", shapeLayer(dashedLine(1e6, 1)), "[]", "dash", 1, {{5, 50, 1}, {95, 50, 1}}},
        // Whatever the roundness, a star keeps near its radius of 30; past
        // 1,000 % it is cut to that, with a warning.
        {"a fully rounded star", shapeLayer(star(1, 5, 100)), "[]", "roundness", 0, {{50, 50, 1}, {2, 2, 0}}},
        // Real documents round their points by up to a few hundred percent: kept as given.
        {"a star rounded as documents round them", shapeLayer(star(1, 5, 265)), "[]", "roundness", 0,
         {{50, 50, 1}, {2, 2, 0}}},
        {"a star of huge roundness", shapeLayer(star(1, 5, 1e5)), "[]", "roundness", 1, {{50, 50, 1}, {2, 2, 0}}},
        {"a polygon of huge negative roundness", shapeLayer(star(2, 5, -1e5)), "[]", "roundness", 1,
         {{50, 50, 1}, {97, 97, 0}}},
        {"images past the budget", images, assets, "decoded pixels", 1,
         {{14, 14, 1}, {34, 14, 0}, {54, 14, 0}, {74, 14, 0}, {94, 14, 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        testsupport::RecordingLogger recorder;
        auto root = makeRoot(decode(document("[" + c.layers + "]", 100, 100, 60, c.assets)));
        root->setImageProvider(
            std::make_shared<lottie::FilepathImageProvider>(".", platform::compositor::ContentsGravity::resize));
        std::shared_ptr<const platform::graphics::Image> image;
        for (double frame : {0.0, 1.0}) image = renderFrame(*root, frame);
        ASSERT_TRUE(image);
        for (const Probe& probe : c.probes) {
            EXPECT_EQ(pixelAt(*image, probe.x, probe.y).a > 128, probe.drawn) << probe.x << ", " << probe.y;
        }
        EXPECT_EQ(std::count_if(recorder.warnings.begin(), recorder.warnings.end(),
                                [&](const std::string& text) { return text.find(c.warning) != std::string::npos; }),
                  static_cast<long>(c.warnings));
    }
}

}  // namespace
