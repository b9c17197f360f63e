#pragma once
// A node of the main-thread engine's animator graph: it owns a map of animated
// properties and one output, and points to the node before it in its chain.
// Once per displayed frame the owner of a chain (a shape layer, a group, a layer's
// transform) runs two passes from the last node: the content pass refreshes the
// properties that changed, the output pass rebuilds the outputs that need it.
// Both passes cache by frame: a second pass for the same frame recomputes nothing
// unless forced, and stops at the first parent that a pass has already brought to
// the frame, so a parent shared by many children (layer parenting) is evaluated
// once per frame however many ask. A forced pass stops the same way at parents
// already forced within the same ForcedUpdates scope. The parent link is strong;
// nodes live as long as their layer. Main thread only.
//
// The passes walk the chain with a loop rather than by recursion, so a long item
// list cannot exhaust the stack; every parent is still brought up to date before
// its child.

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>

#include "Lottie/MainThread/NodeRenderSystem/NodeProperties/NodePropertyMap.h"
#include "Lottie/MainThread/NodeRenderSystem/Protocols/NodeOutput.h"
#include "Lottie/Playback/Keypaths/KeypathSearchable.h"

namespace lottie {

class AnimatorNode : public KeypathSearchable {
public:
    // While one lives, forced passes force each node at most once per frame: the
    // first forced pass that reaches a node brings it up to date and later ones
    // reuse it. Opened around a forced update of a whole tree of layers (a
    // redraw, a new value provider), where without it every layer would force
    // its whole parent chain again. Without one, every forced pass forces every
    // node it reaches. Scopes nest; each opens a pass of its own.
    class ForcedUpdates {
    public:
        ForcedUpdates();
        ~ForcedUpdates();
        ForcedUpdates(const ForcedUpdates&) = delete;
        ForcedUpdates& operator=(const ForcedUpdates&) = delete;

    private:
        std::uint64_t outerPass_;
    };

    explicit AnimatorNode(std::shared_ptr<AnimatorNode> parentNode = nullptr) : parentNode_(std::move(parentNode)) {}
    // Releases the chain above one node at a time, so that a long chain is not
    // torn down by nested destructor calls.
    ~AnimatorNode() override;

    virtual NodePropertyMap& propertyMap() const = 0;
    virtual std::shared_ptr<NodeOutput> outputNode() const = 0;
    virtual void regenerateOutputs(double frame) = 0;

    const std::shared_ptr<AnimatorNode>& parentNode() const { return parentNode_; }
    // Layers link transform nodes after building them (parenting).
    void setParentNode(std::shared_ptr<AnimatorNode> parent) { parentNode_ = std::move(parent); }

    bool isEnabled() const { return isEnabled_; }
    virtual void setEnabled(bool enabled) { isEnabled_ = enabled; }
    bool hasLocalUpdates() const { return hasLocalUpdates_; }
    bool hasUpstreamUpdates() const { return hasUpstreamUpdates_; }
    const std::optional<double>& lastUpdateFrame() const { return lastUpdateFrame_; }

    // Whether this node's own changes count as upstream changes for later nodes.
    virtual bool localChangesPropagate() const { return true; }
    // Whether the upstream nodes must rebuild whenever this one is evaluated.
    virtual bool forcesUpstreamRegeneration() const { return false; }
    // An extra content step (a group's inner chain); true marks upstream updates.
    virtual bool updateNestedContents(double, bool forceLocalUpdate) { return forceLocalUpdate; }
    virtual void updateNestedOutputs(double, bool) {}
    virtual bool needsOutputRegeneration(double) const { return hasLocalUpdates_; }

    // The content pass; true when the caller sees an upstream change.
    bool propagateContentUpdates(double frame, bool forceLocalUpdate);
    // The output pass; true when anything up to and including this node changed.
    bool propagateOutputUpdates(double frame, bool forceOutputUpdate);
    // Both passes; the output pass's answer.
    bool updateNodeTree(double frame, bool forceUpdates);

    std::string keypathName() const override { return propertyMap().keypathName(); }
    Properties keypathProperties() const override { return propertyMap().keypathProperties(); }

protected:
    void setHasUpstreamUpdates(bool value) { hasUpstreamUpdates_ = value; }

private:
    // Whether a pass at the frame (forced or not) can take this node as it is.
    bool isCurrent(double frame, bool forced) const;

    // The forced pass under way on this thread (0 outside any ForcedUpdates
    // scope) and the number of passes opened so far on every thread: a tree
    // whose frames are drawn now on one thread, now on another (a frame
    // thread), never takes one thread's pass for another's.
    static thread_local std::uint64_t activeForcedPass_;
    static std::atomic<std::uint64_t> forcedPassCount_;

    std::shared_ptr<AnimatorNode> parentNode_;
    bool hasLocalUpdates_ = false;
    bool hasUpstreamUpdates_ = false;
    // The frame of the last output pass that reached this node, and the forced
    // pass that last forced it.
    std::optional<double> lastUpdateFrame_;
    std::uint64_t forcedPass_ = 0;
    bool isEnabled_ = true;
};

}  // namespace lottie
