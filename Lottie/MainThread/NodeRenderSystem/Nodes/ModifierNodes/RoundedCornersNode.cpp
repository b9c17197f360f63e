#include "Lottie/MainThread/NodeRenderSystem/Nodes/ModifierNodes/RoundedCornersNode.h"

namespace lottie {

void RoundedCornersNode::regenerateOutputs(double frame) {
    const double radius = properties().radius->value().value;
    for (const auto& output : upstreamPaths()) {
        for (CompoundBezierPath& compound : output->removePaths(frame)) {
            if (radius == 0) {
                output->appendPath(std::move(compound), frame);
                continue;
            }
            std::vector<BezierPath> rounded;
            rounded.reserve(compound.paths().size());
            for (const BezierPath& path : compound.paths()) rounded.push_back(path.withRoundedCorners(radius));
            output->appendPath(CompoundBezierPath(std::move(rounded)), frame);
        }
    }
}

}  // namespace lottie
