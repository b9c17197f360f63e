#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/GroupOutputNode.h"

namespace lottie {

using platform::graphics::AffineTransform;
using platform::graphics::Path;

bool GroupOutputNode::outputChanged(double frame) {
    const bool upstream = parent_ ? parent_->outputChanged(frame) : false;
    const bool inner = isEnabled_ && rootNode_ && rootNode_->outputChanged(frame);
    if (upstream || inner) outputPath_.reset();
    if (changePending_) {
        changePending_ = false;
        changeFrame_ = frame;
    }
    return upstream || inner || changeFrame_ == frame;
}

std::shared_ptr<const Path> GroupOutputNode::sharedOutputPath() const { return keptPath(outputPath_, pathBuilds_); }

std::size_t GroupOutputNode::outputElementCount() const {
    return (parent_ ? parent_->outputElementCount() : 0) +
           (isEnabled_ && rootNode_ ? rootNode_->outputElementCount() : 0);
}

void GroupOutputNode::appendOutput(Path& target, const AffineTransform& transform) const {
    if (parent_) parent_->appendOutput(target, transform);
    if (isEnabled_ && rootNode_) rootNode_->appendOutput(target, transform_.concatenating(transform));
}

void GroupOutputNode::setEnabled(bool enabled) {
    if (enabled == isEnabled_) return;
    isEnabled_ = enabled;
    outputPath_.reset();
    changePending_ = true;
}

void GroupOutputNode::setTransform(const platform::graphics::Transform3D& transform) {
    transform_ = transform.affine();
    outputPath_.reset();
    changePending_ = true;
}

}  // namespace lottie
