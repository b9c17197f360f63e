#include "Platform/Compositor/LayerCompositing.h"

#include "Platform/Compositor/Layer.h"

namespace platform::compositor {

using graphics::BlendMode;

std::optional<BlendMode> LayerCompositing::blendMode(const Layer& layer) {
    if (!layer.compositingFilter()) {
        return std::nullopt;
    }
    const std::optional<BlendMode> mode = graphics::blendModeFromName(*layer.compositingFilter());
    return mode == BlendMode::normal ? std::nullopt : mode;
}

bool LayerCompositing::castsShadow(const Layer& layer) {
    return layer.shadowOpacity() > 0 && layer.shadowColor() && layer.shadowColor()->alpha() > 0;
}

}  // namespace platform::compositor
