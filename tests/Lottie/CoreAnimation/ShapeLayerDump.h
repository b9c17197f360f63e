#pragma once
// A text dump of the layers of a shape layer on the Core Animation engine for
// the structure tests: group layers with their group names, repeater copies,
// and item layers with the names of the path they draw and the items that
// style it; the compositor layers inside item layers by class.

#include <string>

#include "Lottie/CoreAnimation/GradientRenderLayer.h"
#include "Lottie/CoreAnimation/GroupLayer.h"
#include "Lottie/CoreAnimation/RepeaterLayer.h"
#include "Lottie/CoreAnimation/ShapeItemLayer.h"
#include "Lottie/CoreAnimation/ShapeLayer.h"
#include "tests/Lottie/CoreAnimation/LayerTreeDump.h"

namespace coreanimationtest {

inline std::string shapeLayerClass(const platform::compositor::Layer& layer) {
    if (const auto* group = dynamic_cast<const lottie::GroupLayer*>(&layer)) return "GroupLayer \"" + group->group().name() + "\"";
    if (dynamic_cast<const lottie::RepeaterLayer*>(&layer)) return "RepeaterLayer";
    if (dynamic_cast<const lottie::ShapeLayer*>(&layer)) return "ShapeLayer";
    if (dynamic_cast<const lottie::GradientRenderLayer*>(&layer)) return "GradientRenderLayer";
    if (const auto* item = dynamic_cast<const lottie::ShapeItemLayer*>(&layer)) {
        std::string text = "ShapeItemLayer " + item->shape().item->name() + ":";
        for (const auto& other : item->otherItems()) text += " " + other.item->name();
        return text;
    }
    if (dynamic_cast<const platform::compositor::ShapeLayer*>(&layer)) return "CAShapeLayer";
    return layerClass(layer);
}

inline void dumpShapeLayer(const platform::compositor::Layer& layer, int depth, const std::string& prefix,
                           bool itemContents, std::string& out) {
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + prefix + shapeLayerClass(layer) + "\n";
    // Item layers' own compositor layers only when asked for.
    if (!itemContents && dynamic_cast<const lottie::ShapeItemLayer*>(&layer)) return;
    for (const auto& sublayer : layer.sublayers()) dumpShapeLayer(*sublayer, depth + 1, "", itemContents, out);
    if (layer.mask()) dumpShapeLayer(*layer.mask(), depth + 1, "mask: ", itemContents, out);
}

}  // namespace coreanimationtest
