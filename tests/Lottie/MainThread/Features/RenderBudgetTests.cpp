// Small documents that ask for huge work: each budget holds, the picture stays
// what the document shows within tolerance, and what a budget cuts is warned
// about once however many frames are drawn.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "Lottie/MainThread/CompositionLayers/ImageCompositionLayer.h"
#include "Lottie/Playback/Providers/FilepathImageProvider.h"
#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"
#include "tests/Lottie/Playback/RecordingLogger.h"
#include "tests/Support/TestSupport.h"

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
        const std::string items =
            openPath("[[0,50],[" + number(c.length) + ",50]]") + "," + dashedStroke(c.dash, c.dash);
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

// Eight-pixel-wide red pictures, some claiming in their header to be far larger.
std::string imageAsset(const std::string& id, std::uint32_t claimedSide) {
    const std::vector<std::uint8_t> red = {255, 0, 0, 255};
    std::vector<std::uint8_t> rgba;
    for (int pixel = 0; pixel < 64; ++pixel) rgba.insert(rgba.end(), red.begin(), red.end());
    std::string png = platform::graphics::Image::fromStraightRGBA(8, 8, rgba)->encodePNG();
    if (claimedSide) png = testsupport::pngWithClaimedSize(png, claimedSide, claimedSide);
    return R"({"id":")" + id + R"(","w":8,"h":8,"u":"","e":1,"p":"data:image/png;base64,)" +
           testsupport::base64(png) + R"("})";
}

std::string imageLayer(const std::string& id, int index) {
    return R"({"ty":2,"nm":"Image","ind":)" + std::to_string(index) + R"(,"refId":")" + id +
           R"(","ip":0,"op":100,"st":0,"ks":{"p":{"a":0,"k":[)" + std::to_string(10 * index) + R"(,10]}}})";
}

TEST(RenderBudget, ImagesPastTheAnimationsPixelBudgetAreNotDecoded) {
    // 7,000 x 7,000 pixels fit the budget once; a second such image and one of
    // 9,000 x 9,000 do not, and their (broken) data is never read. The small
    // ones still show.
    const std::vector<std::pair<std::string, std::uint32_t>> assets = {
        {"small", 0}, {"first", 7000}, {"second", 7000}, {"huge", 9000}, {"last", 0}};
    std::string assetList, layers;
    for (std::size_t index = 0; index < assets.size(); ++index) {
        assetList += (index ? "," : "") + imageAsset(assets[index].first, assets[index].second);
        layers += (index ? "," : "") + imageLayer(assets[index].first, static_cast<int>(index) + 1);
    }
    RecordingLogger recorder;
    auto provider = std::make_shared<lottie::FilepathImageProvider>(".", platform::compositor::ContentsGravity::resize);
    const std::string json = document("[" + layers + "]", 100, 100, 60, "[" + assetList + "]");
    auto root = lottie::MainThreadAnimationLayer::make(decode(json), provider, nullptr, nullptr, false, nullptr);
    std::vector<bool> shown;
    for (const auto& layer : root->animationLayers()) {
        const auto image = std::dynamic_pointer_cast<lottie::ImageCompositionLayer>(layer);
        ASSERT_TRUE(image);
        shown.push_back(image->image() != nullptr);
    }
    // Layers are stacked top first.
    EXPECT_EQ(shown, (std::vector<bool>{true, false, false, false, true}));
    // One warning names the images the budget refused; the broken data of the
    // admitted one is reported as an image that could not be found.
    std::vector<std::string> budgetWarnings;
    for (const std::string& warning : recorder.warnings) {
        if (warning.find("decoded pixels") != std::string::npos) budgetWarnings.push_back(warning);
    }
    ASSERT_EQ(budgetWarnings.size(), 1u);
    // Whichever of the two 7,000-pixel images is asked for first fits.
    const auto names = [&](const char* id) {
        return budgetWarnings[0].find(std::string("\"") + id + "\"") != std::string::npos;
    };
    EXPECT_TRUE(names("huge") && names("first") != names("second") && !names("small") && !names("last"))
        << budgetWarnings[0];
}

}  // namespace
