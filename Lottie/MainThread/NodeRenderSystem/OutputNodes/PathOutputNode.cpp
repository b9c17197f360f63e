#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathOutputNode.h"

namespace lottie {

using platform::graphics::Path;

bool PathOutputNode::outputChanged(double frame) {
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
    if (upstream && lastPathBuildFrame_ != frame) outputPath_.reset();
    if (outputPath_) return upstream || lastUpdateFrame_ == frame;

    lastPathBuildFrame_ = frame;
    Path path;
    if (const Path* upstreamPath = parent_ ? parent_->outputPath() : nullptr) path.addPath(*upstreamPath);
    for (const CompoundBezierPath& compound : pathObjects_) {
        for (const BezierPath& bezier : compound.paths()) addSubpath(path, bezier);
    }
    outputPath_ = std::move(path);
    return upstream || lastUpdateFrame_ == frame;
}

void PathOutputNode::addSubpath(Path& target, const BezierPath& path) {
    const auto& elements = path.elements();
    if (elements.empty()) return;
    target.moveTo(elements.front().vertex.point);
    for (std::size_t index = 1; index < elements.size(); ++index) {
        const CurveVertex& previous = elements[index - 1].vertex;
        const CurveVertex& current = elements[index].vertex;
        if (previous.outTangent != previous.point || current.inTangent != current.point) {
            target.curveTo(previous.outTangent, current.inTangent, current.point);
        } else {
            target.lineTo(current.point);
        }
    }
    if (path.closed()) target.closeSubpath();
}

void PathOutputNode::setPath(const BezierPath& path, double updateFrame) {
    pathObjects_.clear();
    pathObjects_.emplace_back(path);
    totalLength_ = path.length();
    lastUpdateFrame_ = updateFrame;
    outputPath_.reset();
}

void PathOutputNode::appendPath(CompoundBezierPath path, double updateFrame) {
    totalLength_ += path.length();
    pathObjects_.push_back(std::move(path));
    lastUpdateFrame_ = updateFrame;
    outputPath_.reset();
}

std::vector<CompoundBezierPath> PathOutputNode::removePaths(std::optional<double> updateFrame) {
    std::vector<CompoundBezierPath> removed = std::move(pathObjects_);
    pathObjects_.clear();
    totalLength_ = 0;
    lastUpdateFrame_ = updateFrame;
    outputPath_.reset();
    return removed;
}

}  // namespace lottie
