// Building the node tree of a shape layer's items.

#include <gtest/gtest.h>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/SingleValueProvider.h"
#include "Lottie/MainThread/NodeRenderSystem/NodeTree.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/GroupNodes/GroupNode.h"
#include "Lottie/Model/Layers/ShapeLayerModel.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "tests/Lottie/MainThread/MainThreadTestSupport.h"

namespace {

using namespace lottie;
using namespace mainthreadtest;

const std::string rectangle =
    R"({"ty":"rc","nm":"R","p":{"a":0,"k":[50,50]},"s":{"a":0,"k":[10,10]},"r":{"a":0,"k":0}})";
const std::string repeater =
    R"({"ty":"rp","nm":"Rep","c":{"a":0,"k":3},"o":{"a":0,"k":0},"m":1,"tr":{"ty":"tr","nm":"T","p":{"a":0,"k":[10,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"so":{"a":0,"k":100},"eo":{"a":0,"k":100}}})";
const std::string merge = R"({"ty":"mm","nm":"Merge","mm":1})";
const std::string transformItem =
    R"({"ty":"tr","nm":"T","p":{"a":0,"k":[5,0]},"a":{"a":0,"k":[0,0]},"s":{"a":0,"k":[100,100]},"r":{"a":0,"k":0},"o":{"a":0,"k":100}})";

ShapeItemList itemsOf(const std::string& items) {
    auto animation = decode(document("[" + shapeLayer("[" + items + "]") + "]"));
    auto layer = std::dynamic_pointer_cast<const ShapeLayerModel>(animation->layers.at(0));
    if (!layer) throw std::runtime_error("not a shape layer");
    return layer->items;
}

// An item that makes no node must not register the previous node again: a
// second render layer for the same renderer would draw the stroke twice.
TEST(NodeTree, ItemsWithoutNodesRegisterNothingTwice) {
    const std::string strokeItem = R"({"ty":"st","nm":"S","c":{"a":0,"k":[0,0,1,1]},"o":{"a":0,"k":100},"w":{"a":0,"k":2},"lc":1,"lj":1})";
    for (const std::string& extra : {repeater, merge}) {
        NodeTree afterPath = NodeTree::build(itemsOf(rectangle + "," + extra));
        EXPECT_EQ(afterPath.paths.size(), 1u);
        EXPECT_EQ(afterPath.childrenNodes.size(), 1u);
        NodeTree afterStroke = NodeTree::build(itemsOf(rectangle + "," + strokeItem + "," + extra));
        EXPECT_EQ(afterStroke.renderContainers.size(), 1u);
        EXPECT_EQ(afterStroke.childrenNodes.size(), 2u);
    }
}

TEST(NodeTree, EmptyListsHiddenItemsAndStarsWithoutTypeBuildNothing) {
    std::string hidden = rectangle;
    hidden.insert(hidden.size() - 1, R"(,"hd":true)");
    const std::string typeless = R"({"ty":"sr","nm":"X","sy":0,"p":{"a":0,"k":[0,0]},"or":{"a":0,"k":5},"os":{"a":0,"k":0},"pt":{"a":0,"k":5},"r":{"a":0,"k":0}})";
    for (const ShapeItemList& items : {ShapeItemList{}, itemsOf(hidden + "," + typeless)}) {
        NodeTree tree = NodeTree::build(items);
        EXPECT_FALSE(tree.rootNode);
        EXPECT_TRUE(tree.paths.empty());
        EXPECT_TRUE(tree.renderContainers.empty());
    }
}

TEST(NodeTree, LastTransformItemWinsAndGroupsCollectTheirPaths) {
    std::string second = transformItem;
    second.replace(second.find("[5,0]"), 5, "[7,0]");
    NodeTree tree = NodeTree::build(itemsOf(transformItem + "," + rectangle + "," + second));
    ASSERT_TRUE(tree.transform);
    EXPECT_EQ(tree.transform->position()->keyframes().front().value().x, 7);
    EXPECT_EQ(tree.childrenNodes.size(), 1u);

    const std::string groupItem = R"({"ty":"gr","nm":"G","it":[)" + rectangle + "," + rectangle + "]}";
    NodeTree outer = NodeTree::build(itemsOf(rectangle + "," + groupItem));
    EXPECT_EQ(outer.paths.size(), 3u);
    ASSERT_EQ(outer.renderContainers.size(), 1u);
    auto group = std::dynamic_pointer_cast<GroupNode>(outer.rootNode);
    ASSERT_TRUE(group);
    EXPECT_EQ(outer.renderContainers[0], group->container());
    EXPECT_EQ(group->keypathName(), "G");
    group->setEnabled(false);
    EXPECT_TRUE(group->container()->isHidden());
}

// A group makes node properties at once only for the parts of its transform
// that move; the others come from the model until a keypath search makes them,
// with the same values, and a provider given to one of them then moves the group.
TEST(NodeTree, GroupTransformsMakePropertiesForWhatMovesUntilSearched) {
    std::string rotating = transformItem;
    rotating.replace(rotating.find(R"("r":{"a":0,"k":0})"), 17,
                     R"("r":{"a":1,"k":[{"t":0,"s":[0],"o":{"x":0,"y":0},"i":{"x":1,"y":1}},{"t":10,"s":[90]}]})");
    struct Case {
        const char* name;
        std::string transform;
        std::size_t madeAtOnce;
        platform::graphics::Point origin;
    };
    const std::vector<Case> cases{
        {"no transform item", "", 0, {0, 0}},
        {"a still transform", "," + transformItem, 0, {5, 0}},
        {"a rotating transform", "," + rotating, 1, {5, 0}},
    };
    for (const Case& testCase : cases) {
        SCOPED_TRACE(testCase.name);
        const std::string groupItem = R"({"ty":"gr","nm":"G","it":[)" + rectangle + testCase.transform + "]}";
        NodeTree tree = NodeTree::build(itemsOf(groupItem));
        auto group = std::dynamic_pointer_cast<GroupNode>(tree.rootNode);
        ASSERT_TRUE(group);
        EXPECT_EQ(group->properties().properties().size(), testCase.madeAtOnce);
        group->updateNodeTree(0, true);
        const auto originAt = [&] { return group->container()->transform().apply({0, 0}); };
        EXPECT_NEAR(originAt().x, testCase.origin.x, 1e-9);
        EXPECT_NEAR(originAt().y, testCase.origin.y, 1e-9);
        EXPECT_DOUBLE_EQ(group->container()->opacity(), 1);

        const auto found = group->properties().keypathProperties();
        EXPECT_EQ(found.size(), 10u);
        EXPECT_EQ(group->properties().properties().size(), 9u);
        EXPECT_TRUE(group->properties().hasAllProperties());
        group->updateNodeTree(1, false);
        EXPECT_NEAR(originAt().x, testCase.origin.x, 1e-9);

        found.at("Position")->replaceProvider(
            std::make_shared<SingleValueProvider<LottieVector3D>>(LottieVector3D(9, 4, 0)));
        found.at("Opacity")->replaceProvider(
            std::make_shared<SingleValueProvider<LottieVector1D>>(LottieVector1D(50)));
        group->updateNodeTree(2, false);
        EXPECT_NEAR(originAt().x, 9, 1e-9);
        EXPECT_NEAR(originAt().y, 4, 1e-9);
        EXPECT_DOUBLE_EQ(group->container()->opacity(), 0.5);
    }
}

TEST(NodeTree, LongItemListsAreCut) {
    std::string items = rectangle;
    for (std::size_t index = 1; index < NodeTree::maximumNodesPerList + 10; ++index) items += "," + rectangle;
    NodeTree tree = NodeTree::build(itemsOf(items));
    EXPECT_EQ(tree.childrenNodes.size(), NodeTree::maximumNodesPerList);
}

}  // namespace
