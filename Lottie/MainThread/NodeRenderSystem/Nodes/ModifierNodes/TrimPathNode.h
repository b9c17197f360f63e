#pragma once
// Trims every path before it in its item list to the current start, end and
// offset, rewriting their path outputs in place: each output on its own
// ("simultaneously"), or all of them as one path in list order
// ("individually"). Owned by its node tree.

#include <optional>

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

    // The paths of each output before a trim, one list per path item in order.
    using OutputPaths = std::vector<std::vector<CompoundBezierPath>>;
    // Whether a trim of these values (start and end in percent, offset in
    // degrees) leaves every path as it is.
    static bool leavesPathsWhole(double start, double end, double offset);
    // The outputs cut by a trim of these values, as this node cuts them; the
    // Core Animation engine draws trimmed paths by it too.
    static OutputPaths trimmed(OutputPaths outputs, double start, double end, double offset, TrimType type);

private:
    // What a trim keeps: from `low` to `high` along each path (fractions of its
    // length, low <= high), shifted by `turn` (the offset in whole turns).
    struct Window {
        double low;
        double high;
        double turn;
    };
    // The window of a trim of these values; none where it leaves every path as
    // it is.
    static std::optional<Window> window(double start, double end, double offset);
    // trimmed(), once the values are known to cut something.
    static OutputPaths trimmedTo(OutputPaths outputs, const Window& window, TrimType type);
    // The outputs as one path: only what lies in the visible ranges, given as
    // lengths along all of them together, stays.
    static OutputPaths trimmedAcross(OutputPaths outputs, double startFraction, double endFraction);
};

}  // namespace lottie
