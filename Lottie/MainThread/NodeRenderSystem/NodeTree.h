#pragma once
// The node chain built from one item list (a shape layer's or a group's), with
// what its owner needs to install it: the last node (the chain's root), the
// list's transform item, the render layers and group containers to show, the
// path outputs of this level and of nested groups, and every node made at this
// level. A plain value handed from the builder to the owner.

#include <memory>
#include <vector>

#include "Lottie/MainThread/LayerContainers/ShapeRenderTarget.h"
#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathOutputNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/Model/ShapeItems/ShapeItem.h"

namespace lottie {

class ShapeTransform;

struct NodeTree {
    std::shared_ptr<AnimatorNode> rootNode;
    std::shared_ptr<const ShapeTransform> transform;
    std::vector<std::shared_ptr<ShapeRenderTarget>> renderContainers;
    std::vector<std::shared_ptr<PathOutputNode>> paths;
    std::vector<std::shared_ptr<AnimatorNode>> childrenNodes;

    // Every path output holds the paths of everything upstream of it, so the
    // work of a chain grows with the square of its length. A shape layer builds
    // at most this many nodes in one item list and in all its lists together;
    // further items are left out (with a warning) instead of exhausting memory.
    static constexpr std::size_t maximumNodesPerList = 1'000;
    static constexpr std::size_t maximumNodesPerLayer = 10'000;

    // The chain of an item list; groups build theirs recursively.
    static NodeTree build(const ShapeItemList& items);
    // The same within a budget of nodes shared by the lists of one layer.
    static NodeTree build(const ShapeItemList& items, std::size_t& nodeBudget);
};

}  // namespace lottie
