#include "Lottie/MainThread/NodeRenderSystem/OutputNodes/PathOutputNode.h"

namespace lottie {

using platform::graphics::AffineTransform;
using platform::graphics::Path;

bool PathOutputNode::outputChanged(double frame) {
    const bool upstream = parent_ ? parent_->outputChanged(frame) : false;
    if (upstream && lastUpstreamChangeFrame_ != frame) {
        lastUpstreamChangeFrame_ = frame;
        outputPath_.reset();
    }
    if (!isEnabled_) return upstream;
    return upstream || lastUpdateFrame_ == frame;
}

std::shared_ptr<const Path> PathOutputNode::sharedOutputPath() const { return keptPath(outputPath_, pathBuilds_); }

std::size_t PathOutputNode::outputElementCount() const {
    std::size_t count = parent_ ? parent_->outputElementCount() : 0;
    if (!isEnabled_) return count;
    for (const CompoundBezierPath& compound : pathObjects_) {
        for (const BezierPath& bezier : compound.paths()) count += subpathElementCount(bezier);
    }
    return count;
}

std::size_t PathOutputNode::subpathElementCount(const BezierPath& path) {
    const std::size_t count = path.elements().size();
    return count == 0 ? 0 : count + (path.closed() ? 1 : 0);
}

void PathOutputNode::appendOutput(Path& target, const AffineTransform& transform) const {
    if (parent_) parent_->appendOutput(target, transform);
    if (!isEnabled_) return;
    for (const CompoundBezierPath& compound : pathObjects_) {
        for (const BezierPath& bezier : compound.paths()) addSubpath(target, bezier, transform);
    }
}

void PathOutputNode::addSubpath(Path& target, const BezierPath& path, const AffineTransform& transform) {
    const auto& elements = path.elements();
    if (elements.empty()) return;
    target.moveTo(transform.apply(elements.front().vertex.point));
    for (std::size_t index = 1; index < elements.size(); ++index) {
        const CurveVertex& previous = elements[index - 1].vertex;
        const CurveVertex& current = elements[index].vertex;
        if (previous.outTangent != previous.point || current.inTangent != current.point) {
            target.curveTo(transform.apply(previous.outTangent), transform.apply(current.inTangent),
                           transform.apply(current.point));
        } else {
            target.lineTo(transform.apply(current.point));
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
