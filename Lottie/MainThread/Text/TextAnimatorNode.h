#pragma once
// Evaluates one text animator per frame: its properties through the node graph's
// passes, and from them a TextOutputNode with the animator's transform, colours,
// tracking, stroke width and selected range. The text layer builds one node per
// animator, each the parent of the next, and reads the last one's output. Owned
// by the text composition layer (and, as parent, by the next node).

#include <memory>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/AnimatorNode.h"
#include "Lottie/MainThread/Text/TextAnimatorNodeProperties.h"
#include "Lottie/MainThread/Text/TextOutputNode.h"

namespace lottie {

class TextAnimatorNode final : public AnimatorNode {
public:
    TextAnimatorNode(std::shared_ptr<TextAnimatorNode> parentNode, const TextAnimator& animator);

    const std::shared_ptr<TextOutputNode>& textOutputNode() const { return textOutputNode_; }
    TextAnimatorNodeProperties& textAnimatorProperties() const { return *textAnimatorProperties_; }

    NodePropertyMap& propertyMap() const override { return *textAnimatorProperties_; }
    std::shared_ptr<NodeOutput> outputNode() const override { return textOutputNode_; }
    void regenerateOutputs(double frame) override;

private:
    platform::graphics::Transform3D transform() const;

    std::shared_ptr<TextOutputNode> textOutputNode_;
    std::shared_ptr<TextAnimatorNodeProperties> textAnimatorProperties_;
};

}  // namespace lottie
