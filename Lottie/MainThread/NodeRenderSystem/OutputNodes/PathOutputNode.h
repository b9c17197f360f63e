#pragma once
// The output of a path node: the compound paths it (or a modifier rewriting it)
// produced for the frame, plus everything upstream. The platform path is built
// lazily, only when someone asks outputPath() after the paths or the upstream
// path changed, and at most once per frame however many renderers ask; the
// nodes upstream keep no copy of it. Owned by its path node; trims and rounded
// corners rewrite it in place.

#include <cstdint>
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
    std::shared_ptr<const platform::graphics::Path> sharedOutputPath() const override;
    void appendOutput(platform::graphics::Path& target,
                      const platform::graphics::AffineTransform& transform) const override;
    std::size_t outputElementCount() const override;
    bool isEnabled() const override { return isEnabled_; }
    void setEnabled(bool enabled) override {
        if (enabled != isEnabled_) outputPath_.reset();
        isEnabled_ = enabled;
    }
    bool outputChanged(double frame) override;

    const std::vector<CompoundBezierPath>& pathObjects() const { return pathObjects_; }
    // Whether a platform path is built and kept now.
    bool keepsPath() const { return outputPath_ != nullptr; }
    double totalLength() const { return totalLength_; }
    const std::optional<double>& lastUpdateFrame() const { return lastUpdateFrame_; }

    // The path becomes the only compound path.
    void setPath(const BezierPath& path, double updateFrame);
    void appendPath(CompoundBezierPath path, double updateFrame);
    // Hands back the compound paths and empties the output.
    std::vector<CompoundBezierPath> removePaths(std::optional<double> updateFrame);

    // One platform subpath of a path: straight where neither neighbouring handle
    // leaves its point, curved otherwise, closed when the path is; every point
    // mapped by `transform`.
    static void addSubpath(platform::graphics::Path& target, const BezierPath& path,
                           const platform::graphics::AffineTransform& transform = {});
    // How many elements addSubpath() adds for `path`.
    static std::size_t subpathElementCount(const BezierPath& path);

protected:
    std::shared_ptr<NodeOutput> takeUpstream() override { return std::move(parent_); }

private:
    std::shared_ptr<NodeOutput> parent_;
    mutable std::shared_ptr<const platform::graphics::Path> outputPath_;
    std::optional<double> lastUpdateFrame_;
    // The frame at which a change upstream last dropped the built path: the
    // other readers of that frame keep the one built since.
    std::optional<double> lastUpstreamChangeFrame_;
    bool isEnabled_ = true;
    mutable std::uint8_t pathBuilds_ = 0;
    double totalLength_ = 0;
    std::vector<CompoundBezierPath> pathObjects_;
};

}  // namespace lottie
