#include "Lottie/MainThread/NodeRenderSystem/NodeTree.h"

#include "Lottie/MainThread/LayerContainers/ShapeRenderLayer.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/GroupNodes/GroupNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/RoundedCornersNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/TrimPathNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/EllipseNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/PolygonNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/RectangleNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapeNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/StarNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/FillNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/GradientFillNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/GradientStrokeNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/RenderNodes/StrokeNode.h"
#include "Lottie/Model/ShapeItems/Ellipse.h"
#include "Lottie/Model/ShapeItems/Fill.h"
#include "Lottie/Model/ShapeItems/Group.h"
#include "Lottie/Model/ShapeItems/Rectangle.h"
#include "Lottie/Model/ShapeItems/RoundedCorners.h"
#include "Lottie/Model/ShapeItems/Repeater.h"
#include "Lottie/Model/ShapeItems/Shape.h"
#include "Lottie/Model/ShapeItems/ShapeTransform.h"
#include "Lottie/Model/ShapeItems/Star.h"
#include "Lottie/Model/ShapeItems/Stroke.h"
#include "Lottie/Model/ShapeItems/Trim.h"
#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

namespace {

// The node of one item, or null for items that make none (merges, repeaters),
// which leaves the chain as it was.
std::shared_ptr<AnimatorNode> makeNode(const std::shared_ptr<const ShapeItem>& item,
                                       const std::shared_ptr<AnimatorNode>& parent, NodeTree& tree,
                                       NodeTree& groupTree, std::size_t& nodeBudget) {
    const ShapeItem& base = *item;
    if (const auto* fill = dynamic_cast<const Fill*>(&base)) return std::make_shared<FillNode>(parent, *fill);
    if (const auto* stroke = dynamic_cast<const Stroke*>(&base)) return std::make_shared<StrokeNode>(parent, *stroke);
    if (const auto* gradientFill = dynamic_cast<const GradientFill*>(&base)) {
        return std::make_shared<GradientFillNode>(parent, *gradientFill);
    }
    if (const auto* gradientStroke = dynamic_cast<const GradientStroke*>(&base)) {
        return std::make_shared<GradientStrokeNode>(parent, *gradientStroke);
    }
    if (const auto* ellipse = dynamic_cast<const Ellipse*>(&base)) {
        return std::make_shared<EllipseNode>(parent, *ellipse);
    }
    if (const auto* rectangle = dynamic_cast<const Rectangle*>(&base)) {
        return std::make_shared<RectangleNode>(parent, *rectangle);
    }
    if (const auto* star = dynamic_cast<const Star*>(&base)) {
        switch (star->starType()) {
            case StarType::star: return std::make_shared<StarNode>(parent, *star);
            case StarType::polygon: return std::make_shared<PolygonNode>(parent, *star);
            case StarType::none: return nullptr;
        }
        return nullptr;
    }
    if (const auto* shape = dynamic_cast<const Shape*>(&base)) return std::make_shared<ShapeNode>(parent, *shape);
    // A modifier rewrites the paths built so far at this level and in its nested groups.
    if (const auto* trim = dynamic_cast<const Trim*>(&base)) {
        return std::make_shared<TrimPathNode>(parent, *trim, tree.paths);
    }
    if (const auto* rounded = dynamic_cast<const RoundedCorners*>(&base)) {
        return std::make_shared<RoundedCornersNode>(parent, *rounded, tree.paths);
    }
    if (auto transform = std::dynamic_pointer_cast<const ShapeTransform>(item)) {
        tree.transform = std::move(transform);
        return nullptr;
    }
    if (const auto* group = dynamic_cast<const Group*>(&base)) {
        groupTree = NodeTree::build(group->items(), nodeBudget);
        return std::make_shared<GroupNode>(group->name(), parent, groupTree);
    }
    if (dynamic_cast<const Repeater*>(&base)) {
        LottieLogger::shared()->warn(
            [] {
                return std::string(
                    "The Main Thread rendering engine doesn't currently support repeaters.\n"
                    "To play an animation with repeaters, you can use the Core Animation rendering engine instead.");
            },
            "Lottie/ItemsExtension", 91);
    }
    return nullptr;
}

}  // namespace

NodeTree NodeTree::build(const ShapeItemList& items) {
    std::size_t nodeBudget = maximumNodesPerLayer;
    return build(items, nodeBudget);
}

NodeTree NodeTree::build(const ShapeItemList& items, std::size_t& nodeBudget) {
    NodeTree tree;
    for (const auto& item : items) {
        if (!item || item->hidden() || item->type() == ShapeType::unknown) continue;
        if (nodeBudget == 0 || tree.childrenNodes.size() >= maximumNodesPerList) {
            LottieLogger::shared()->warn([] { return std::string("Too many shape items; the rest are not drawn."); },
                                         "Lottie/ItemsExtension", 0);
            break;
        }
        NodeTree groupTree;
        std::shared_ptr<AnimatorNode> node = makeNode(item, tree.rootNode, tree, groupTree, nodeBudget);
        // Only a new node is registered: an item that makes none (a repeater, a
        // merge) must not register the previous node's path or renderer again,
        // which would draw it twice.
        if (!node) continue;
        if (nodeBudget > 0) --nodeBudget;
        tree.rootNode = node;
        tree.childrenNodes.push_back(node);
        if (auto group = std::dynamic_pointer_cast<GroupNode>(node)) {
            tree.paths.insert(tree.paths.end(), groupTree.paths.begin(), groupTree.paths.end());
            tree.renderContainers.push_back(group->container());
        }
        if (auto* pathNode = dynamic_cast<PathNode*>(node.get())) tree.paths.push_back(pathNode->pathOutput());
        if (auto* renderNode = dynamic_cast<RenderNode*>(node.get())) {
            tree.renderContainers.push_back(makeRenderLayer(renderNode->renderer()));
        }
    }
    return tree;
}

}  // namespace lottie
