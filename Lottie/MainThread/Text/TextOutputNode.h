#pragma once
// What one text animator publishes for a frame: a transform, colours, tracking,
// stroke width and the selected character range with its opacity. A value this
// animator does not set is taken from the previous animator's output, so the
// last output of a chain answers for the whole chain; a value no animator sets
// is none. The range (start, end, opacity) is this animator's own. Text has no
// path: outputPath() is always null. Owned by its TextAnimatorNode and shared
// with the next animator's output.

#include <memory>
#include <optional>

#include "Lottie/MainThread/NodeRenderSystem/Protocols/NodeOutput.h"
#include "Platform/Graphics/Color.h"
#include "Platform/Graphics/Transform3D.h"

namespace lottie {

class TextOutputNode final : public NodeOutput {
public:
    using Color = platform::graphics::Color;

    explicit TextOutputNode(std::shared_ptr<TextOutputNode> parentTextNode)
        : parentTextNode_(std::move(parentTextNode)) {}
    ~TextOutputNode() override { releaseChain(std::move(parentTextNode_)); }

    const std::shared_ptr<TextOutputNode>& parentTextNode() const { return parentTextNode_; }

    std::shared_ptr<NodeOutput> parent() const override { return parentTextNode_; }
    std::shared_ptr<const platform::graphics::Path> sharedOutputPath() const override { return nullptr; }
    void appendOutput(platform::graphics::Path&, const platform::graphics::AffineTransform&) const override {}
    std::size_t outputElementCount() const override { return 0; }
    bool isEnabled() const override { return isEnabled_; }
    void setEnabled(bool enabled) override { isEnabled_ = enabled; }
    // Text is laid out again whenever the chain is regenerated.
    bool outputChanged(double) override { return true; }

    // Identity when no animator of the chain sets one.
    platform::graphics::Transform3D xform() const;
    // 1 when no animator of the chain sets one.
    double opacity() const;
    std::optional<Color> strokeColor() const;
    std::optional<Color> fillColor() const;
    // In thousandths of the font size.
    std::optional<double> tracking() const;
    std::optional<double> strokeWidth() const;
    const std::optional<double>& start() const { return start_; }
    const std::optional<double>& end() const { return end_; }
    const std::optional<double>& selectedRangeOpacity() const { return selectedRangeOpacity_; }

    void setXform(std::optional<platform::graphics::Transform3D> xform) { xform_ = xform; }
    void setOpacity(std::optional<double> opacity) { opacity_ = opacity; }
    void setStrokeColor(std::optional<Color> color) { strokeColor_ = color; }
    void setFillColor(std::optional<Color> color) { fillColor_ = color; }
    void setTracking(std::optional<double> tracking) { tracking_ = tracking; }
    void setStrokeWidth(std::optional<double> width) { strokeWidth_ = width; }
    void setStart(std::optional<double> start) { start_ = start; }
    void setEnd(std::optional<double> end) { end_ = end; }
    void setSelectedRangeOpacity(std::optional<double> opacity) { selectedRangeOpacity_ = opacity; }

protected:
    std::shared_ptr<NodeOutput> takeUpstream() override { return std::move(parentTextNode_); }

private:
    // This output's value if set, else the chain's before it.
    template <class T>
    std::optional<T> inherited(std::optional<T> TextOutputNode::*field) const {
        for (const TextOutputNode* node = this; node; node = node->parentTextNode_.get()) {
            if (node->*field) return node->*field;
        }
        return std::nullopt;
    }

    std::shared_ptr<TextOutputNode> parentTextNode_;
    bool isEnabled_ = true;
    std::optional<platform::graphics::Transform3D> xform_;
    std::optional<double> opacity_;
    std::optional<Color> strokeColor_;
    std::optional<Color> fillColor_;
    std::optional<double> tracking_;
    std::optional<double> strokeWidth_;
    std::optional<double> start_;
    std::optional<double> end_;
    std::optional<double> selectedRangeOpacity_;
};

}  // namespace lottie
