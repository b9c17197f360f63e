#pragma once
// An output that adds nothing to the path upstream of it, but remembers that
// the upstream changed until whoever shows it has caught up. The output of
// trims and rounded corners, and the base of every renderer (which clears
// hasUpdate once it has applied its state). Owned by its node.

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/NodeOutput.h"

namespace lottie {

class PassThroughOutputNode : public virtual NodeOutput {
public:
    explicit PassThroughOutputNode(std::shared_ptr<NodeOutput> parent) : parent_(std::move(parent)) {}
    ~PassThroughOutputNode() override { releaseChain(std::move(parent_)); }

    std::shared_ptr<NodeOutput> parent() const override { return parent_; }
    std::shared_ptr<const platform::graphics::Path> sharedOutputPath() const override {
        return parent_ ? parent_->sharedOutputPath() : nullptr;
    }
    void appendOutput(platform::graphics::Path& target,
                      const platform::graphics::AffineTransform& transform) const override {
        if (parent_) parent_->appendOutput(target, transform);
    }
    std::size_t outputElementCount() const override { return parent_ ? parent_->outputElementCount() : 0; }
    bool isEnabled() const override { return isEnabled_; }
    void setEnabled(bool enabled) override { isEnabled_ = enabled; }

    // The parent's answer; a change is also remembered in hasUpdate.
    bool outputChanged(double frame) override;
    // hasUpdate, after taking in the parent's answer.
    virtual bool renderChanged(double frame);

    bool hasUpdate() const { return hasUpdate_; }
    void setHasUpdate(bool hasUpdate) { hasUpdate_ = hasUpdate; }

protected:
    std::shared_ptr<NodeOutput> takeUpstream() override { return std::move(parent_); }

private:
    std::shared_ptr<NodeOutput> parent_;
    bool hasUpdate_ = false;
    bool isEnabled_ = true;
};

}  // namespace lottie
