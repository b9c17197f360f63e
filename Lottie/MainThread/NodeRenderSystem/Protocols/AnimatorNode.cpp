#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"

#include <vector>

namespace lottie {

thread_local std::uint64_t AnimatorNode::activeForcedPass_ = 0;
std::atomic<std::uint64_t> AnimatorNode::forcedPassCount_{0};

AnimatorNode::ForcedUpdates::ForcedUpdates() : outerPass_(activeForcedPass_) {
    activeForcedPass_ = forcedPassCount_.fetch_add(1, std::memory_order_relaxed) + 1;
}

AnimatorNode::ForcedUpdates::~ForcedUpdates() { activeForcedPass_ = outerPass_; }

bool AnimatorNode::isCurrent(double frame, bool forced) const {
    if (lastUpdateFrame_ != frame) return false;
    return !forced || (activeForcedPass_ != 0 && forcedPass_ == activeForcedPass_);
}

AnimatorNode::~AnimatorNode() {
    std::shared_ptr<AnimatorNode> parent = std::move(parentNode_);
    // A parent held by nobody else would be destroyed here and release its own
    // parent in turn; taking each one's parent first keeps the depth at one.
    while (parent && parent.use_count() == 1) parent = std::move(parent->parentNode_);
}

bool AnimatorNode::propagateContentUpdates(double frame, bool forceLocalUpdate) {
    // The nodes this pass reaches, last first: it stops at the first enabled node
    // already evaluated for the frame, whose parents are then not visited at all.
    std::vector<AnimatorNode*> chain;
    for (AnimatorNode* node = this; node; node = node->parentNode_.get()) {
        chain.push_back(node);
        if (node->isEnabled_ && node->isCurrent(frame, forceLocalUpdate)) break;
    }
    // What the node before the current one answered; false before the first.
    bool upstream = false;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        AnimatorNode& node = **it;
        if (!node.isEnabled_) continue;  // passes its parent's answer through untouched
        if (node.isCurrent(frame, forceLocalUpdate)) {
            upstream = node.hasUpstreamUpdates_ || (node.localChangesPropagate() && node.hasLocalUpdates_);
            continue;
        }
        node.hasLocalUpdates_ = forceLocalUpdate || node.propertyMap().propertiesChanged(frame);
        node.hasUpstreamUpdates_ = upstream;
        if (node.hasLocalUpdates_) node.propertyMap().refreshProperties(frame);
        if (node.updateNestedContents(frame, forceLocalUpdate)) node.hasUpstreamUpdates_ = true;
        upstream = node.hasUpstreamUpdates_ || (node.localChangesPropagate() && node.hasLocalUpdates_);
    }
    return upstream;
}

bool AnimatorNode::propagateOutputUpdates(double frame, bool forceOutputUpdate) {
    struct Step {
        AnimatorNode* node;
        // The force flag this node is asked with; a node that forces upstream
        // regeneration passes a forced flag on to its parents.
        bool force;
        // Already brought to the frame by an earlier pass; the walk ends here.
        bool current;
    };
    std::vector<Step> chain;
    bool regenerate = false;
    for (AnimatorNode* node = this; node; node = node->parentNode_.get()) {
        const bool current = node->isEnabled_ && !regenerate && node->isCurrent(frame, forceOutputUpdate);
        chain.push_back({node, forceOutputUpdate || regenerate, current});
        if (current) break;
        if (node->isEnabled_) regenerate = regenerate || node->forcesUpstreamRegeneration();
    }
    bool upstream = false;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        AnimatorNode& node = *it->node;
        if (!node.isEnabled_) {
            node.lastUpdateFrame_ = frame;
            continue;
        }
        if (it->current) {
            upstream = node.hasUpstreamUpdates_ || node.hasLocalUpdates_;
            continue;
        }
        const bool effectiveForce = it->force || node.forcesUpstreamRegeneration();
        if (node.parentNode_ && upstream) node.hasUpstreamUpdates_ = true;
        node.updateNestedOutputs(frame, effectiveForce);
        if (effectiveForce || node.needsOutputRegeneration(frame)) node.regenerateOutputs(frame);
        // Up to date for the frame whether or not it had to rebuild: later passes
        // of the same frame stop here instead of walking on to the root.
        node.lastUpdateFrame_ = frame;
        if (forceOutputUpdate) node.forcedPass_ = activeForcedPass_;
        upstream = node.hasUpstreamUpdates_ || node.hasLocalUpdates_;
    }
    return upstream;
}

bool AnimatorNode::updateNodeTree(double frame, bool forceUpdates) {
    propagateContentUpdates(frame, forceUpdates);
    return propagateOutputUpdates(frame, forceUpdates);
}

}  // namespace lottie
