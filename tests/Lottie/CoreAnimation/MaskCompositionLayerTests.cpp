// The masks of the Core Animation engine: how the modes nest, which paths are
// inverted, what a mask layer's path becomes once animations are installed, and
// which mask features are compatibility issues.

#include <gtest/gtest.h>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/CoreAnimation/LayerTreeBuilder.h"
#include "Lottie/CoreAnimation/MaskCompositionLayer.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"
#include "tests/Lottie/CoreAnimation/LayerTreeDump.h"

using namespace lottie;
using namespace coreanimationtest;

namespace {

// A closed square path of side `side` at the origin, as mask JSON of `mode`.
std::string mask(const std::string& mode, bool inverted = false, const std::string& extra = "") {
    return R"({"mode":")" + mode + R"(","inv":)" + (inverted ? "true" : "false") +
           R"(,"pt":{"k":{"c":true,"v":[[0,0],[10,0],[10,10],[0,10]],"i":[[0,0],[0,0],[0,0],[0,0]],"o":[[0,0],[0,0],[0,0],[0,0]]}},"o":{"k":100})" +
           (extra.empty() ? "" : "," + extra) + "}";
}

std::string maskedSolid(const std::string& masks) {
    return R"({"ty":1,"nm":"Solid","ind":1,"ip":0,"op":60,"st":0,"ks":{},"sc":"#ff0000","sw":40,"sh":40,"hasMask":true,"masksProperties":[)" +
           masks + "]}";
}

class MaskTest : public ClockTest {
protected:
    std::shared_ptr<CoreAnimationLayer> build(const std::string& masks) {
        tracker = log.tracker();
        animation = emptyAnimation(0, 60, 30, maskedSolid(masks));
        return rootLayer(animation, tracker, log);
    }

    // The mask composition layer of the one solid's contents layer.
    static std::shared_ptr<MaskCompositionLayer> masksOf(const CoreAnimationLayer& root) {
        const auto solid = std::dynamic_pointer_cast<SolidLayer>(root.sublayers().at(0));
        return solid ? std::dynamic_pointer_cast<MaskCompositionLayer>(solid->contentsLayer()->mask()) : nullptr;
    }

    std::shared_ptr<CompatibilityTracker> tracker;
    std::shared_ptr<const LottieAnimation> animation;
};

// The path a mask layer shows at the play request's first frame.
platform::graphics::Path shownPath(const platform::compositor::Layer& layer) {
    const auto value = presentedAtFrame(layer, "path", 30, 0, 60, 0, 500);
    const auto* path = value ? value->get<platform::graphics::Path>() : nullptr;
    return path ? *path : platform::graphics::Path();
}

TEST_F(MaskTest, ModesNestAsUnionsCutByLaterMasks) {
    struct Case {
        std::string masks;
        std::string tree;
    };
    const std::vector<Case> cases = {
        {mask("s"), "MaskCompositionLayer\n  BaseAnimationLayer\n    MaskLayer s\n"},
        {mask("a") + "," + mask("i"),
         "MaskCompositionLayer\n  BaseAnimationLayer\n    BaseAnimationLayer\n      MaskLayer a\n      mask: MaskLayer i\n"},
        {mask("a") + "," + mask("s"),
         "MaskCompositionLayer\n  BaseAnimationLayer\n    BaseAnimationLayer\n      MaskLayer a\n      mask: MaskLayer s\n"},
        // Lighten adds; both are siblings of the first.
        {mask("i") + "," + mask("a") + "," + mask("l"),
         "MaskCompositionLayer\n  BaseAnimationLayer\n    MaskLayer i\n    MaskLayer a\n    MaskLayer l\n"},
        // Difference and darken cut as intersect does; consecutive cutting
        // masks mask each other and cut together.
        {mask("a") + "," + mask("f") + "," + mask("d"),
         "MaskCompositionLayer\n  BaseAnimationLayer\n    BaseAnimationLayer\n      MaskLayer a\n"
         "      mask: BaseAnimationLayer\n        MaskLayer f\n        mask: MaskLayer d\n"},
        // After an adding mask, the next run of cutting masks cuts all before it.
        {mask("a") + "," + mask("s") + "," + mask("a") + "," + mask("i"),
         "MaskCompositionLayer\n  BaseAnimationLayer\n    BaseAnimationLayer\n      BaseAnimationLayer\n"
         "        MaskLayer a\n        mask: MaskLayer s\n      MaskLayer a\n      mask: MaskLayer i\n"},
    };
    for (const Case& testCase : cases) {
        const auto root = build(testCase.masks);
        const auto masks = masksOf(*root);
        ASSERT_TRUE(masks) << testCase.masks;
        std::string tree;
        dumpLayer(*masks, 0, "", tree);
        EXPECT_EQ(tree, testCase.tree) << testCase.masks;
        EXPECT_TRUE(tracker->issues().empty());
    }
}

TEST_F(MaskTest, AMaskOfModeNoneIsLeftOutAndIsNotTheFirst) {
    // Only "a" masks are drawn when "n" is left out before: the subtracting mask
    // after it still cuts, because the first placed mask was the adding one.
    const auto root = build(mask("a") + "," + mask("n") + "," + mask("s"));
    const auto masks = masksOf(*root);
    ASSERT_TRUE(masks);
    EXPECT_EQ(masks->maskLayers().size(), 2u);
    std::string tree;
    dumpLayer(*masks, 0, "", tree);
    EXPECT_EQ(tree, "MaskCompositionLayer\n  BaseAnimationLayer\n    BaseAnimationLayer\n      MaskLayer a\n"
                    "      mask: MaskLayer s\n");

    // Only masks of mode none: nothing masks the contents.
    const auto unmasked = build(mask("n"));
    EXPECT_FALSE(masksOf(*unmasked));
}

TEST(MaskModes, InversionFollowsTheUsableMode) {
    struct Case {
        MaskMode mode;
        bool inverted;
        bool invertsPath;
    };
    const Case cases[] = {
        {MaskMode::subtract, false, true}, {MaskMode::subtract, true, false}, {MaskMode::add, false, false},
        {MaskMode::add, true, true},       {MaskMode::lighten, true, true},   {MaskMode::intersect, true, false},
        {MaskMode::difference, true, false}, {MaskMode::darken, true, false}, {MaskMode::none, true, false},
    };
    for (const Case& testCase : cases) {
        EXPECT_EQ(MaskCompositionLayer::invertsPath(testCase.mode, testCase.inverted), testCase.invertsPath)
            << maskModeCode(testCase.mode) << " inverted " << testCase.inverted;
    }
    EXPECT_EQ(MaskCompositionLayer::usableMode(MaskMode::lighten), MaskMode::add);
    EXPECT_EQ(MaskCompositionLayer::usableMode(MaskMode::difference), MaskMode::intersect);
    EXPECT_EQ(MaskCompositionLayer::usableMode(MaskMode::darken), MaskMode::darken);
}

TEST_F(MaskTest, AnInvertedPathIsAHoleInAPlaneTheRasteriserCanHold) {
    const auto root = build(mask("a") + "," + mask("s") + "," + mask("i", true));
    const auto masks = masksOf(*root);
    ASSERT_TRUE(masks);
    masks->setupAnimations(rootContext(animation, log.logger(), 0, 60));
    const std::vector<double> expectedSides = {10, MaskCompositionLayer::invertedPlaneSize, 10};
    ASSERT_EQ(masks->maskLayers().size(), expectedSides.size());
    for (std::size_t index = 0; index < expectedSides.size(); ++index) {
        const auto bounds = shownPath(*masks->maskLayers()[index]).boundingBox();
        EXPECT_DOUBLE_EQ(bounds.size.width, expectedSides[index]) << "mask " << index;
    }
    // The plane reaches past any document but stays within the rasteriser's
    // fixed-point range (2^23 device pixels) at twice its size.
    const auto plane = shownPath(*masks->maskLayers()[1]).boundingBox();
    EXPECT_LT(plane.origin.x, -1'000'000);
    EXPECT_LE(2 * (plane.origin.x + plane.size.width), double(1 << 23));
    EXPECT_EQ(masks->maskLayers()[1]->fillRule(), platform::graphics::FillRule::evenOdd);
}

TEST_F(MaskTest, MaskOpacityAndExpansionAreIssuesButPlainMasksAreNot) {
    struct Case {
        std::string masks;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {mask("a") + "," + mask("s", true, R"("x":{"k":0})"), {}},
        {mask("a", false, R"("x":{"k":3})"), {LayerTreeBuilder::maskExpansionMessage}},
        {mask("s") + "," + R"({"mode":"a","pt":{"k":{"c":true,"v":[],"i":[],"o":[]}},"o":{"k":50}})",
         {LayerTreeBuilder::maskOpacityMessage}},
        // A mask that is never drawn cannot differ.
        {R"({"mode":"n","pt":{"k":{"c":true,"v":[],"i":[],"o":[]}},"o":{"k":20}})", {}},
    };
    for (const Case& testCase : cases) {
        build(testCase.masks);
        std::vector<std::string> messages;
        for (const auto& issue : tracker->issues()) {
            messages.push_back(issue.message);
            EXPECT_EQ(issue.context, "Solid");
        }
        EXPECT_EQ(messages, testCase.messages) << testCase.masks;
    }
}

}  // namespace
