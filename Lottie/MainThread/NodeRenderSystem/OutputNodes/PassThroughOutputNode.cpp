#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PassThroughOutputNode.h"

namespace lottie {

bool PassThroughOutputNode::outputChanged(double frame) {
    const bool changed = parent_ ? parent_->outputChanged(frame) : false;
    hasUpdate_ = hasUpdate_ || changed;
    return changed;
}

bool PassThroughOutputNode::renderChanged(double frame) {
    const bool changed = parent_ ? parent_->outputChanged(frame) : false;
    hasUpdate_ = hasUpdate_ || changed;
    return hasUpdate_;
}

}  // namespace lottie
