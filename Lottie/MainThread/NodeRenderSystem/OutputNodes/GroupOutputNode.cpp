#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/GroupOutputNode.h"

namespace lottie {

using platform::graphics::Path;

bool GroupOutputNode::outputChanged(double frame) {
    if (!isEnabled_) {
        const bool changed = parent_ ? parent_->outputChanged(frame) : false;
        const Path* upstreamPath = parent_ ? parent_->outputPath() : nullptr;
        if (upstreamPath) {
            outputPath_ = *upstreamPath;
        } else {
            outputPath_.reset();
        }
        return changed;
    }
    const bool upstream = parent_ ? parent_->outputChanged(frame) : false;
    if (upstream) outputPath_.reset();
    if (rootNode_ && rootNode_->outputChanged(frame)) outputPath_.reset();
    // A path rebuilt earlier in this frame (after a new transform, say) is
    // news to every asker of the frame, not only to the first.
    if (outputPath_) return upstream || lastBuildFrame_ == frame;

    lastBuildFrame_ = frame;
    Path path;
    if (const Path* upstreamPath = parent_ ? parent_->outputPath() : nullptr) path.addPath(*upstreamPath);
    if (const Path* innerPath = rootNode_ ? rootNode_->outputPath() : nullptr) {
        path.addPath(*innerPath, transform_.affine());
    }
    outputPath_ = std::move(path);
    return true;
}

void GroupOutputNode::setTransform(const platform::graphics::Transform3D& transform) {
    transform_ = transform;
    outputPath_.reset();
}

}  // namespace lottie
