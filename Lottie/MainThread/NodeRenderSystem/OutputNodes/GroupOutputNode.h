#pragma once
// The output of a group: the path upstream of the group followed by the path of
// the group's own content under the group's transform, put together only when
// asked for. Owned by its group node,
// which sets the transform when it regenerates.

#include <cstdint>
#include <memory>
#include <optional>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/NodeOutput.h"
#include "Platform/Graphics/Transform3D.h"

namespace lottie {

class GroupOutputNode final : public NodeOutput {
public:
    GroupOutputNode(std::shared_ptr<NodeOutput> parent, std::shared_ptr<NodeOutput> rootNode)
        : parent_(std::move(parent)), rootNode_(std::move(rootNode)) {}
    ~GroupOutputNode() override {
        releaseChain(std::move(rootNode_));
        releaseChain(std::move(parent_));
    }

    std::shared_ptr<NodeOutput> parent() const override { return parent_; }
    std::shared_ptr<const platform::graphics::Path> sharedOutputPath() const override;
    void appendOutput(platform::graphics::Path& target,
                      const platform::graphics::AffineTransform& transform) const override;
    std::size_t outputElementCount() const override;
    bool isEnabled() const override { return isEnabled_; }
    void setEnabled(bool enabled) override;
    bool outputChanged(double frame) override;

    // The plane part of the transform last set: all that the paths take of it.
    const platform::graphics::AffineTransform& transform() const { return transform_; }
    // Drops the built path so that the next question rebuilds it.
    void setTransform(const platform::graphics::Transform3D& transform);

protected:
    // The inner chain is released on its own first.
    std::shared_ptr<NodeOutput> takeUpstream() override {
        releaseChain(std::move(rootNode_));
        return std::move(parent_);
    }

private:
    std::shared_ptr<NodeOutput> parent_;
    std::shared_ptr<NodeOutput> rootNode_;
    bool isEnabled_ = true;
    mutable std::uint8_t pathBuilds_ = 0;
    mutable std::shared_ptr<const platform::graphics::Path> outputPath_;
    platform::graphics::AffineTransform transform_;
    // A change of the transform or of being enabled, not yet told: it is told
    // to every reader of the frame that first asks after it.
    bool changePending_ = true;
    std::optional<double> changeFrame_;
};

}  // namespace lottie
