#pragma once
// The output of a group: the path upstream of the group followed by the path of
// the group's own content under the group's transform. Owned by its group node,
// which sets the transform when it regenerates. Several renderers may ask it
// in one frame (a fill reached through a stroke, for one); it remembers the
// frame it last rebuilt at, so that every one of them learns of the change.

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
    const platform::graphics::Path* outputPath() const override { return outputPath_ ? &*outputPath_ : nullptr; }
    bool isEnabled() const override { return isEnabled_; }
    void setEnabled(bool enabled) override { isEnabled_ = enabled; }
    bool outputChanged(double frame) override;

    const platform::graphics::Transform3D& transform() const { return transform_; }
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
    std::optional<platform::graphics::Path> outputPath_;
    std::optional<double> lastBuildFrame_;
    platform::graphics::Transform3D transform_;
};

}  // namespace lottie
