// The text animator chain: what each animator publishes, what it leaves to the
// animators before it, and the transform it builds.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "Lottie/MainThread/Text/TextAnimatorNode.h"
#include "Platform/Json/JsonParser.h"

namespace {

using lottie::TextAnimator;
using lottie::TextAnimatorNode;
using platform::graphics::Point;

std::shared_ptr<const TextAnimator> animator(const std::string& properties, const std::string& selector = "{}") {
    const std::string json = R"({"nm":"Anim","a":)" + properties + R"(,"s":)" + selector + "}";
    return std::make_shared<const TextAnimator>(platform::json::parse(json));
}

std::string number(double value) { return R"({"a":0,"k":)" + std::to_string(value) + "}"; }

// The chain of the animators in order, evaluated at a frame; the last node.
std::shared_ptr<TextAnimatorNode> chainAt(const std::vector<std::shared_ptr<const TextAnimator>>& animators,
                                          double frame = 0) {
    std::shared_ptr<TextAnimatorNode> node;
    for (const auto& model : animators) node = std::make_shared<TextAnimatorNode>(node, *model);
    node->updateNodeTree(frame, true);
    return node;
}

TEST(TextAnimatorNode, ValuesNotSetComeFromTheAnimatorsBefore) {
    auto first = animator(R"({"fc":{"a":0,"k":[1,0,0]},"t":)" + number(50) + R"(,"sw":)" + number(3) + "}");
    auto second = animator(R"({"sc":{"a":0,"k":[0,0,1]}})");
    auto last = chainAt({first, second});
    const auto& output = *last->textOutputNode();
    EXPECT_EQ(output.fillColor(), platform::graphics::Color::rgb(1, 0, 0));
    EXPECT_EQ(output.strokeColor(), platform::graphics::Color::rgb(0, 0, 1));
    EXPECT_EQ(output.tracking(), 50);
    EXPECT_EQ(output.strokeWidth(), 3);
    EXPECT_DOUBLE_EQ(output.opacity(), 1);
}

// An animator's opacity fades its selected characters, not the whole layer.
TEST(TextAnimatorNode, OpacityActsOnTheSelectedRangeOnly) {
    auto last = chainAt({animator(R"({"o":)" + number(50) + "}", R"({"s":)" + number(10) + R"(,"r":2})")});
    EXPECT_EQ(last->textOutputNode()->selectedRangeOpacity(), 0.5);
    EXPECT_DOUBLE_EQ(last->textOutputNode()->opacity(), 1);
}

TEST(TextAnimatorNode, TransformMovesRotatesScalesAboutTheAnchor) {
    struct Case {
        const char* name;
        std::string properties;
        Point in;
        Point out;
    };
    const std::vector<Case> cases{
        {"position", R"({"p":{"a":0,"k":[10,20,5]}})", {3, 4}, {13, 24}},
        {"anchor", R"({"a":{"a":0,"k":[10,20]}})", {10, 20}, {0, 0}},
        {"scale", R"({"s":{"a":0,"k":[200,50]}})", {3, 4}, {6, 2}},
        {"rotation turns clockwise", R"({"r":)" + number(90) + "}", {1, 0}, {0, 1}},
        {"everything",
         R"({"p":{"a":0,"k":[100,0]},"a":{"a":0,"k":[1,0]},"s":{"a":0,"k":[200,200]},"rz":)" + number(90) + "}",
         {2, 0},
         {100, 2}},
        {"skew without an axis is no skew", R"({"sk":)" + number(30) + "}", {0, 10}, {0, 10}},
        {"skew about the x axis", R"({"sk":)" + number(45) + R"(,"sa":)" + number(0) + "}", {0, 10}, {-10, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto node = chainAt({animator(c.properties)});
        const Point out = node->textOutputNode()->xform().apply(c.in);
        EXPECT_NEAR(out.x, c.out.x, 1e-9);
        EXPECT_NEAR(out.y, c.out.y, 1e-9);
    }
}

}  // namespace
