// The layer tree and conversions of points and times between layers.

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

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

namespace {

// A chain of `depth` layers below `root`, each the only sublayer of the one
// before, or its mask on the odd levels when `masks` is set; the deepest is
// returned. Built from the bottom up, so that no insertion walks the chain.
std::shared_ptr<Layer> chainBelow(Layer& root, int depth, bool masks) {
    const std::shared_ptr<Layer> deepest = Layer::make();
    std::shared_ptr<Layer> top = deepest;
    for (int level = depth - 1; level > 0; --level) {
        auto above = Layer::make();
        if (masks && level % 2) {
            above->setMask(std::move(top));
        } else {
            above->addSublayer(std::move(top));
        }
        top = std::move(above);
    }
    root.addSublayer(std::move(top));
    return deepest;
}

}  // namespace

TEST(LayerTree, TreesThousandsDeepAreDestroyedWithoutRecursion) {
    // One destructor call per level would take far more stack than a thread has.
    for (bool masks : {false, true}) {
        SCOPED_TRACE(masks ? "sublayers and masks" : "sublayers");
        auto root = Layer::make();
        std::weak_ptr<Layer> deepest = chainBelow(*root, 300'000, masks);
        // A layer held elsewhere outlives the tree it was part of, with the
        // sublayers and the mask that only it holds.
        auto kept = Layer::make();
        kept->addSublayer(Layer::make());
        kept->sublayers().front()->addSublayer(Layer::make());
        kept->setMask(Layer::make());
        deepest.lock()->addSublayer(kept);
        root.reset();
        EXPECT_TRUE(deepest.expired());
        EXPECT_EQ(kept->superlayer(), nullptr);
        ASSERT_EQ(kept->sublayers().size(), 1u);
        ASSERT_NE(kept->sublayers().front(), nullptr);
        EXPECT_EQ(kept->sublayers().front()->superlayer(), kept);
        EXPECT_EQ(kept->sublayers().front()->sublayers().size(), 1u);
        EXPECT_NE(kept->mask(), nullptr);
    }
}

TEST(LayerTree, EveryChangeBelowALayerGrowsItsVersionAfterEachRead) {
    // A change walks up only to the first layer changed since versions were
    // last read: a read in between must not let a later change go unseen by
    // any layer above it.
    auto root = Layer::make();
    const auto halfway = chainBelow(*root, 25, true);
    const auto deepest = chainBelow(*halfway, 25, true);
    const auto beside = Layer::make();
    halfway->addSublayer(beside);
    struct Step {
        const char* name;
        std::vector<std::function<void()>> changes;  // made with no read in between
    };
    const std::vector<Step> steps = {
        {"one change", {[&] { deepest->setOpacity(0.5); }}},
        {"the same layer again", {[&] { deepest->setOpacity(0.25); }}},
        {"twice in a row", {[&] { deepest->setOpacity(0.75); }, [&] { deepest->setHidden(true); }}},
        {"deep, then beside", {[&] { deepest->setHidden(false); }, [&] { beside->setOpacity(0.5); }}},
        {"beside, then deep", {[&] { beside->setOpacity(0.25); }, [&] { deepest->setOpacity(1); }}},
        {"a new sublayer", {[&] { deepest->addSublayer(Layer::make()); }}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        const std::uint64_t rootBefore = root->subtreeVersion();
        const std::uint64_t halfwayBefore = halfway->subtreeVersion();
        for (const auto& change : step.changes) change();
        EXPECT_GT(root->subtreeVersion(), rootBefore);
        EXPECT_GT(halfway->subtreeVersion(), halfwayBefore);
    }
}
