#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"

#include <vector>

namespace lottie {

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
        if (node->isEnabled_ && !forceLocalUpdate && node->lastUpdateFrame_ == frame) break;
    }
    // What the node before the current one answered; false before the first.
    bool upstream = false;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        AnimatorNode& node = **it;
        if (!node.isEnabled_) continue;  // passes its parent's answer through untouched
        if (!forceLocalUpdate && node.lastUpdateFrame_ == frame) {
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
    };
    std::vector<Step> chain;
    bool force = forceOutputUpdate;
    for (AnimatorNode* node = this; node; node = node->parentNode_.get()) {
        chain.push_back({node, force});
        if (!node->isEnabled_) continue;
        if (!force && node->lastUpdateFrame_ == frame) break;
        force = force || node->forcesUpstreamRegeneration();
    }
    bool upstream = false;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        AnimatorNode& node = *it->node;
        if (!node.isEnabled_) {
            node.lastUpdateFrame_ = frame;
            continue;
        }
        if (!it->force && node.lastUpdateFrame_ == frame) {
            upstream = node.hasUpstreamUpdates_ || node.hasLocalUpdates_;
            continue;
        }
        const bool effectiveForce = it->force || node.forcesUpstreamRegeneration();
        if (node.parentNode_ && upstream) node.hasUpstreamUpdates_ = true;
        node.updateNestedOutputs(frame, effectiveForce);
        if (effectiveForce || node.needsOutputRegeneration(frame)) {
            node.lastUpdateFrame_ = frame;
            node.regenerateOutputs(frame);
        }
        upstream = node.hasUpstreamUpdates_ || node.hasLocalUpdates_;
    }
    return upstream;
}

bool AnimatorNode::updateNodeTree(double frame, bool forceUpdates) {
    propagateContentUpdates(frame, forceUpdates);
    return propagateOutputUpdates(frame, forceUpdates);
}

}  // namespace lottie
