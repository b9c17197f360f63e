// Building the node tree of a shape layer's items.

#include <gtest/gtest.h>

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

TEST(NodeTree, LongItemListsAreCut) {
    std::string items = rectangle;
    for (std::size_t index = 1; index < NodeTree::maximumNodesPerList + 10; ++index) items += "," + rectangle;
    NodeTree tree = NodeTree::build(itemsOf(items));
    EXPECT_EQ(tree.childrenNodes.size(), NodeTree::maximumNodesPerList);
}

}  // namespace
