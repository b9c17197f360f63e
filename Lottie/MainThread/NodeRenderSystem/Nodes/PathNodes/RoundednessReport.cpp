#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/RoundednessReport.h"

#include <string>

#include "Lottie/MainThread/NodeRenderSystem/Nodes/PathNodes/ShapePathBuilders.h"
#include "Lottie/Playback/LottieLogger.h"

namespace lottie {

void RoundednessReport::check(double requested, double built) const {
    // A non-finite request never equals what is built, so it is reported too.
    if (reported_ || requested == built) return;
    reported_ = true;
    LottieLogger::shared()->warn(
        [requested, built] {
            return "A star's roundness of " + std::to_string(requested) + "% is drawn as " + std::to_string(built) +
                   "%: roundness is kept within " + std::to_string(static_cast<int>(ShapePathBuilders::maximumRoundedness)) +
                   "% either way.";
        },
        "Lottie/StarNode", __LINE__);
}

}  // namespace lottie
