#pragma once
// The output of a path node: the compound paths it (or a modifier rewriting it)
// produced for the frame, plus everything upstream. The platform path is built
// lazily, only when someone asks outputChanged() after the paths or the upstream
// path changed, and at most once per frame however many renderers ask. Owned by
// its path node; trims and rounded corners rewrite it in place.

#include <memory>
#include <optional>
#include <vector>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/NodeOutput.h"
#include "Lottie/Values/CompoundBezierPath.h"

namespace lottie {

class PathOutputNode final : public NodeOutput {
public:
    explicit PathOutputNode(std::shared_ptr<NodeOutput> parent) : parent_(std::move(parent)) {}
    ~PathOutputNode() override { releaseChain(std::move(parent_)); }

    std::shared_ptr<NodeOutput> parent() const override { return parent_; }
    const platform::graphics::Path* outputPath() const override { return outputPath_ ? &*outputPath_ : nullptr; }
    bool isEnabled() const override { return isEnabled_; }
    void setEnabled(bool enabled) override { isEnabled_ = enabled; }
    bool outputChanged(double frame) override;

    const std::vector<CompoundBezierPath>& pathObjects() const { return pathObjects_; }
    double totalLength() const { return totalLength_; }
    const std::optional<double>& lastUpdateFrame() const { return lastUpdateFrame_; }

    // The path becomes the only compound path.
    void setPath(const BezierPath& path, double updateFrame);
    void appendPath(CompoundBezierPath path, double updateFrame);
    // Hands back the compound paths and empties the output.
    std::vector<CompoundBezierPath> removePaths(std::optional<double> updateFrame);

    // One platform subpath of a path: straight where neither neighbouring handle
    // leaves its point, curved otherwise, closed when the path is.
    static void addSubpath(platform::graphics::Path& target, const BezierPath& path);

protected:
    std::shared_ptr<NodeOutput> takeUpstream() override { return std::move(parent_); }

private:
    std::shared_ptr<NodeOutput> parent_;
    std::optional<platform::graphics::Path> outputPath_;
    std::optional<double> lastUpdateFrame_;
    std::optional<double> lastPathBuildFrame_;
    bool isEnabled_ = true;
    double totalLength_ = 0;
    std::vector<CompoundBezierPath> pathObjects_;
};

}  // namespace lottie
