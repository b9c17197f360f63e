// The precomposition layers of the Core Animation engine: the asset's layers in
// the contents layer, clipped to the precomposition's size; no children for a
// missing asset or one that would contain itself; and the time remapping their
// children are animated with.

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/CoreAnimation/PreCompLayer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"
#include "tests/Lottie/CoreAnimation/LayerTreeDump.h"

using namespace lottie;
using namespace coreanimationtest;

namespace {

std::string precompLayer(const std::string& name, const std::string& reference, const std::string& extra = "") {
    return R"({"ty":0,"nm":")" + name + R"(","ind":1,"ip":0,"op":60,"st":0,"ks":{},"refId":")" + reference +
           R"(","w":40,"h":30)" + (extra.empty() ? "" : "," + extra) + "}";
}

const std::string solid = R"({"ty":1,"nm":"Inner solid","ind":1,"ip":0,"op":60,"st":0,"ks":{},"sc":"#00ff00","sw":50,"sh":50})";

// A document at 30 frames a second with the given assets and layers.
std::shared_ptr<const LottieAnimation> document(const std::string& assets, const std::string& layers) {
    std::ostringstream json;
    json << R"({"v":"5.7.0","fr":30,"ip":0,"op":60,"w":100,"h":100,"assets":[)" << assets << R"(],"layers":[)"
         << layers << "]}";
    return LottieAnimation::fromData(json.str(), DecodingStrategy::dictionaryBased);
}

std::string asset(const std::string& id, const std::string& layers) {
    return R"({"id":")" + id + R"(","layers":[)" + layers + "]}";
}

class PreCompLayerTest : public ::testing::Test {
protected:
    std::shared_ptr<CoreAnimationLayer> build(const std::shared_ptr<const LottieAnimation>& animation) {
        tracker = log.tracker();
        return rootLayer(animation, tracker, log);
    }

    MessageLog log;
    std::shared_ptr<CompatibilityTracker> tracker;
};

TEST_F(PreCompLayerTest, TheAssetsLayersAreClippedToThePrecompositionsSize) {
    const auto root = build(document(asset("comp", solid), precompLayer("Outer", "comp")));
    EXPECT_TRUE(tracker->issues().empty());
    // Without blend modes or shadows each layer is its own contents layer.
    EXPECT_EQ(dumpTree(*root), R"dump(BaseCompositionLayer "Outer"
  SolidLayer "Inner solid"
    ShapeLayer
)dump");
    const auto precomp = std::dynamic_pointer_cast<PreCompLayer>(root->sublayers().at(0));
    ASSERT_TRUE(precomp);
    EXPECT_TRUE(precomp->contentsLayer()->masksToBounds());
    precomp->layout({5, 7, 100, 100});
    EXPECT_EQ(precomp->bounds(), platform::graphics::Rect(5, 7, 40, 30));
}

TEST_F(PreCompLayerTest, AMissingOrSelfContainingAssetGivesNoChildren) {
    const std::vector<std::shared_ptr<const LottieAnimation>> documents = {
        document(asset("comp", solid), precompLayer("Missing", "other")),
        document("", precompLayer("No assets", "comp")),
        // Each precomposition contains the other: the inner one met again builds nothing.
        document(asset("a", precompLayer("To b", "b")) + "," + asset("b", precompLayer("To a", "a")),
                 precompLayer("Outer", "a")),
        document(asset("self", precompLayer("Itself", "self") + "," + solid), precompLayer("Outer", "self")),
    };
    const std::vector<std::string> trees = {
        "BaseCompositionLayer \"Missing\"\n",
        "BaseCompositionLayer \"No assets\"\n",
        "BaseCompositionLayer \"Outer\"\n  BaseCompositionLayer \"To b\"\n    BaseCompositionLayer \"To a\"\n",
        "BaseCompositionLayer \"Outer\"\n  SolidLayer \"Inner solid\"\n    ShapeLayer\n  BaseCompositionLayer \"Itself\"\n",
    };
    for (std::size_t index = 0; index < documents.size(); ++index) {
        ASSERT_TRUE(documents[index]) << index;
        const auto root = build(documents[index]);
        EXPECT_EQ(dumpTree(*root), trees[index]) << index;
        EXPECT_TRUE(tracker->issues().empty()) << index;
    }
}

// The remapping the children of the precomposition layer (the only top-level layer) get.
LayerAnimationContext childContext(const std::shared_ptr<const LottieAnimation>& animation,
                                   const LayerAnimationContext& root) {
    const auto model = std::dynamic_pointer_cast<const PreCompLayerModel>(animation->layers.at(0));
    PreCompLayer layer(model);
    return layer.remappedContext(root);
}

TEST_F(PreCompLayerTest, TheChildrenAreRemappedThroughStartTimeStretchOrKeyframes) {
    struct Case {
        std::string extra;
        double localFrame;
        double rootFrameOfLocal;
        double rootFrame;
        double localFrameOfRoot;
        bool complex;
    };
    const std::vector<Case> cases = {
        {R"("st":0,"sr":1)", 12, 12, 12, 12, false},
        {R"("st":10,"sr":2)", 5, 20, 20, 5, false},
        // A stretch of 0 would divide by nothing: the layer plays unstretched.
        {R"("st":10,"sr":0)", 5, 15, 15, 5, false},
        // One remapping keyframe of 2 seconds: every root frame shows local frame 60.
        {R"("tm":{"a":0,"k":2})", 7, 7, 33, 60, true},
    };
    for (const Case& testCase : cases) {
        const auto animation = document(asset("comp", solid), precompLayer("Outer", "comp", testCase.extra));
        ASSERT_TRUE(animation) << testCase.extra;
        const auto context = childContext(animation, rootContext(animation, log.logger(), 0, 60));
        EXPECT_DOUBLE_EQ(context.simpleTimeRemapping(testCase.localFrame), testCase.rootFrameOfLocal) << testCase.extra;
        EXPECT_DOUBLE_EQ(context.complexTimeRemapping(testCase.rootFrame), testCase.localFrameOfRoot) << testCase.extra;
        EXPECT_EQ(context.mustUseComplexTimeRemapping, testCase.complex) << testCase.extra;
    }
}

TEST_F(PreCompLayerTest, NestedRemappingsCompose) {
    const auto animation = document(asset("comp", solid), precompLayer("Outer", "comp", R"("st":10,"sr":2)"));
    const auto inner = document(asset("comp", solid), precompLayer("Inner", "comp", R"("tm":{"a":1,"k":[{"t":0,"s":[0],"o":{"x":[0],"y":[0]},"i":{"x":[1],"y":[1]}},{"t":100,"s":[10]}]})"));
    ASSERT_TRUE(animation && inner);
    const auto outer = childContext(animation, rootContext(animation, log.logger(), 0, 60));
    const auto nested = childContext(inner, outer);
    // Root frame 30 is the outer local frame 10; the inner keyframes map it to
    // 1 second, local frame 30.
    EXPECT_NEAR(nested.complexTimeRemapping(30), 30, 1e-9);
    // The simple remappings chain from the inside out: 4 -> 4 -> 18.
    EXPECT_DOUBLE_EQ(nested.simpleTimeRemapping(4), 18);
    EXPECT_TRUE(nested.mustUseComplexTimeRemapping);
    EXPECT_TRUE(std::isfinite(nested.complexTimeRemapping(0)));
}

}  // namespace
