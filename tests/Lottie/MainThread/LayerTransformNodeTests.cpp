// Layer transforms, parenting, and the root layer's handling of layer lists.

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "Lottie/MainThread/CompositionLayers/LayerTransformNode.h"
#include "Lottie/MainThread/CompositionLayers/PreCompositionLayer.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace lottie;
using namespace mainthreadtest;
using platform::graphics::Point;

std::string nullLayer(int index, const std::string& transform, const std::string& extra = "") {
    return R"({"ty":3,"nm":"N)" + std::to_string(index) + R"(","ind":)" + std::to_string(index) +
           R"(,"ip":0,"op":100,"st":0,"ks":)" + transform + extra + "}";
}

struct TransformCase {
    const char* name;
    std::string transform;
    Point input;
    Point expected;
    float opacity;
};

TEST(LayerTransformNode, EvaluatesTheLayerTransform) {
    const std::vector<TransformCase> cases{
        {"anchor at position is identity", R"({"a":{"k":[50,50]},"p":{"k":[50,50]},"s":{"k":[100,100]}})", {3, 4}, {3, 4}, 1},
        {"scale per axis, z ignored", R"({"s":{"k":[200,50,0]}})", {10, 10}, {20, 5}, 1},
        {"rotation about the anchor", R"({"a":{"k":[10,0]},"p":{"k":[10,0]},"r":{"k":90}})", {20, 0}, {10, 10}, 1},
        {"split position", R"({"p":{"s":true,"x":{"k":7},"y":{"k":9}}})", {0, 0}, {7, 9}, 1},
    };
    for (const TransformCase& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        auto animation = decode(document("[" + nullLayer(1, testCase.transform) + "]"));
        auto root = makeRoot(animation);
        ASSERT_EQ(root->animationLayers().size(), 1u);
        root->animationLayers()[0]->showFrame(0, false);
        const auto& node = *root->animationLayers()[0]->transformNode();
        const Point mapped = node.globalTransform().apply(testCase.input);
        EXPECT_NEAR(mapped.x, testCase.expected.x, 1e-9);
        EXPECT_NEAR(mapped.y, testCase.expected.y, 1e-9);
        EXPECT_FLOAT_EQ(node.opacity(), testCase.opacity);
    }
}

// Parents that name each other (or the layer itself) would make a transform
// depend on itself; the link that closes the loop is refused.
TEST(LayerTransformNode, ParentLoopsAreCut) {
    const std::vector<std::string> documents{
        "[" + nullLayer(1, R"({"p":{"k":[5,0]}})", R"(,"parent":1)") + "]",
        "[" + nullLayer(1, R"({"p":{"k":[5,0]}})", R"(,"parent":2)") + "," +
            nullLayer(2, R"({"p":{"k":[7,0]}})", R"(,"parent":1)") + "]",
    };
    for (const std::string& layers : documents) {
        auto root = makeRoot(decode(document(layers)));
        auto image = renderFrame(*root, 3);
        ASSERT_TRUE(image);
        for (const auto& layer : root->animationLayers()) {
            int depth = 0;
            for (auto node = layer->transformNode()->parentNode(); node; node = node->parentNode()) {
                ASSERT_LT(++depth, 10);
            }
        }
    }
}

// A layer shows from its in frame up to, not including, its out frame, where
// the next layer may take over; the animation's last frame (60) still shows a
// layer that lasts until it.
TEST(CompositionLayers, VisibleFromTheInFrameUpToTheOutFrame) {
    auto root = makeRoot(decode(document(R"([{"ty":3,"nm":"N","ind":1,"ip":10,"op":20,"st":0,"ks":{}},)"
                                         R"({"ty":3,"nm":"Last","ind":2,"ip":20,"op":60,"st":0,"ks":{}}])")));
    const auto named = [&root](const std::string& name) -> const CompositionLayer& {
        for (const auto& layer : root->animationLayers()) {
            if (layer->keypathName() == name) return *layer;
        }
        throw std::logic_error("no layer " + name);
    };
    const CompositionLayer& layer = named("N");
    const CompositionLayer& last = named("Last");
    struct Case {
        double frame;
        bool visible;
        bool lastVisible;
    };
    const Case cases[] = {{9.9, false, false}, {10.0, true, false},  {15.0, true, false}, {19.9, true, false},
                          {20.0, false, true}, {20.1, false, true},  {59.9, false, true}, {60.0, false, true}};
    for (const Case& c : cases) {
        root->setCurrentFrame(c.frame);
        root->display();
        EXPECT_EQ(layer.contentsLayer()->isHidden(), !c.visible) << c.frame;
        EXPECT_EQ(last.contentsLayer()->isHidden(), !c.lastVisible) << c.frame;
    }
}

// A precomposition that contains itself, directly or through another, would be
// built forever; the inner reference becomes an empty layer.
TEST(CompositionLayers, SelfContainingPrecompositionsStop) {
    const std::string assets =
        R"([{"id":"a","layers":[{"ty":0,"nm":"toB","refId":"b","ind":1,"w":10,"h":10,"ip":0,"op":99,"st":0,"ks":{}}]},)"
        R"({"id":"b","layers":[{"ty":0,"nm":"toA","refId":"a","ind":1,"w":10,"h":10,"ip":0,"op":99,"st":0,"ks":{}}]}])";
    const std::string layers = R"([{"ty":0,"nm":"P","refId":"a","ind":1,"w":10,"h":10,"ip":0,"op":99,"st":0,"ks":{}}])";
    auto root = makeRoot(decode(document(layers, 100, 100, 60, assets)));
    auto outer = std::dynamic_pointer_cast<PreCompositionLayer>(root->animationLayers()[0]);
    ASSERT_TRUE(outer);
    auto middle = std::dynamic_pointer_cast<PreCompositionLayer>(outer->animationLayers().at(0));
    ASSERT_TRUE(middle);
    EXPECT_FALSE(std::dynamic_pointer_cast<PreCompositionLayer>(middle->animationLayers().at(0)));
    EXPECT_TRUE(renderFrame(*root, 1));
}

}  // namespace
