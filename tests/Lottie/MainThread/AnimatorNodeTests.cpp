// The two passes of the animator node graph: caching by frame, forcing,
// disabled nodes, and changes that do or do not propagate.

#include <gtest/gtest.h>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/KeyframeInterpolatorProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodeProperty.h"
#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"

namespace {

using namespace lottie;

// One number that changes at every frame from 0 to 100, or stays put.
class TestProperties final : public NodePropertyMap {
public:
    explicit TestProperties(bool animated) {
        auto key = [](double value, double time) {
            return Keyframe<LottieVector1D>(LottieVector1D(value), time, false, std::nullopt, std::nullopt,
                                            std::nullopt, std::nullopt);
        };
        auto keyframes = animated ? std::vector{key(0, 0), key(100, 100)} : std::vector{key(0, 0)};
        value = NodeProperty<LottieVector1D>::make(
            std::make_shared<KeyframeInterpolatorProvider<LottieVector1D>>(std::move(keyframes)));
        add(value, {"Value"});
    }
    std::shared_ptr<NodeProperty<LottieVector1D>> value;
};

class TestNode final : public AnimatorNode {
public:
    TestNode(std::shared_ptr<AnimatorNode> parent, bool animated, bool propagates = true)
        : AnimatorNode(parent),
          properties_(std::make_shared<TestProperties>(animated)),
          output_(std::make_shared<PassThroughOutputNode>(parent ? parent->outputNode() : nullptr)),
          propagates_(propagates) {}

    NodePropertyMap& propertyMap() const override { return *properties_; }
    std::shared_ptr<NodeOutput> outputNode() const override { return output_; }
    bool localChangesPropagate() const override { return propagates_; }
    void regenerateOutputs(double) override { ++regenerations; }

    int regenerations = 0;

private:
    std::shared_ptr<TestProperties> properties_;
    std::shared_ptr<PassThroughOutputNode> output_;
    bool propagates_;
};

TEST(AnimatorNode, SecondPassOfTheSameFrameRecomputesNothingUnlessForced) {
    auto first = std::make_shared<TestNode>(nullptr, true);
    auto last = std::make_shared<TestNode>(first, false);
    EXPECT_TRUE(last->updateNodeTree(5, false));
    EXPECT_EQ(last->regenerations, 1);  // its own property was stale at first
    EXPECT_TRUE(last->updateNodeTree(5, false));
    EXPECT_EQ(first->regenerations, 1);
    EXPECT_EQ(last->regenerations, 1);
    // A new frame rebuilds only the node whose own values changed.
    last->updateNodeTree(6, false);
    EXPECT_EQ(first->regenerations, 2);
    EXPECT_EQ(last->regenerations, 1);
    EXPECT_TRUE(last->hasUpstreamUpdates());
    last->updateNodeTree(6, true);
    EXPECT_EQ(first->regenerations, 3);
    EXPECT_EQ(last->regenerations, 2);
}

TEST(AnimatorNode, VeryLongChainsDoNotExhaustTheStack) {
    std::shared_ptr<AnimatorNode> node;
    std::vector<std::shared_ptr<TestNode>> nodes;
    for (int index = 0; index < 100'000; ++index) {
        auto next = std::make_shared<TestNode>(node, index == 0);
        nodes.push_back(next);
        node = next;
    }
    EXPECT_TRUE(node->updateNodeTree(1, false));
    EXPECT_EQ(nodes.front()->regenerations, 1);
    EXPECT_EQ(nodes.back()->regenerations, 1);
    // Release from the last node so destruction does not recurse either.
    node.reset();
    while (!nodes.empty()) nodes.pop_back();
}

}  // namespace
