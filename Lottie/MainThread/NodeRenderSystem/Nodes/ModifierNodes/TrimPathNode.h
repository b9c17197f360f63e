#pragma once
// Trims every path before it in its item list to the current start, end and
// offset, rewriting their path outputs in place: each output on its own
// ("simultaneously"), or all of them as one path in list order
// ("individually"). Owned by its node tree.

#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/PathModifierNode.h"
#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/TrimPathProperties.h"

namespace lottie {

class TrimPathNode final : public PathModifierNode<TrimPathProperties> {
public:
    TrimPathNode(std::shared_ptr<AnimatorNode> parentNode, const Trim& trim,
                 std::vector<std::shared_ptr<PathOutputNode>> upstreamPaths)
        : PathModifierNode(std::move(parentNode), std::make_shared<TrimPathProperties>(trim),
                           std::move(upstreamPaths)) {}

    void regenerateOutputs(double frame) override;

private:
    // The outputs as one path: only what lies in the visible ranges, given as
    // lengths along all of them together, stays.
    void trimAcrossOutputs(double startFraction, double endFraction, double frame);
};

}  // namespace lottie
