#include "Lottie/MainThread/Text/TextOutputNode.h"

namespace lottie {

platform::graphics::Transform3D TextOutputNode::xform() const {
    return inherited(&TextOutputNode::xform_).value_or(platform::graphics::Transform3D::identity());
}

double TextOutputNode::opacity() const { return inherited(&TextOutputNode::opacity_).value_or(1); }

std::optional<TextOutputNode::Color> TextOutputNode::strokeColor() const {
    return inherited(&TextOutputNode::strokeColor_);
}

std::optional<TextOutputNode::Color> TextOutputNode::fillColor() const {
    return inherited(&TextOutputNode::fillColor_);
}

std::optional<double> TextOutputNode::tracking() const { return inherited(&TextOutputNode::tracking_); }

std::optional<double> TextOutputNode::strokeWidth() const { return inherited(&TextOutputNode::strokeWidth_); }

}  // namespace lottie
