#pragma once
// A text dump of a Core Animation engine layer tree for the tree tests: one
// line per layer, indented by nesting, with the layer's class and name, and its
// mask (marked "mask:") below the layer it masks.

#include <string>

#include "Lottie/CoreAnimation/ImageLayer.h"
#include "Lottie/CoreAnimation/InfiniteOpaqueAnimationLayer.h"
#include "Lottie/CoreAnimation/MaskCompositionLayer.h"
#include "Lottie/CoreAnimation/SolidLayer.h"
#include "Lottie/CoreAnimation/TransformLayer.h"
#include "Platform/Compositor/ShapeLayer.h"

namespace coreanimationtest {

inline std::string layerClass(const platform::compositor::Layer& layer) {
    if (dynamic_cast<const lottie::SolidLayer*>(&layer)) return "SolidLayer";
    if (dynamic_cast<const lottie::ImageLayer*>(&layer)) return "ImageLayer";
    if (dynamic_cast<const lottie::TransformLayer*>(&layer)) return "TransformLayer";
    if (dynamic_cast<const lottie::InfiniteOpaqueAnimationLayer*>(&layer)) return "InfiniteOpaqueAnimationLayer";
    if (dynamic_cast<const lottie::MaskCompositionLayer*>(&layer)) return "MaskCompositionLayer";
    if (const auto* mask = dynamic_cast<const lottie::MaskCompositionLayer::MaskLayer*>(&layer)) {
        return "MaskLayer " + std::string(lottie::maskModeCode(mask->maskModel()->mode));
    }
    if (dynamic_cast<const lottie::BaseCompositionLayer*>(&layer)) return "BaseCompositionLayer";
    if (dynamic_cast<const lottie::BaseAnimationLayer*>(&layer)) return "BaseAnimationLayer";
    if (dynamic_cast<const platform::compositor::ShapeLayer*>(&layer)) return "ShapeLayer";
    return "Layer";
}

inline void dumpLayer(const platform::compositor::Layer& layer, int depth, const std::string& prefix,
                      std::string& out) {
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + prefix + layerClass(layer);
    if (!layer.name().empty()) out += " \"" + layer.name() + "\"";
    if (layer.compositingFilter()) out += " [" + *layer.compositingFilter() + "]";
    out += "\n";
    for (const auto& sublayer : layer.sublayers()) dumpLayer(*sublayer, depth + 1, "", out);
    if (layer.mask()) dumpLayer(*layer.mask(), depth + 1, "mask: ", out);
}

// The dump of every sublayer of `root`, not of the root itself.
inline std::string dumpTree(const platform::compositor::Layer& root) {
    std::string out;
    for (const auto& sublayer : root.sublayers()) dumpLayer(*sublayer, 0, "", out);
    return out;
}

}  // namespace coreanimationtest
