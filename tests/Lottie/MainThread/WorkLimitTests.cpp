// Small documents that ask for huge work, generated here: precompositions
// nested thousands deep, a long parent chain repeated by many precomposition
// layers, and masked precompositions that branch on every level. Each renders
// within the engine's limits, and what a limit leaves out is logged once.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Lottie/Playback/ValueProviders/AnyValueProvider.h"
#include "tests/Lottie/MainThread/Features/FeatureDocuments.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace mainthreadtest;
using lottie::LottieLogger;

// A root layer whose warnings land in `warnings`.
std::shared_ptr<lottie::MainThreadAnimationLayer> makeLoggedRoot(const std::string& json,
                                                                 std::vector<std::string>& warnings) {
    auto keep = [&warnings](const LottieLogger::Message& message, std::string_view, unsigned) {
        warnings.push_back(message());
    };
    auto logger = std::make_shared<LottieLogger>([](auto&&...) {}, [](auto&&...) {}, keep, [](auto&&...) {});
    auto root = lottie::MainThreadAnimationLayer::make(decode(json), nullptr, nullptr, nullptr, false, logger);
    root->setAnchorPoint({0, 0});
    root->setPosition({0, 0});
    return root;
}

std::string layerOf(const std::string& asset, int index, const std::string& extra = "") {
    return R"({"ty":0,"nm":"P)" + std::to_string(index) + R"(","refId":")" + asset + R"(","ind":)" +
           std::to_string(index) + R"(,"w":100,"h":100,"ip":0,"op":1000,"st":0,"ks":{})" + extra + "}";
}

std::string asset(const std::string& id, const std::string& layers) {
    return R"({"id":")" + id + R"(","layers":[)" + layers + "]}";
}

const std::string redSquare = shapeLayer("[" + featuretest::rect(50, 50, 80, 80) + "," + fill(1, 0, 0) + "]");

// Each level holds `branches` precomposition layers of the next, each with
// `layerExtra`; the last level holds the red square.
std::string nestedDocument(int levels, int branches, const std::string& layerExtra = "") {
    std::string assets;
    for (int level = 0; level < levels; ++level) {
        std::string layers;
        for (int branch = 1; branch <= branches; ++branch) {
            layers += std::string(branch > 1 ? "," : "") + layerOf("p" + std::to_string(level + 1), branch, layerExtra);
        }
        assets += asset("p" + std::to_string(level), layers) + ",";
    }
    assets += asset("p" + std::to_string(levels), redSquare);
    return document("[" + layerOf("p0", 1) + "]", 100, 100, 60, "[" + assets + "]");
}

std::size_t countContaining(const std::vector<std::string>& warnings, const std::string& text) {
    std::size_t count = 0;
    for (const std::string& warning : warnings) count += warning.find(text) != std::string::npos;
    return count;
}

TEST(WorkLimits, PrecompositionsNestedTooDeepAreNotShown) {
    struct Case {
        int levels;
        bool shown;
    };
    const Case cases[] = {{1, true}, {99, true}, {100, false}, {15'000, false}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.levels);
        std::vector<std::string> warnings;
        auto root = makeLoggedRoot(nestedDocument(test.levels, 1), warnings);
        for (double frame : {0.0, 1.0}) {
            const auto image = renderFrame(*root, frame);
            ASSERT_TRUE(image);
            EXPECT_TRUE(pixelIs(*image, 50, 50, test.shown ? Rgba{255, 0, 0, 255} : Rgba{}));
        }
        EXPECT_EQ(countContaining(warnings, "nest more than 100 levels"), test.shown ? 0u : 1u);
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
    std::string nulls;
    for (int index = 1; index <= 40; ++index) {
        nulls += std::string(index > 1 ? "," : "") + R"({"ty":3,"nm":"N","ind":)" + std::to_string(index) +
                 R"(,"ip":0,"op":1000,"st":0,"ks":{})" + (index > 1 ? R"(,"parent":)" + std::to_string(index - 1) : "") +
                 "}";
    }
    std::string layers;
    for (int index = 1; index <= 25; ++index) layers += std::string(index > 1 ? "," : "") + layerOf("chain", index);
    auto root = makeRoot(decode(document("[" + layers + "]", 100, 100, 60, "[" + asset("chain", nulls) + "]")));
    auto rotation = std::make_shared<CountingRotation>();
    root->installValueProvider(rotation, lottie::AnimationKeypath("**.Rotation"));
    struct Pass {
        const char* name;
        bool changing;
        std::function<void()> run;
    };
    const Pass passes[] = {
        {"a new frame of still values", false, [&] { renderFrame(*root, 7); }},
        {"a new frame of changing values", true, [&] { renderFrame(*root, 8); }},
        {"a forced redraw", false, [&] { root->redrawCurrentFrame(); }},
        {"every frame forced", false, [&] {
             root->setForceDisplayUpdateOnEachFrame(true);
             renderFrame(*root, 9);
         }},
    };
    for (const Pass& pass : passes) {
        SCOPED_TRACE(pass.name);
        rotation->changing = pass.changing;
        rotation->checks = rotation->values = 0;
        pass.run();
        EXPECT_EQ(std::max(rotation->checks, rotation->values), 25 * 41);
    }
}

TEST(WorkLimits, MaskedPrecompositionsBranchingOnEveryLevel) {
    // Two masked precompositions of the next level on each of 16 levels: more
    // layers than the engine builds, and more masks than a frame affords.
    const std::string mask = R"(,"masksProperties":[)" +
                             featuretest::mask("a", "[[0,0],[100,0],[100,100],[0,100]]") + "]";
    std::vector<std::string> warnings;
    auto root = makeLoggedRoot(nestedDocument(16, 2, mask), warnings);
    for (double frame : {0.0, 1.0}) {
        const auto image = renderFrame(*root, frame);
        ASSERT_TRUE(image);
        EXPECT_TRUE(pixelIs(*image, 50, 50, {255, 0, 0, 255}));
        EXPECT_TRUE(pixelIs(*image, 5, 5, {}));
    }
    EXPECT_EQ(countContaining(warnings, "layers once its precompositions are expanded"), 1u);
    EXPECT_EQ(countContaining(warnings, "masked or matted layers are not drawn"), 1u);
}

}  // namespace
