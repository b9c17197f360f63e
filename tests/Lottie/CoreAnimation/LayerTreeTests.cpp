// The layer tree of the Core Animation engine: what it builds for every layer
// type, parents three deep and shared by consecutive layers, duplicate indices, "add" and "invert" mattes, hidden
// and unknown layers, parent cycles; and what each layer installs.

#include <gtest/gtest.h>

#include <map>

#include "Lottie/CoreAnimation/CoreAnimationLayer.h"
#include "Lottie/CoreAnimation/LayerTreeBuilder.h"
#include "tests/Lottie/CoreAnimation/CoreAnimationTestSupport.h"
#include "tests/Lottie/CoreAnimation/LayerTreeDump.h"

using namespace lottie;
using namespace coreanimationtest;
using Mode = CompatibilityTracker::Mode;

namespace {

// A layer of type `type` with the rest of its JSON in `extra`.
std::string layer(int type, const std::string& name, int index, const std::string& extra = "") {
    return R"({"ty":)" + std::to_string(type) + R"(,"nm":")" + name + R"(","ind":)" + std::to_string(index) +
           R"(,"ip":0,"op":60,"st":0,"ks":{})" + (extra.empty() ? "" : "," + extra) +
           (type == 1 ? R"(,"sc":"#ff0000","sw":10,"sh":10)" : "") + (type == 2 ? R"(,"refId":"image")" : "") + "}";
}

class LayerTreeTest : public ::testing::Test {
protected:
    std::shared_ptr<CoreAnimationLayer> build(const std::string& layers, Mode mode = Mode::track) {
        tracker = log.tracker(mode);
        return rootLayer(emptyAnimation(0, 60, 30, layers), tracker, log);
    }

    MessageLog log;
    std::shared_ptr<CompatibilityTracker> tracker;
};

TEST_F(LayerTreeTest, EveryLayerTypeParentsAndMattesGiveTheirStructure) {
    const std::string layers = layer(1, "Matte A", 1) + "," + layer(1, "Masked A", 2, R"("tt":1,"parent":10)") +
                               "," + layer(2, "Matte B", 3) + "," + layer(1, "Masked B", 4, R"("tt":2,"bm":1)") +
                               "," + layer(1, "Hidden", 5, R"("hd":true)") + "," + layer(6, "Unknown", 6) + "," +
                               layer(1, "Child", 7, R"("parent":8)") + "," + layer(3, "Parent", 8, R"("parent":9)") +
                               "," + layer(3, "Grandparent", 9, R"("parent":10)") + "," + layer(3, "First ten", 10, R"("bm":1)") +
                               "," + layer(3, "Second ten", 10);
    const auto root = build(layers);
    EXPECT_TRUE(tracker->issues().empty());
    // Bottom first: the last model of the list is the first sublayer.
    // A layer is its own contents layer, unless it has a blend mode; an
    // inverted matte is blended by a layer around it.
    EXPECT_EQ(dumpTree(*root), R"dump(TransformLayer "Second ten"
TransformLayer "First ten" [multiplyBlendMode]
  BaseAnimationLayer "First ten (Content)"
TransformLayer "Grandparent (parent, Second ten)"
  TransformLayer "Grandparent"
  TransformLayer "Parent (parent, Grandparent)"
    TransformLayer "Parent"
    TransformLayer "Child (parent, Parent)"
      SolidLayer "Child"
        ShapeLayer
TransformLayer "Hidden"
BaseAnimationLayer "Masked B (parent, masked)"
  SolidLayer "Masked B" [multiplyBlendMode]
    BaseAnimationLayer "Masked B (Content)"
      ShapeLayer
  mask: BaseAnimationLayer
    InfiniteOpaqueAnimationLayer
      Layer
      BaseAnimationLayer [xor]
        ImageLayer "Matte B"
BaseAnimationLayer "Masked A (parent, masked)"
  TransformLayer "Masked A (parent, Second ten)"
    SolidLayer "Masked A"
      ShapeLayer
  mask: BaseAnimationLayer
    SolidLayer "Matte A"
      ShapeLayer
)dump");
}

TEST_F(LayerTreeTest, MattesPairFromTheEndOfTheList) {
    struct Case {
        const char* name;
        std::string layers;
        std::string dump;
        // The issues reported: a matte this engine drops, where the main-thread
        // engine draws it as a layer, makes the pictures differ.
        std::vector<std::string> issues = {};
    };
    const std::vector<Case> cases = {
        {"a matted first layer has nothing to pair with", layer(1, "Only", 1, R"("tt":1)"),
         "SolidLayer \"Only\"\n  ShapeLayer\n"},
        {"an unknown matte type drops the model before it", layer(1, "Dropped", 1) + "," + layer(1, "Odd", 2, R"("tt":3)"),
         "SolidLayer \"Odd\"\n  ShapeLayer\n",
         {LayerTreeBuilder::lumaMatteMessage}},
        {"an unknown matte type with nothing to pair with", layer(1, "Alone", 1, R"("tt":3)"),
         "SolidLayer \"Alone\"\n  ShapeLayer\n"},
        {"an unknown layer drops its matte as well", layer(1, "Matte", 1) + "," + layer(6, "Unknown", 2, R"("tt":1)"), ""},
        {"a missing parent adds no transform layers", layer(3, "Orphan", 1, R"("parent":77)"),
         "TransformLayer \"Orphan\"\n"},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        EXPECT_EQ(dumpTree(*build(item.layers)), item.dump);
        std::vector<std::string> issues;
        for (const auto& issue : tracker->issues()) issues.push_back(issue.message);
        EXPECT_EQ(issues, item.issues);
    }
}

TEST_F(LayerTreeTest, ParentCyclesAreRefusedInsteadOfNestingForEver) {
    struct Case {
        const char* name;
        std::string layers;
    };
    const std::vector<Case> cases = {
        {"a layer its own parent", layer(3, "Self", 1, R"("parent":1)")},
        {"two layers each the other's parent",
         layer(3, "A", 1, R"("parent":2)") + "," + layer(3, "B", 2, R"("parent":1)")},
        {"a cycle above the layer", layer(1, "Solid", 1, R"("parent":2)") + "," + layer(3, "B", 2, R"("parent":3)") +
                                        "," + layer(3, "C", 3, R"("parent":2)")},
    };
    for (const Case& item : cases) {
        SCOPED_TRACE(item.name);
        EXPECT_THROW(build(item.layers, Mode::abort), CompatibilityTracker::Error);
        const auto root = build(item.layers);
        ASSERT_FALSE(tracker->issues().empty());
        EXPECT_NE(tracker->issues()[0].message.find("form a cycle"), std::string::npos);
        EXPECT_FALSE(root->sublayers().empty());
    }
}

TEST_F(LayerTreeTest, UndrawnMaskOpacityIsAnIssueOfItsLayerOnly) {
    build(layer(1, "Masked", 2, R"("hasMask":true,"masksProperties":[{"mode":"a","pt":{"k":{"c":true,"v":[],"i":[],"o":[]}},"o":{"k":50}}])") +
          "," + layer(1, "Unmasked", 3, R"("hasMask":true,"masksProperties":[{"mode":"n","pt":{"k":{"c":true,"v":[],"i":[],"o":[]}},"o":{"k":100}}])") +
          "," + layer(1, "Fully masked", 4, R"("hasMask":true,"masksProperties":[{"mode":"a","pt":{"k":{"c":true,"v":[],"i":[],"o":[]}},"o":{"k":100}}])"));
    ASSERT_EQ(tracker->issues().size(), 1u);
    EXPECT_EQ(tracker->issues()[0].context, "Masked");
}

// The layers that draw a drop shadow, by name, with the document layer whose shadow each draws.
void collectShadows(const platform::compositor::Layer& layer, std::map<std::string, std::string>& shadows) {
    if (const auto* composition = dynamic_cast<const BaseCompositionLayer*>(&layer)) {
        if (composition->dropShadowModel()) shadows[layer.name()] = composition->dropShadowModel()->name;
    }
    for (const auto& sublayer : layer.sublayers()) collectShadows(*sublayer, shadows);
}

// A shadow is measured in the space of the composition: it is drawn outside
// the layer's own transform, and outside its parents' transforms by the
// outermost of their transform layers.
TEST_F(LayerTreeTest, DropShadowsAreDrawnOutsideEveryTransform) {
    const std::string style =
        R"("sy":[{"ty":1,"nm":"Style","c":{"k":[0,0,0,1]},"o":{"k":75},"a":{"k":45},"s":{"k":4},"d":{"k":5}}])";
    const auto root = build(layer(1, "Alone", 1, style) + "," + layer(1, "Child", 2, R"("parent":3,)" + style) + "," +
                            layer(3, "Parent", 3, R"("parent":4,)" + style) + "," + layer(3, "Grandparent", 4));
    std::map<std::string, std::string> shadows;
    collectShadows(*root, shadows);
    const std::map<std::string, std::string> expected = {{"Alone", "Alone"},
                                                         {"Child (parent, Grandparent)", "Child"}};
    EXPECT_EQ(shadows, expected);
}

}  // namespace
