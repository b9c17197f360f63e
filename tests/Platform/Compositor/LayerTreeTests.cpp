// The layer tree and conversions of points and times between layers.

#include <gtest/gtest.h>

#include <numbers>

#include "CompositorTestSupport.h"
#include "Platform/Compositor/Layer.h"

namespace {

using namespace platform::compositor;
using compositortest::expectNear;
using platform::graphics::Point;
using platform::graphics::Rect;
using platform::graphics::Transform3D;

TEST(LayerTree, AddInsertRemoveAndMove) {
    auto root = Layer::make();
    auto a = Layer::make();
    auto b = Layer::make();
    auto c = Layer::make();
    root->addSublayer(a);
    root->addSublayer(b);
    root->insertSublayer(c, 1);
    EXPECT_EQ(root->sublayers(), (std::vector<std::shared_ptr<Layer>>{a, c, b}));
    EXPECT_EQ(c->superlayer(), root);
    root->insertSublayer(a, 99);  // moving within the same parent, past the end appends
    EXPECT_EQ(root->sublayers(), (std::vector<std::shared_ptr<Layer>>{c, b, a}));
    b->addSublayer(a);  // moving to another parent
    EXPECT_EQ(root->sublayers(), (std::vector<std::shared_ptr<Layer>>{c, b}));
    EXPECT_EQ(a->superlayer(), b);
    a->removeFromSuperlayer();
    EXPECT_EQ(a->superlayer(), nullptr);
    EXPECT_TRUE(b->sublayers().empty());
    a->removeFromSuperlayer();  // twice does nothing
}

TEST(LayerTree, RefusesCyclesAndNulls) {
    auto root = Layer::make();
    auto child = Layer::make();
    auto grandchild = Layer::make();
    root->addSublayer(child);
    child->addSublayer(grandchild);
    EXPECT_THROW(grandchild->addSublayer(root), std::invalid_argument);
    EXPECT_THROW(root->addSublayer(root), std::invalid_argument);
    EXPECT_THROW(root->addSublayer(nullptr), std::invalid_argument);
    EXPECT_THROW(grandchild->setMask(root), std::invalid_argument);
    EXPECT_EQ(grandchild->superlayer(), child) << "nothing moved";
    Layer onTheStack;
    EXPECT_THROW(onTheStack.addSublayer(Layer::make()), std::logic_error);
}

TEST(LayerTree, MasksAreNotSublayersAndNest) {
    auto layer = Layer::make();
    auto mask = Layer::make();
    auto maskOfMask = Layer::make();
    auto parent = Layer::make();
    parent->addSublayer(mask);
    layer->setMask(mask);
    EXPECT_TRUE(parent->sublayers().empty()) << "a mask leaves its superlayer";
    EXPECT_EQ(mask->maskOwner(), layer);
    mask->setMask(maskOfMask);
    EXPECT_EQ(layer->mask()->mask(), maskOfMask);
    // Taking a mask into a tree takes it away from its owner.
    parent->addSublayer(mask);
    EXPECT_EQ(layer->mask(), nullptr);
    layer->setMask(maskOfMask);
    EXPECT_EQ(mask->mask(), nullptr) << "a mask serves one layer at a time";
    EXPECT_EQ(maskOfMask->maskOwner(), layer);
}

TEST(LayerTree, ConvertsPointsThroughAnchorsBoundsOriginsAndTransforms) {
    auto root = Layer::make();
    root->setBounds({0, 0, 200, 200});
    auto parent = Layer::make();
    parent->setBounds({10, 10, 100, 100});  // the bounds' origin counts
    parent->setAnchorPoint({0, 0});
    parent->setPosition({50, 50});
    auto child = Layer::make();
    child->setBounds({0, 0, 20, 10});
    child->setPosition({30, 40});  // in the parent's bounds coordinates
    child->setTransform(Transform3D::makeRotation(std::numbers::pi / 2, 0, 0, 1));
    root->addSublayer(parent);
    parent->addSublayer(child);

    // The child's anchor (10, 5) sits at its position, (30, 40) in the parent,
    // which is (50 + 30 - 10, 50 + 40 - 10) in the root.
    expectNear(child->convertPointTo({10, 5}, root.get()), {70, 80});
    // A point 10 to the right of the anchor turns a quarter clockwise: below it.
    expectNear(child->convertPointTo({20, 5}, root.get()), {70, 90});
    expectNear(child->convertPoint({70, 90}, root.get()), {20, 5});
    expectNear(parent->convertPoint({20, 5}, child.get()), {30, 50});
    const Rect box = child->convertRectTo({0, 0, 20, 10}, root.get());
    expectNear(box.origin, {65, 70});
    expectNear({box.size.width, box.size.height}, {10, 20});

    // A sublayer transform turns the sublayers about the parent's anchor.
    parent->setSublayerTransform(Transform3D::makeScale(2, 2, 1));
    expectNear(child->convertPointTo({10, 5}, parent.get()), {10 + 2 * 20, 10 + 2 * 30});
}

TEST(LayerTree, ConvertsTimeThroughLayerTiming) {
    auto root = Layer::make();
    auto child = Layer::make();
    root->addSublayer(child);
    root->setBeginTime(10);
    root->setSpeed(2);
    child->setTimeOffset(5);
    EXPECT_DOUBLE_EQ(child->convertTime(30, nullptr), (30 - 10) * 2 + 5);
    EXPECT_DOUBLE_EQ(root->convertTime(45, child.get()), 40);
    EXPECT_DOUBLE_EQ(child->convertTime(40, root.get()), 45);
}

}  // namespace
