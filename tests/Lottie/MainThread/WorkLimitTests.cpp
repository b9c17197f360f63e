// Small generated documents that ask for huge work render within the engine's
// limits, and what a limit leaves out is logged once.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"
#include "tests/Support/RecordingLogger.h"

namespace {

using namespace mainthreadtest;

std::string layerOf(const std::string& asset, int index, const std::string& extra = "") {
    return R"({"ty":0,"nm":"P","refId":")" + asset + R"(","ind":)" + std::to_string(index) +
           R"(,"w":100,"h":100,"ip":0,"op":1000,"st":0,"ks":{})" + extra + "}";
}

std::string asset(const std::string& id, const std::string& layers) {
    return R"({"id":")" + id + R"(","layers":[)" + layers + "]}";
}

// Each of `levels` levels holds `branches` layers of the next, each with
// `layerExtra`; the last holds a red square from 10 to 90.
std::string nestedDocument(int levels, int branches, const std::string& layerExtra = "") {
    std::string assets;
    for (int level = 0; level < levels; ++level) {
        std::string layers = layerOf("p" + std::to_string(level + 1), 1, layerExtra);
        if (branches == 2) layers += "," + layerOf("p" + std::to_string(level + 1), 2, layerExtra);
        assets += asset("p" + std::to_string(level), layers) + ",";
    }
    const std::string square = shapeLayer("[" + featuretest::rect(50, 50, 80, 80) + "," + fill(1, 0, 0) + "]");
    assets += asset("p" + std::to_string(levels), square);
    return document("[" + layerOf("p0", 1) + "]", 100, 100, 60, "[" + assets + "]");
}

TEST(WorkLimits, DocumentsPastALimitRenderAndSayOnceWhatIsLeftOut) {
    const std::string masked =
        R"(,"masksProperties":[)" + featuretest::mask("a", "[[0,0],[100,0],[100,100],[0,100]]") + "]";
    struct Case {
        const char* name;
        std::string json;
        bool squareShown;  // the first branch is drawn down to the square
        std::vector<std::string> warnings;  // a distinctive part of some of them
    };
    const Case cases[] = {
        {"99 levels", nestedDocument(99, 1), true, {}},
        {"100 levels", nestedDocument(100, 1), false, {"nest more than 100 levels"}},
        {"15,000 levels", nestedDocument(15'000, 1), false, {"nest more than 100 levels"}},
        // Each mask is one square path and clips by it; the groups of the
        // masked layers spend the frame's surfaces.
        {"masked, branching on 16 levels", nestedDocument(16, 2, masked), true,
         {"layers once its precompositions", "are composited drawing by drawing"}},
    };
    // The other engine choices build within the same limits, or fall back.
    for (const auto& option : engineOptions()) {
        SCOPED_TRACE(option.description());
        for (const Case& test : cases) {
            SCOPED_TRACE(test.name);
            testsupport::RecordingLogger recorder;
            const auto image = renderFrames(decode(test.json), option, {0.0, 1.0});
            ASSERT_TRUE(image);
            EXPECT_TRUE(pixelIs(*image, 50, 50, test.squareShown ? Rgba{255, 0, 0, 255} : Rgba{}));
            EXPECT_TRUE(pixelIs(*image, 5, 5, {}));
            // Each said once, over both frames.
            const std::vector<std::string> warnings = limitMessages(recorder);
            EXPECT_EQ(std::set<std::string>(warnings.begin(), warnings.end()).size(), warnings.size());
            EXPECT_EQ(warnings.empty(), test.warnings.empty());
            for (const std::string& part : test.warnings) {
                auto says = [&part](const std::string& warning) { return warning.find(part) != std::string::npos; };
                EXPECT_EQ(std::count_if(warnings.begin(), warnings.end(), says), 1);
            }
        }
    }
}

// A rotation that counts how often the engine asks whether it changed and for its value.
class CountingRotation final : public lottie::ValueProvider<lottie::LottieVector1D> {
public:
    bool hasUpdate(lottie::AnimationFrameTime) const override {
        ++checks;
        return changing;
    }
    lottie::ValueProviderStorage<lottie::LottieVector1D> storage() override {
        return lottie::ValueProviderStorage<lottie::LottieVector1D>::closure([this](double) {
            ++values;
            return lottie::LottieVector1D(0);
        });
    }
    bool changing = false;
    mutable int checks = 0;
    int values = 0;
};

TEST(WorkLimits, SharedParentChainsUpdateEachNodeOncePerPass) {
    // 25 precomposition layers of one asset holding 40 null layers, each the
    // parent of the next: 25 x 41 transform nodes, each asked once per pass.
    std::string nulls = R"({"ty":3,"ind":1,"ip":0,"op":1000,"st":0,"ks":{}})";
    for (int index = 2; index <= 40; ++index) {
        nulls += R"(,{"ty":3,"ind":)" + std::to_string(index) + R"(,"parent":)" + std::to_string(index - 1) +
                 R"(,"ip":0,"op":1000,"st":0,"ks":{}})";
    }
    std::string layers = layerOf("chain", 1);
    for (int index = 2; index <= 25; ++index) layers += "," + layerOf("chain", index);
    auto root = makeRoot(decode(document("[" + layers + "]", 100, 100, 60, "[" + asset("chain", nulls) + "]")));
    auto rotation = std::make_shared<CountingRotation>();
    root->installValueProvider(rotation, lottie::AnimationKeypath("**.Rotation"));
    const std::vector<std::tuple<const char*, bool, std::function<void()>>> passes{
        {"a new frame of still values", false, [&] { renderFrame(*root, 7); }},
        {"a new frame of changing values", true, [&] { renderFrame(*root, 8); }},
        {"a forced redraw", false, [&] { root->redrawCurrentFrame(); }},
        {"every frame forced", false, [&] {
             root->setForceDisplayUpdateOnEachFrame(true);
             renderFrame(*root, 9);
         }},
    };
    for (const auto& [name, changing, pass] : passes) {
        SCOPED_TRACE(name);
        rotation->changing = changing;
        rotation->checks = rotation->values = 0;
        pass();
        EXPECT_EQ(std::max(rotation->checks, rotation->values), 25 * 41);
    }
}

}  // namespace
